// Rasterising a text block.
#include "image/text/text_raster.h"

#include <algorithm>
#include <cstdint>
#include <tuple>
#include <utility>

#include "image/text/font_face.h"

namespace velmora::image {
namespace {

PixelRegion Intersection(PixelRegion a, PixelRegion b) {
  const std::int64_t left = std::max<std::int64_t>(a.x, b.x);
  const std::int64_t top = std::max<std::int64_t>(a.y, b.y);
  const std::int64_t right = std::min<std::int64_t>(std::int64_t{a.x} + a.width, std::int64_t{b.x} + b.width);
  const std::int64_t bottom = std::min<std::int64_t>(std::int64_t{a.y} + a.height, std::int64_t{b.y} + b.height);
  if (right <= left || bottom <= top) return {};
  return {static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
          static_cast<int>(bottom - top)};
}

// Lays coverage over what is already there (overlapping glyphs, an
// underline through a descender) without going past full.
void Cover(std::uint8_t& target, unsigned value) {
  target = static_cast<std::uint8_t>(target + value - (target * value + 127) / 255);
}

// Writes block pixels into the mask through the turn `Turn`.
template <BlockTurn Turn>
class TurnedWriter {
 public:
  TurnedWriter(CoverageMask& mask, int block_width, int block_height, int x, int y)
      : mask_(mask), width_(block_width), height_(block_height), x_(x), y_(y), visible_(VisiblePart()) {}

  // (bx, by) in the unturned block.
  void Put(int bx, int by, unsigned value) {
    if (bx < 0 || by < 0 || bx >= width_ || by >= height_) return;
    const auto [tx, ty] = Turned(bx, by);
    const std::int64_t ix = std::int64_t{x_} + tx - mask_.region.x;
    const std::int64_t iy = std::int64_t{y_} + ty - mask_.region.y;
    if (ix < 0 || iy < 0 || ix >= mask_.region.width || iy >= mask_.region.height) return;
    Cover(mask_.values[static_cast<std::size_t>(iy) * static_cast<std::size_t>(mask_.region.width) +
                       static_cast<std::size_t>(ix)],
          value);
  }

  // Whether any pixel of the unturned rectangle (inclusive corners) lands in
  // the mask: glyphs and lines far outside it are skipped whole.
  bool Visible(int left, int top, int right, int bottom) const {
    return right >= visible_.x && left < visible_.x + visible_.width && bottom >= visible_.y &&
           top < visible_.y + visible_.height;
  }
  // The part of the unturned block that lands in the mask.
  const PixelRegion& visible() const { return visible_; }

 private:
  std::pair<int, int> Turned(int bx, int by) const {
    if constexpr (Turn == BlockTurn::kClockwise) {
      return {height_ - 1 - by, bx};
    } else if constexpr (Turn == BlockTurn::kHalf) {
      return {width_ - 1 - bx, height_ - 1 - by};
    } else if constexpr (Turn == BlockTurn::kCounterClockwise) {
      return {by, width_ - 1 - bx};
    } else {
      return {bx, by};
    }
  }

  // The mask region in the turned block's coordinates, turned back.
  PixelRegion VisiblePart() const {
    const std::int64_t x0 = std::int64_t{mask_.region.x} - x_, x1 = x0 + mask_.region.width;
    const std::int64_t y0 = std::int64_t{mask_.region.y} - y_, y1 = y0 + mask_.region.height;
    std::int64_t left = x0, right = x1, top = y0, bottom = y1;
    if constexpr (Turn == BlockTurn::kClockwise) {
      std::tie(left, right, top, bottom) = std::tuple(y0, y1, height_ - x1, height_ - x0);
    } else if constexpr (Turn == BlockTurn::kHalf) {
      std::tie(left, right, top, bottom) = std::tuple(width_ - x1, width_ - x0, height_ - y1, height_ - y0);
    } else if constexpr (Turn == BlockTurn::kCounterClockwise) {
      std::tie(left, right, top, bottom) = std::tuple(width_ - y1, width_ - y0, x0, x1);
    }
    left = std::max<std::int64_t>(left, 0);
    top = std::max<std::int64_t>(top, 0);
    right = std::min<std::int64_t>(right, width_);
    bottom = std::min<std::int64_t>(bottom, height_);
    if (right <= left || bottom <= top) return {};
    return {static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
            static_cast<int>(bottom - top)};
  }

