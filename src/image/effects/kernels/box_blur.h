// Blurs by running sums: the cost per pixel does not depend on the radius.
// Pixels beyond the edge repeat the edge pixel, so borders do not darken.
#pragma once

#include <cstdint>
#include <vector>

#include "image/rgb_buffer.h"

namespace velmora::image {

// An 8-bit plane of `channels` interleaved samples per pixel (1 for grey masks).
struct PixelPlane {
  std::uint8_t* data;
  int width;
  int height;
  int channels;
};

// Replaces the plane by its mean over a (2 rx + 1) x (2 ry + 1) window.
void BoxBlurPlane(PixelPlane plane, int rx, int ry);
// Three box passes whose widths approximate a Gaussian of the given sigma in pixels;
// a sigma below a third of a pixel leaves the plane as it is.
void GaussianBlurPlane(PixelPlane plane, double sigma);

inline PixelPlane PlaneOf(RgbBuffer& image) { return {image.data(), image.width(), image.height(), 3}; }

// A blurred copy of the image.
RgbBuffer GaussianBlurred(const RgbBuffer& image, double sigma);

}  // namespace velmora::image
