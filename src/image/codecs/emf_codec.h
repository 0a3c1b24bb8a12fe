// Metafiles holding bitmaps, enhanced (EMF) and older Windows ones (WMF).
// Reading takes the largest bitmap the metafile draws (vector drawing is not
// rendered); writing produces an enhanced metafile that draws the image once
// as a 24-bit bitmap.
#pragma once

#include "image/codecs/codec.h"

namespace velmora::image {

class EmfCodec final : public ImageCodec {
 public:
  ImageSize ReadSize(std::span<const std::uint8_t> file) const override;
  RgbBuffer Decode(std::span<const std::uint8_t> file, const DecodeOptions& options) const override;
  bool CanEncode() const override { return true; }
  std::vector<std::uint8_t> Encode(const RgbBuffer& image, const EncodeOptions& options) const override;
};

}  // namespace velmora::image
