// A clone that keeps its original's EXIF block must not contradict its own
// pixels: the stored pixel dimensions become the clone's, and a clone that
// was turned upright says so, so that viewers do not turn it a second time.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace velmora::metadata {

// A copy of a JPEG APP1 segment's data ("Exif\0\0" + TIFF block, as the
// codecs carry it) with PixelXDimension/PixelYDimension (and ImageWidth/
// ImageLength where present) set to width x height, and Orientation set
// to 1 when `reset_orientation`. The block is changed in place, never
// grown; data that is not EXIF, or too damaged to walk, comes back as it was.
std::vector<std::uint8_t> PatchExifForClone(std::span<const std::uint8_t> app1, int width, int height,
                                            bool reset_orientation);

}  // namespace velmora::metadata
