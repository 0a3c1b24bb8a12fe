// What the run plugs into the clone pipeline: the `_clone` script function
// and the clone list (effects, stamps, borders). The pipeline calls them on
// the image whose CloneRGB holds the resized clone; an item that changes the
// size leaves the new buffer in CloneRGB and its size in CloneDimX/CloneDimY.
#pragma once

namespace velmora::image {

class RLImage;

class CloneHooks {
 public:
  virtual ~CloneHooks() = default;
  // True when the loaded scripts define `_clone`.
  virtual bool HasCloneFunction() const = 0;
  // Runs `_clone` with `image` as the current image of the script's image functions.
  virtual void RunCloneFunction(RLImage& image) = 0;
  // Applies the profile's clone list in list order.
  virtual void ApplyCloneList(RLImage& image) = 0;
};

}  // namespace velmora::image
