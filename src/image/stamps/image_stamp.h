// An image stamp of the clone list, ready for every clone of a run: the
// stamp's settings and its picture, with the picture's own transparency and
// the stamp's transparent colour worked in once, not per clone.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "image/clone_list/image_stamp.h"
#include "image/rgb_buffer.h"
#include "image/stamps/stamp_picture.h"

namespace velmora::image {

struct CoverageLayer;

class PreparedImageStamp {
 public:
  PreparedImageStamp(const CImageStamp& stamp, std::shared_ptr<const StampPicture> picture);
  ~PreparedImageStamp();
  PreparedImageStamp(PreparedImageStamp&&) noexcept;
  PreparedImageStamp& operator=(PreparedImageStamp&&) noexcept;

  // Lays the stamp onto `image`: at its grid cell and offsets at its own
  // size, or stretched over the whole image. A stamp whose picture could not
  // be read raises the stored error (ImageError), which ends the clone.
  void Apply(RgbBuffer& image);

 private:
  const CoverageLayer& StretchedTo(int width, int height);

  std::int32_t position_, offset_x_, offset_y_;
  int weight_;  // the stamp's opacity, 0-255
  bool stretch_;
  std::shared_ptr<const StampPicture> picture_;
  std::unique_ptr<CoverageLayer> layer_;
  // Stretched copies by clone size: a run's clones come in few sizes
  // (landscape and portrait), so the last two are kept.
  std::vector<CoverageLayer> stretched_;
};

}  // namespace velmora::image
