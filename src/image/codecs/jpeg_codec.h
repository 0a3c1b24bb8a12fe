// JPEG over libjpeg-turbo: scaled DCT decoding for clones much smaller than
// the photo, markers (EXIF, IPTC, ICC, comments) carried through.
#pragma once

#include "image/codecs/codec.h"

namespace velmora::image {

class JpegCodec final : public ImageCodec {
 public:
  ImageSize ReadSize(std::span<const std::uint8_t> file) const override;
  RgbBuffer Decode(std::span<const std::uint8_t> file, const DecodeOptions& options) const override;
  bool CanEncode() const override { return true; }
  std::vector<std::uint8_t> Encode(const RgbBuffer& image, const EncodeOptions& options) const override;
};

// The marker segments (APPn, comments) before the image data, without
// decoding any pixels; throws CodecError.
void ReadJpegMarkers(std::span<const std::uint8_t> file, ImageMetadata& metadata);

// The scale numerator (of 8) a scaled decode of a width x height JPEG uses so
// that both sides stay at least min_width x min_height: 8 when no minimum.
int JpegScaleNumerator(int width, int height, int min_width, int min_height);

}  // namespace velmora::image