  CoverageMask& mask_;
  int width_, height_, x_, y_;
  PixelRegion visible_;
};

template <BlockTurn Turn>
void Draw(FontFace& face, const TextLayout& layout, TextDecoration decoration, int x, int y, CoverageMask& mask) {
  TurnedWriter<Turn> writer(mask, layout.width, layout.height, x, y);
  const FaceMetrics& metrics = face.metrics();
  for (const LaidOutLine& line : layout.lines) {
    // Accents and descenders may reach into the neighbouring lines.
    const int top = line.baseline - metrics.ascender;
    if (!writer.Visible(0, top - metrics.line_height, layout.width - 1, top + 2 * metrics.line_height)) continue;
    for (const PlacedGlyph& placed : line.glyphs) {
      const Glyph& glyph = face.Render(placed.index);
      if (glyph.width <= 0) continue;
      const int left = line.x + placed.x + glyph.left;
      const int first_row = line.baseline - glyph.top;
      if (!writer.Visible(left, first_row, left + glyph.width - 1, first_row + glyph.rows - 1)) continue;
      for (int gy = 0; gy < glyph.rows; ++gy) {
        const std::uint8_t* row = glyph.coverage.data() + static_cast<std::size_t>(gy) * glyph.width;
        for (int gx = 0; gx < glyph.width; ++gx) {
          if (row[gx] != 0) writer.Put(left + gx, first_row + gy, row[gx]);
        }
      }
    }
    auto rule = [&](int first_row, int thickness) {
      if (line.advance <= 0 || !writer.Visible(line.x, first_row, line.x + line.advance - 1, first_row + thickness - 1)) {
        return;
      }
      const PixelRegion& visible = writer.visible();
      const int from = std::max(line.x, visible.x);
      const int to = std::min(line.x + line.advance, visible.x + visible.width);
      for (int ry = first_row; ry < first_row + thickness; ++ry) {
        for (int rx = from; rx < to; ++rx) writer.Put(rx, ry, 255);
      }
    };
    if (decoration.underline) rule(line.baseline + metrics.underline_offset, metrics.underline_thickness);
    if (decoration.strikeout) rule(line.baseline - metrics.strikeout_offset, metrics.strikeout_thickness);
  }
}

}  // namespace

PixelRegion TurnedBlock(const TextLayout& layout, BlockTurn turn, int x, int y) {
  const bool quarter = turn == BlockTurn::kClockwise || turn == BlockTurn::kCounterClockwise;
  return {x, y, quarter ? layout.height : layout.width, quarter ? layout.width : layout.height};
}

CoverageMask RasterizeText(FontFace& face, const TextLayout& layout, TextDecoration decoration, BlockTurn turn,
                           int x, int y, PixelRegion clip) {
  CoverageMask mask;
  mask.region = Intersection(TurnedBlock(layout, turn, x, y), clip);
  if (mask.region.empty()) return mask;
  mask.values.assign(static_cast<std::size_t>(mask.region.width) * static_cast<std::size_t>(mask.region.height), 0);
  switch (turn) {
    case BlockTurn::kNone:
      Draw<BlockTurn::kNone>(face, layout, decoration, x, y, mask);
      break;
    case BlockTurn::kClockwise:
      Draw<BlockTurn::kClockwise>(face, layout, decoration, x, y, mask);
      break;
    case BlockTurn::kHalf:
      Draw<BlockTurn::kHalf>(face, layout, decoration, x, y, mask);
      break;
    case BlockTurn::kCounterClockwise:
      Draw<BlockTurn::kCounterClockwise>(face, layout, decoration, x, y, mask);
      break;
  }
  return mask;
}

}  // namespace velmora::image
