// ZSoft PCX: 1-bit to 8-bit palette images in one or more planes and 24-bit
// images in three planes; written as run-length coded 24-bit files.
#pragma once

#include "image/codecs/codec.h"

namespace velmora::image {

class PcxCodec final : public ImageCodec {
 public:
  ImageSize ReadSize(std::span<const std::uint8_t> file) const override;
  RgbBuffer Decode(std::span<const std::uint8_t> file, const DecodeOptions& options) const override;
  bool CanEncode() const override { return true; }
  std::vector<std::uint8_t> Encode(const RgbBuffer& image, const EncodeOptions& options) const override;
};

}  // namespace velmora::image
