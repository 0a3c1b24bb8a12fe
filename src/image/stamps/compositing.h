// The pixel work stamps and borders share: blending a flat colour into a
// rectangle, and laying a picture with its coverage (a logo, a frame, the
// glyphs of a text) onto the clone. Every
// rectangle and position is clipped to the image, so a stamp or band that
// lies partly or wholly outside draws only what is inside.
#pragma once

#include <cstdint>
#include <vector>

#include "image/rgb_buffer.h"

namespace velmora::image {

// A rectangle of pixels, left and top included, right and bottom excluded.
// 64-bit, because profile values may be anything.
struct PixelRect {
  std::int64_t left = 0, top = 0, right = 0, bottom = 0;
  bool empty() const { return right <= left || bottom <= top; }
};

// The part of `rect` inside the image; empty when none is.
PixelRect ClipToImage(const RgbBuffer& image, const PixelRect& rect);

// A percentage from the profile (clamped to 0-100) as a weight 0-255.
int OpacityWeight(std::int64_t percent);

// Blends `colour` into the part of `rect` inside the image at `weight` 0-255.
void BlendRect(RgbBuffer& image, const PixelRect& rect, Rgb colour, int weight);

// A picture ready to be laid onto clones: its colours multiplied by their
// coverage (0 = not there, 255 = covering), which holds the picture's own
// transparency and the stamp's opacity. So prepared, laying it on is one
// multiplication per byte, and it can be resized without dark or coloured
// fringes along its transparent parts.
struct CoverageLayer {
  RgbBuffer colour;
  // The coverage of each pixel, repeated in all three bytes so that the
  // blend runs along the bytes; empty: covering everywhere.
  RgbBuffer coverage;

  bool empty() const { return colour.empty(); }
};

// The layer of a picture (colours as drawn) with `coverage` (width x height,
// empty: covering everywhere) at `weight` 0-255.
CoverageLayer MakeCoverageLayer(RgbBuffer colour, const std::vector<std::uint8_t>& coverage, int weight);

// Lays `layer` onto `image` with its top-left corner at (x, y).
void LayOver(RgbBuffer& image, const CoverageLayer& layer, std::int64_t x, std::int64_t y);

// The layer stretched to width x height with the default resize filter.
// Raises ImageError like ResizeImage.
CoverageLayer ResizeLayer(const CoverageLayer& layer, int width, int height);

}  // namespace velmora::image
