// What the clone and thumbnail pipeline is asked to make, fixed for a whole
// run: the run fills it once from the profile, and RLImage reads it for
// every image.
#pragma once

#include <cstdint>

#include "image/clone_hooks.h"
#include "image/scale_factor.h"

namespace velmora::image {

struct CloneOptions {
  bool make = false;
  SizeOptions size;
  int quality = 0;              // JPEG quality; with max_bytes the lowest one the search may use
  std::int64_t max_bytes = 0;   // 0: no limit
  int tiff_compression = 0;
  bool progressive = false;
  int filter = 0;               // resampling filter code
  bool only_if_newer = false;   // a script or the clone list does not force a remake
  bool apply_clone_list = false;
};

struct ThumbOptions {
  bool make = false;
  bool from_clone = false;  // made from the clone rather than the original
  SizeOptions size;
  int quality = 0;
  bool allow_enlarge = false;
  // With kSideFitInside, a thumbnail smaller than width x height is centred
  // on a frame of that size, in `frame_colour` or the thumbnail's average.
  bool frame_fill = false;
  bool frame_colour_matches = false;
  std::int32_t frame_colour = 0;
  // 2 to 4: a second copy with that many pixels per thumbnail pixel for
  // high-density screens (dense_thumbnail.h); below 2 none.
  int density = 0;
};

struct PipelineOptions {
  CloneOptions clone;
  ThumbOptions thumb;
  bool copy_metadata = false;
  // Clones and thumbnails of JPEG, TIFF and PNG photos stand upright as their
  // EXIF orientation asks; camera RAW pictures always do (source_orientation.h).
  bool auto_orient = false;
  bool keep_date = false;               // outputs get the original's file date
  int pcd_format = 2;                   // the "PCD_FORMAT" setting
  std::int64_t max_pixels = 200'000'000;  // larger images are refused
  CloneHooks* hooks = nullptr;          // `_clone` and the clone list; none: neither exists
};

}  // namespace velmora::image
