// Camera RAW over LibRaw, read only: developed with the camera's white balance into sRGB.
#pragma once

#include "image/codecs/codec.h"

namespace velmora::image {

class RawCodec final : public ImageCodec {
 public:
  ImageSize ReadSize(std::span<const std::uint8_t> file) const override;
  RgbBuffer Decode(std::span<const std::uint8_t> file, const DecodeOptions& options) const override;
  bool CanEncode() const override { return false; }
  std::vector<std::uint8_t> Encode(const RgbBuffer& image, const EncodeOptions& options) const override;
};

}  // namespace velmora::image
