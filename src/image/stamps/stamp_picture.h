// The picture of an image stamp or of a picture frame, read once for a run.
// A picture that cannot be read keeps its error instead, so that the run's
// checks can name it before anything is written and the item can report it.
#pragma once

#include <string>

#include "image/rgba_image.h"

namespace velmora::image {

// The error of a failed read, in the parts the messages show.
struct PictureLoadFailure {
  int number = 0;
  std::string source;
  std::string description;
};

// What an item that names no picture file reports.
PictureLoadFailure UnnamedImageStampFailure();
PictureLoadFailure UnnamedFramePictureFailure();

struct StampPicture {
  std::string file;  // as the profile names it (Windows-1252)
  bool loaded = false;
  RgbaImage image;             // with its transparency, when loaded
  PictureLoadFailure failure;  // when not loaded
};

// Reads `file` (any readable type, found by its signature) with its
// transparency. An empty name gives `unnamed`. Never throws.
StampPicture LoadStampPicture(const std::string& file, const PictureLoadFailure& unnamed);

}  // namespace velmora::image
