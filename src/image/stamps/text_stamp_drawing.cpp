// The text stamp.
#include "image/stamps/text_stamp_drawing.h"

#include <algorithm>

#include "platform/text_encoding.h"
#include "image/stamps/compositing.h"
#include "image/stamps/readable_colour.h"
#include "image/stamps/stamp_placement.h"
#include "image/text/font_cache.h"
#include "image/text/font_face.h"
#include "image/text/text_layout.h"

namespace velmora::image {
namespace {

// "%\" is how a stamp text asks for a new line.
std::string WithLineBreaks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == '\\') {
      out += '\n';
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

TextAlignment AlignmentOf(const TextStampStyle& style) {
  int alignment = style.alignment;
  // Automatic alignment follows the column: left-hand stamps align left,
  // right-hand ones right.
  if (alignment < 1 || alignment > 3) alignment = GridCellOf(style.position).column + 1;
  return alignment == 1 ? TextAlignment::kLeft : alignment == 2 ? TextAlignment::kCentre : TextAlignment::kRight;
}

BlockTurn TurnOf(int direction) {
  switch (direction) {
    case 1:
      return BlockTurn::kClockwise;
    case 2:
      return BlockTurn::kHalf;
    case 3:
      return BlockTurn::kCounterClockwise;
    default:
      return BlockTurn::kNone;
  }
}

// The block grown by `by` pixels on every side.
PixelRect Grown(const PixelRegion& block, std::int64_t by) {
  return {block.x - by, block.y - by, std::int64_t{block.x} + block.width + by,
          std::int64_t{block.y} + block.height + by};
}

// `width` rings of one pixel around the block, opaque: four bands that
// meet at the corners.
void DrawFrame(RgbBuffer& image, const PixelRegion& block, std::int64_t width, Rgb colour) {
  if (width <= 0) return;
  const PixelRect inner = Grown(block, 0);
  const PixelRect outer = Grown(block, width);
  BlendRect(image, {outer.left, outer.top, outer.right, inner.top}, colour, 255);
  BlendRect(image, {outer.left, inner.bottom, outer.right, outer.bottom}, colour, 255);
  BlendRect(image, {outer.left, inner.top, inner.left, inner.bottom}, colour, 255);
  BlendRect(image, {inner.right, inner.top, outer.right, inner.bottom}, colour, 255);
}

// The glyphs' coverage as a layer in the text colour.
CoverageLayer InkLayer(const CoverageMask& mask, Rgb colour, int weight) {
  RgbBuffer ink = RgbBuffer::Uninitialized(mask.region.width, mask.region.height);
  std::uint8_t* p = ink.data();
  for (std::size_t i = 0; i < ink.size(); i += 3) p[i] = colour.r, p[i + 1] = colour.g, p[i + 2] = colour.b;
  return MakeCoverageLayer(std::move(ink), mask.values, weight);
}

DrawnTextStamp Draw(RgbBuffer& image, std::string_view text, const TextStampStyle& style, FontCache& fonts) {
  DrawnTextStamp drawn;
  if (image.empty() || text.empty()) return drawn;
  FontFace* face = fonts.Face({.family = Cp1252ToUtf8(style.font),
                               .pixel_height = style.height,
                               .weight = style.weight,
                               .italic = style.italic});
  if (face == nullptr) return drawn;

  const TextLayout layout = LayOutText(*face, Cp1252ToCodePoints(WithLineBreaks(text)), AlignmentOf(style));
  const BlockTurn turn = TurnOf(style.direction);
  const PixelRegion size = TurnedBlock(layout, turn, 0, 0);
  const BoxOrigin at = PlaceStampBox({.image_width = image.width(),
                                      .image_height = image.height(),
                                      .box_width = size.width,
                                      .box_height = size.height,
                                      .position = style.position,
                                      .offset_x = style.offset_x,
                                      .offset_y = style.offset_y});
  drawn.block = {at.x, at.y, size.width, size.height};

  if (style.background_colour >= 0) {
    BlendRect(image, Grown(drawn.block, 1), RgbFromColourValue(style.background_colour),
              OpacityWeight(style.background_opacity));
  }
  // The rule looks at the image as it is now, the box included: text on a
  // dark box turns white.
  const Rgb colour = style.readable ? ReadableColour(image, Grown(drawn.block, 0)) : RgbFromColourValue(style.colour);
  drawn.colour = ColourValue(colour);
  if (style.frame_colour >= 0) DrawFrame(image, drawn.block, style.frame_width, RgbFromColourValue(style.frame_colour));
  const CoverageMask mask = RasterizeText(*face, layout, {.underline = style.underline, .strikeout = style.strikeout},
                                          turn, at.x, at.y, {0, 0, image.width(), image.height()});
  LayOver(image, InkLayer(mask, colour, OpacityWeight(style.opacity)), mask.region.x, mask.region.y);
  drawn.drawn = true;
  return drawn;
}

}  // namespace

TextStampStyle TextStampStyleOf(const CTextStamp& stamp) {
  TextStampStyle style;
  style.font = stamp.Font();
  style.height = stamp.Height();
  style.colour = stamp.Color();
  style.readable = stamp.ColorReadable() == 1;
  style.opacity = stamp.Opacity();
  style.alignment = stamp.Alignment();
  style.position = stamp.Position();
  style.offset_x = stamp.OffsetX();
  style.offset_y = stamp.OffsetY();
  style.direction = stamp.Direction();
  style.weight = stamp.Weight();
  style.italic = stamp.Italic();
  style.underline = stamp.Underline();
  style.strikeout = stamp.Strikeout();
  style.background_colour = stamp.Background() == 1 ? stamp.BackgroundColor() : -1;
  style.background_opacity = stamp.BackgroundOpacity();
  style.frame_colour = stamp.Border() == 1 ? stamp.BorderColor() : -1;
  style.frame_width = stamp.BorderWidth();
  return style;
}

DrawnTextStamp DrawTextStamp(RgbBuffer& image, std::string_view text, const TextStampStyle& style,
                             FontCache& fonts) noexcept {
  try {
    return Draw(image, text, style, fonts);
  } catch (...) {
    // Out of memory for a giant block: this stamp is left out, the clone
    // goes on.
    return {};
  }
}

}  // namespace velmora::image
