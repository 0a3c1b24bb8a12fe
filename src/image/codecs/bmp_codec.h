// Windows and OS/2 bitmaps: every header generation, 1 to 32 bits, RLE4/RLE8
// and bit fields; written as 24-bit bottom-up files.
#pragma once

#include "image/codecs/codec.h"

namespace velmora::image {

class BmpCodec final : public ImageCodec {
 public:
  ImageSize ReadSize(std::span<const std::uint8_t> file) const override;
  RgbBuffer Decode(std::span<const std::uint8_t> file, const DecodeOptions& options) const override;
  bool CanEncode() const override { return true; }
  std::vector<std::uint8_t> Encode(const RgbBuffer& image, const EncodeOptions& options) const override;
};

}  // namespace velmora::image
