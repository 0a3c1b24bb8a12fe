// Setting a text in lines: glyphs along each line with the face's kerning,
// the lines aligned inside a block as wide as the widest line and as high as
// the lines together.
#pragma once

#include <string_view>
#include <vector>

namespace velmora::image {

class FontFace;

enum class TextAlignment { kLeft, kCentre, kRight };

struct PlacedGlyph {
  unsigned index = 0;  // glyph of the face
  int x = 0;           // pen position from the line's start, whole pixels
};

struct LaidOutLine {
  std::vector<PlacedGlyph> glyphs;
  int x = 0;         // where the line's pen starts in the block
  int baseline = 0;  // in the block, from its top
  int advance = 0;   // pen movement over the whole line
};

struct TextLayout {
  std::vector<LaidOutLine> lines;
  int width = 0;   // the widest line, ink that reaches beyond its pen included
  int height = 0;  // lines * the face's line height
};

// Lines end at LF, CR LF or a lone CR; characters below blank (tabs and
// other controls) are left out. An empty text gives one empty line.
TextLayout LayOutText(FontFace& face, std::u32string_view text, TextAlignment alignment);

}  // namespace velmora::image
