// One source image on its way through a run: RLImage holds the run's
// pipeline options and, for each image, makes its clone and thumbnail and
// reports what it did. Each source is decoded once, at the smallest scale
// its decoder offers that still covers the target.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "image/codecs/image_metadata.h"
#include "image/image_error.h"
#include "image/pipeline_options.h"
#include "image/rl_image_file.h"

namespace velmora::image {

// Where an image's three files lie (Windows-1252 folders).
struct ImageFolders {
  std::string original;
  std::string clone;
  std::string thumb;

  bool operator==(const ImageFolders&) const = default;
};

// What one image's pass through the pipeline did.
struct ImageOutcome {
  // The facts of the three files as far as the pass got: sizes, dates and
  // dimensions read or written, also when it failed half way.
  RLImageFile file;
  bool clone_made = false;
  bool thumb_made = false;
  // The failure that ended the pass; its path() names the file concerned.
  std::optional<ImageError> error;
  // JPEG markers or PNG text of the original as read for the clone.
  ImageMetadata input_metadata;
  // The write gate said no: the pass ended before writing anything more.
  bool dropped = false;
};

// Asked before each file of a pass is written, its bytes ready: false drops
// the rest of the pass. Lets a run make images ahead of their turn yet write
// them only when the images before them are through.
using WriteGate = std::function<bool()>;

class RLImage {
 public:
  explicit RLImage(const PipelineOptions& options) : options_(options) {}

  // Makes the clone and the thumbnail of `file` as the options say, keeping
  // outputs that are up to date.
  ImageOutcome DoIt(const RLImageFile& file, const ImageFolders& folders, const WriteGate& may_write = {}) const;

  const PipelineOptions& options() const { return options_; }

 private:
  PipelineOptions options_;
};

}  // namespace velmora::image
