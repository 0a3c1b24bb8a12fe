// PNG over libpng: every colour type and depth in, 8-bit RGB out; text
// chunks carried through.
#pragma once

#include "image/codecs/codec.h"

namespace velmora::image {

class PngCodec final : public ImageCodec {
 public:
  ImageSize ReadSize(std::span<const std::uint8_t> file) const override;
  RgbBuffer Decode(std::span<const std::uint8_t> file, const DecodeOptions& options) const override;
  bool CanEncode() const override { return true; }
  std::vector<std::uint8_t> Encode(const RgbBuffer& image, const EncodeOptions& options) const override;
};

}  // namespace velmora::image
