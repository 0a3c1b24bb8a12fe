// TIFF over libtiff: every photometric, depth and compression libtiff knows in, 8-bit RGB with a chosen compression out.
#pragma once

#include "image/codecs/codec.h"

namespace velmora::image {

class TiffCodec final : public ImageCodec {
 public:
  ImageSize ReadSize(std::span<const std::uint8_t> file) const override;
  RgbBuffer Decode(std::span<const std::uint8_t> file, const DecodeOptions& options) const override;
  bool CanEncode() const override { return true; }
  std::vector<std::uint8_t> Encode(const RgbBuffer& image, const EncodeOptions& options) const override;
};

}  // namespace velmora::image
