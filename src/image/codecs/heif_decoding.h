// Reading the primary picture of a HEIF-family file (HEIC, HEIF, AVIF)
// through libheif, shared by the HEIF and AVIF codecs. The picture comes
// turned, mirrored and cropped as the file's transformations say (its own
// boxes are authoritative; an EXIF orientation inside it is not applied
// again), deeper samples reduced to 8 bits, transparency laid over white
// and colours brought to sRGB.
#pragma once

#include <cstdint>
#include <span>

#include "image/codecs/codec.h"

namespace velmora::image {

// The size after the transformations; throws CodecError.
ImageSize ReadHeifSize(std::span<const std::uint8_t> file);
// With a minimum size (DecodeOptions::min_width, min_height) a thumbnail the
// file holds of the picture may be decoded instead, when it covers it.
RgbBuffer DecodeHeif(std::span<const std::uint8_t> file, const DecodeOptions& options);

}  // namespace velmora::image
