// Line layout.
#include "image/text/text_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "image/text/font_face.h"

namespace velmora::image {
namespace {

// Block sizes are kept well inside int, whatever a script prints.
constexpr std::int64_t kLargestExtent = std::int64_t{1} << 24;

int Pixels(std::int64_t value_64) { return static_cast<int>(std::clamp<std::int64_t>((value_64 + 32) >> 6, -kLargestExtent, kLargestExtent)); }

std::vector<std::u32string_view> SplitLines(std::u32string_view text) {
  std::vector<std::u32string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != U'\n' && text[i] != U'\r') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == U'\r' && i + 1 < text.size() && text[i + 1] == U'\n') ++i;
    start = i + 1;
  }
  lines.push_back(text.substr(start));
  return lines;
}

struct LineExtent {
  int left = 0;   // leftmost ink or pen start, whichever is further left (<= 0)
  int right = 0;  // rightmost ink or pen end
};

LineExtent SetLine(FontFace& face, std::u32string_view text, LaidOutLine& line) {
  LineExtent extent;
  std::int64_t pen = 0;
  unsigned previous = 0;
  for (const char32_t character : text) {
    if (character < U' ' || character == U'\x7F') continue;
    const unsigned index = face.GlyphIndex(character);
    pen += face.Kerning(previous, index);
    const Glyph& glyph = face.Render(index);
    const int x = Pixels(pen);
    if (glyph.width > 0) {
      extent.left = std::min(extent.left, x + glyph.left);
      extent.right = std::max(extent.right, x + glyph.left + glyph.width);
    }
    line.glyphs.push_back({index, x});
    pen = std::min<std::int64_t>(pen + glyph.advance, kLargestExtent * 64);
    previous = index;
  }
  line.advance = Pixels(pen);
  extent.right = std::max(extent.right, line.advance);
  return extent;
}

}  // namespace

TextLayout LayOutText(FontFace& face, std::u32string_view text, TextAlignment alignment) {
  TextLayout layout;
  std::vector<LineExtent> extents;
  const int line_height = face.metrics().line_height;
  for (const std::u32string_view line_text : SplitLines(text)) {
    LaidOutLine& line = layout.lines.emplace_back();
    extents.push_back(SetLine(face, line_text, line));
    layout.width = std::max(layout.width, extents.back().right - extents.back().left);
    layout.width = static_cast<int>(std::min<std::int64_t>(layout.width, kLargestExtent));
  }
  const std::int64_t height = static_cast<std::int64_t>(layout.lines.size()) * line_height;
  layout.height = static_cast<int>(std::min(height, kLargestExtent));
  for (std::size_t i = 0; i < layout.lines.size(); ++i) {
    LaidOutLine& line = layout.lines[i];
    const int width = extents[i].right - extents[i].left;
    const int space = layout.width - width;
    const int offset = alignment == TextAlignment::kLeft ? 0 : alignment == TextAlignment::kCentre ? space / 2 : space;
    line.x = offset - extents[i].left;
    const std::int64_t baseline = static_cast<std::int64_t>(i) * line_height + face.metrics().ascender;
    line.baseline = static_cast<int>(std::min(baseline, kLargestExtent));
  }
  return layout;
}

}  // namespace velmora::image
