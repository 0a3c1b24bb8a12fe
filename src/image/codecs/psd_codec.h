// Adobe Photoshop documents (PSD and the large PSB form): the flattened
// composite that Photoshop stores after the layers, raw or PackBits coded, in
// bitmap, grey, indexed, RGB, CMYK, duotone or multichannel mode at 1, 8, 16
// or 32 bits. Layers are skipped. Written as 8-bit RGB with PackBits rows.
#pragma once

#include "image/codecs/codec.h"

namespace velmora::image {

class PsdCodec final : public ImageCodec {
 public:
  ImageSize ReadSize(std::span<const std::uint8_t> file) const override;
  RgbBuffer Decode(std::span<const std::uint8_t> file, const DecodeOptions& options) const override;
  bool CanEncode() const override { return true; }
  std::vector<std::uint8_t> Encode(const RgbBuffer& image, const EncodeOptions& options) const override;
};

}  // namespace velmora::image
