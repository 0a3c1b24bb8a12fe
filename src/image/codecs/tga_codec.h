// Truevision TGA: colour-mapped, true-colour and grey images, plain or
// run-length coded, any origin; written as uncompressed 24-bit files.
#pragma once

#include "image/codecs/codec.h"

namespace velmora::image {

class TgaCodec final : public ImageCodec {
 public:
  ImageSize ReadSize(std::span<const std::uint8_t> file) const override;
  RgbBuffer Decode(std::span<const std::uint8_t> file, const DecodeOptions& options) const override;
  bool CanEncode() const override { return true; }
  std::vector<std::uint8_t> Encode(const RgbBuffer& image, const EncodeOptions& options) const override;
};

}  // namespace velmora::image
