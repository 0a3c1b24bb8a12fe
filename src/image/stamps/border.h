// A border of the clone list, ready for every clone of a run: the item's
// settings and, for a picture frame, its picture, read once for the run.
#pragma once

#include <memory>

#include "image/clone_list/border.h"
#include "image/rgb_buffer.h"
#include "image/stamps/stamp_picture.h"

namespace velmora::image {

class FramePicture;

class PreparedBorder {
 public:
  // `frame_picture` is used by picture frames only; nullptr or a picture that
  // could not be read leaves such a border out.
  PreparedBorder(const CBorder& border, std::shared_ptr<const StampPicture> frame_picture);
  ~PreparedBorder();
  PreparedBorder(PreparedBorder&&) noexcept;
  PreparedBorder& operator=(PreparedBorder&&) noexcept;

  // Draws the border over the picture (kind 0) or grows the picture by it
  // (kinds 1 and 2), replacing `image`. Nothing for an empty image, no side
  // chosen or an unknown kind. Raises ImageError only when a stretched frame
  // picture cannot be resized (out of memory).
  void Apply(RgbBuffer& image);

 private:
  CBorder border_;
  std::unique_ptr<FramePicture> frame_;
};

}  // namespace velmora::image
