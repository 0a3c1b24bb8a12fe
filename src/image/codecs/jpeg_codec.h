// JPEG helpers beside the codec: the image loader reads the marker segments
// of a JPEG without decoding it, and a scaled decode picks its scale here.
#pragma once

#include <cstdint>
#include <span>

#include "image/codecs/image_metadata.h"

namespace velmora::image {

// The marker segments (APPn, comments) before the image data, without
// decoding any pixels; throws CodecError.
void ReadJpegMarkers(std::span<const std::uint8_t> file, ImageMetadata& metadata);

// Throws CodecError when the file's header is unreadable, or claims more
// pixels than `max_pixels` or more blocks than its data can hold: the checks
// the decoder makes before it allocates, for callers that hand the file to
// libjpeg another way (the lossless turn).
void CheckJpegDecodeLimits(std::span<const std::uint8_t> file, std::int64_t max_pixels);

// The scale numerator (of 8) a scaled decode of a width x height JPEG uses so
// that both sides stay at least min_width x min_height: 8 when no minimum.
int JpegScaleNumerator(int width, int height, int min_width, int min_height);

}  // namespace velmora::image
