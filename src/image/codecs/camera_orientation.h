// The turn a camera RAW file asks for. The RAW reader gives the pixels as
// the sensor stored them; the orientation the camera recorded is read here,
// as an EXIF orientation, so that the pipeline turns RAW pictures in the
// same place as every other photo.
#pragma once

#include <cstdint>
#include <span>

namespace velmora::image {

// 1 to 8 as EXIF numbers them; 1 when the file names no turn or cannot be
// read. Never throws.
int CameraRawOrientation(std::span<const std::uint8_t> file);

}  // namespace velmora::image
