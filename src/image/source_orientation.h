// Which way a source photo must be turned to stand upright, and its size
// once turned: the one answer the run's scan, its sorting and the pipeline
// share, so that the dimensions on the pages always fit the pictures.
//
// A camera RAW file is always turned as the camera recorded, as every RAW
// converter does. JPEG, TIFF and PNG files are turned as their EXIF
// orientation asks only when the profile says so ("AUTO_ORIENT"); otherwise
// they, and every other type, keep the pixels as stored.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

#include "image/codecs/codec.h"
#include "image/image_io.h"

namespace velmora::image {

// An EXIF orientation 1 to 8 (orientation.h). Type 0 is guessed from the
// bytes. A file that cannot be read, or whose metadata is damaged, gives 1:
// the read that follows reports what is wrong. Never throws.
int SourceOrientation(std::span<const std::uint8_t> file, int type, bool auto_orient);
int SourceOrientation(const std::filesystem::path& file, int type, bool auto_orient);

// GetImageDims's size turned as SourceOrientation says; raises the same
// errors as GetImageDims.
ImageSize UprightImageDims(const std::filesystem::path& file, int type, bool auto_orient,
                           const ImageReadOptions& options = {});

}  // namespace velmora::image
