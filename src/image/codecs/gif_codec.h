// GIF over giflib: the first frame in (transparent pixels on white), and out a non-interlaced 8-bit file quantised to 256 colours.
#pragma once

#include "image/codecs/codec.h"

namespace velmora::image {

class GifCodec final : public ImageCodec {
 public:
  ImageSize ReadSize(std::span<const std::uint8_t> file) const override;
  RgbBuffer Decode(std::span<const std::uint8_t> file, const DecodeOptions& options) const override;
  bool CanEncode() const override { return true; }
  std::vector<std::uint8_t> Encode(const RgbBuffer& image, const EncodeOptions& options) const override;
};

}  // namespace velmora::image
