// The facts of one image's three files (original, clone, thumbnail) that the
// run, the pipeline and the page writers share. Names and extensions are
// Windows-1252 like all text inside the program.
#pragma once

#include <cstdint>
#include <string>

#include "image/file_time.h"

namespace velmora::image {

struct ImageFileFacts {
  std::string Name;       // base name without extension
  std::string Extension;  // without the dot
  int Type = 0;           // image type code (codec_registry.h)
  std::int64_t Size = 0;  // bytes
  FileTime DateTime{};
  int Width = 0;
  int Height = 0;
  int Quality = 0;  // the JPEG quality a write used (100 for other types)

  bool operator==(const ImageFileFacts&) const = default;
};

struct RLImageFile {
  ImageFileFacts Original;
  ImageFileFacts Clone;
  ImageFileFacts Thumb;

  void copy(RLImageFile& target) const { target = *this; }
  bool operator==(const RLImageFile&) const = default;
};

}  // namespace velmora::image
