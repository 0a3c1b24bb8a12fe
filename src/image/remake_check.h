// Whether an output that may exist from an earlier run must be made again.
// Pure functions of what lies on disk and what this run asks for, so that
// every reason for a remake is in one place and can be checked in a table.
#pragma once

#include "image/codecs/codec.h"
#include "image/file_time.h"

namespace velmora::image {

// An output as found on disk; `exists` is false when it is missing or
// cannot be read, which counts as missing.
struct ExistingOutput {
  bool exists = false;
  FileTime modified{};
  ImageSize size{};
};

struct CloneRemake {
  ExistingOutput clone;
  FileTime original_modified{};
  ImageSize target{};
  bool only_if_newer = false;
  // A `_clone` script or a clone list changes the pixels in ways the file
  // cannot show, so without only_if_newer they always remake the clone.
  bool changes_pixels = false;
};

struct ThumbRemake {
  ExistingOutput thumb;
  FileTime original_modified{};
  ImageSize expected{};
  bool from_clone = false;
  bool clone_made = false;  // this run wrote the clone anew
};

bool MustRemakeClone(const CloneRemake& facts);
bool MustRemakeThumb(const ThumbRemake& facts);

}  // namespace velmora::image
