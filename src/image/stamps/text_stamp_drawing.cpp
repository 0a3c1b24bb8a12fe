// The text stamp.
#include "image/stamps/text_stamp_drawing.h"

#include <algorithm>

#include "platform/text_encoding.h"
#include "image/stamps/readable_colour.h"
#include "image/stamps/stamp_blend.h"
#include "image/stamps/stamp_placement.h"
#include "image/text/font_cache.h"
#include "image/text/font_face.h"
#include "image/text/text_layout.h"

namespace velmora::image {
namespace {

// A frame wider than this covers any picture; a wilder value from a
// hand-edited profile would only spin.
constexpr int kLargestFrame = 9999;

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
  if (alignment < 1 || alignment > 3) alignment = (std::clamp(style.position, 1, 9) - 1) % 3 + 1;
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

PixelRegion Grown(PixelRegion region, int by) {
  return {region.x - by, region.y - by, region.width + 2 * by, region.height + 2 * by};
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
  const StampPoint at =
      PlaceStamp(style.position, image.width(), image.height(), size.width, size.height, style.offset_x, style.offset_y);
  drawn.block = {at.x, at.y, size.width, size.height};

  if (style.background_colour >= 0) {
    BlendRegion(image, Grown(drawn.block, 1), RgbFromColourValue(style.background_colour), style.background_opacity);
  }
  // The rule looks at the image as it is now, the box included: text on a
  // dark box turns white.
  const Rgb colour = style.readable ? ReadableColour(image, drawn.block) : RgbFromColourValue(style.colour);
  drawn.colour = ColourValue(colour);
  if (style.frame_colour >= 0) {
    const Rgb frame = RgbFromColourValue(style.frame_colour);
    const int width = std::min(style.frame_width, kLargestFrame);
    for (int i = 1; i <= width; ++i) OutlineRegion(image, Grown(drawn.block, i), frame);
  }
  const CoverageMask mask = RasterizeText(*face, layout, {.underline = style.underline, .strikeout = style.strikeout},
                                          turn, at.x, at.y, {0, 0, image.width(), image.height()});
  BlendMask(image, mask, colour, style.opacity);
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
