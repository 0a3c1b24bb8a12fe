// What the run plugs into the clone pipeline: the `_clone` script function
// and the clone list (effects, stamps, borders). The pipeline calls them on
// the resized clone's pixels; an item that changes the size leaves the new
// buffer in their place.
#pragma once

#include "image/rgb_buffer.h"

namespace velmora::image {

class CloneHooks {
 public:
  virtual ~CloneHooks() = default;
  // True when the loaded scripts define `_clone`.
  virtual bool HasCloneFunction() const = 0;
  // Runs `_clone` while `clone` is the clone being made.
  virtual void RunCloneFunction(RgbBuffer& clone) = 0;
  // Applies the profile's clone list in list order.
  virtual void ApplyCloneList(RgbBuffer& clone) = 0;
};

}  // namespace velmora::image
