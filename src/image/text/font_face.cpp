// A FreeType face at one size.
#include "image/text/font_face.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace velmora::image {
namespace {

// Big sizes render big bitmaps; past this many bytes glyphs are rendered
// each time rather than kept.
constexpr std::size_t kGlyphCacheBytes = std::size_t{16} << 20;

// Font units to whole pixels at the face's current size.
int UnitsToPixels(FT_Face face, long units) {
  const long scaled = FT_MulFix(units, face->size->metrics.y_scale);  // 1/64 pixel
  return static_cast<int>(std::lround(static_cast<double>(scaled) / 64.0));
}

int CeilPixels(long value_64) { return static_cast<int>((value_64 + 63) >> 6); }

}  // namespace

std::unique_ptr<FontFace> FontFace::Open(FT_LibraryRec_* library, const FontFile& file, int pixel_height) {
  if (library == nullptr) return nullptr;
  FT_Face face = nullptr;
  if (FT_New_Face(library, file.path.c_str(), file.index, &face) != 0) return nullptr;
  if (!FT_IS_SCALABLE(face) || FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(std::clamp(pixel_height, 1, 999))) != 0) {
    FT_Done_Face(face);
    return nullptr;
  }
  // Windows-1252 texts become Unicode; a face without a Unicode map would
  // draw boxes only.
  if (FT_Select_Charmap(face, FT_ENCODING_UNICODE) != 0) {
    FT_Done_Face(face);
    return nullptr;
  }
  std::unique_ptr<FontFace> opened(new FontFace(face, file));
  opened->Measure();
  return opened;
}

FontFace::FontFace(FT_FaceRec_* face, const FontFile& file)
    : face_(face), family_(file.family), synthetic_bold_(file.synthetic_bold),
      synthetic_italic_(file.synthetic_italic) {}

FontFace::~FontFace() { FT_Done_Face(face_); }

void FontFace::Measure() {
  has_kerning_ = FT_HAS_KERNING(face_);
  const FT_Size_Metrics& size = face_->size->metrics;
  metrics_.ascender = std::max(1, CeilPixels(size.ascender));
  metrics_.descender = std::max(0, CeilPixels(-size.descender));
  metrics_.line_height = metrics_.ascender + metrics_.descender;

  const int em = static_cast<int>(size.y_ppem);
  int underline_thickness = UnitsToPixels(face_, face_->underline_thickness);
  if (underline_thickness <= 0) underline_thickness = std::max(1, em / 14);
  metrics_.underline_thickness = std::max(1, underline_thickness);
  // The font gives the line's centre; a face without it gets a line just
  // below the baseline.
  const int underline_centre = face_->underline_position != 0 ? -UnitsToPixels(face_, face_->underline_position)
                                                              : std::max(1, em / 10);
  metrics_.underline_offset = std::max(0, underline_centre - metrics_.underline_thickness / 2);
  metrics_.underline_offset =
      std::min(metrics_.underline_offset, std::max(0, metrics_.descender - metrics_.underline_thickness));

  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2));
  if (os2 != nullptr && os2->version != 0xFFFF && os2->yStrikeoutSize > 0) {
    metrics_.strikeout_thickness = std::max(1, UnitsToPixels(face_, os2->yStrikeoutSize));
    metrics_.strikeout_offset = UnitsToPixels(face_, os2->yStrikeoutPosition);
  } else {
    metrics_.strikeout_thickness = metrics_.underline_thickness;
    metrics_.strikeout_offset = em / 4 + metrics_.strikeout_thickness;
  }
  metrics_.strikeout_offset = std::clamp(metrics_.strikeout_offset, metrics_.strikeout_thickness, metrics_.ascender);
}

unsigned FontFace::GlyphIndex(char32_t character) const { return FT_Get_Char_Index(face_, character); }

std::int32_t FontFace::Kerning(unsigned left, unsigned right) const {
  if (!has_kerning_ || left == 0 || right == 0) return 0;
  FT_Vector delta{};
  if (FT_Get_Kerning(face_, left, right, FT_KERNING_DEFAULT, &delta) != 0) return 0;
  return static_cast<std::int32_t>(delta.x);
}

Glyph FontFace::Load(unsigned index) const {
  Glyph glyph;
  if (FT_Load_Glyph(face_, index, FT_LOAD_TARGET_LIGHT | FT_LOAD_NO_BITMAP) != 0) return glyph;
  FT_GlyphSlot slot = face_->glyph;
  if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return glyph;
  if (synthetic_italic_) FT_GlyphSlot_Oblique(slot);
  if (synthetic_bold_) FT_GlyphSlot_Embolden(slot);
  glyph.advance = static_cast<std::int32_t>(slot->advance.x);
  if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return glyph;
  const FT_Bitmap& bitmap = slot->bitmap;
  if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY || bitmap.buffer == nullptr) return glyph;
  const int width = static_cast<int>(bitmap.width);
  const int rows = static_cast<int>(bitmap.rows);
  if (width <= 0 || rows <= 0 || std::abs(bitmap.pitch) < width) return glyph;
  const int grays = std::max(2, static_cast<int>(bitmap.num_grays));
  glyph.width = width;
  glyph.rows = rows;
  glyph.left = slot->bitmap_left;
  glyph.top = slot->bitmap_top;
  glyph.coverage.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(rows));
  for (int y = 0; y < rows; ++y) {
    // A negative pitch runs the rows upwards in memory; adding it still
    // moves one row down the picture.
    const unsigned char* source = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
    std::uint8_t* target = glyph.coverage.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
    for (int x = 0; x < width; ++x) {
      target[x] = grays == 256 ? source[x] : static_cast<std::uint8_t>(source[x] * 255 / (grays - 1));
    }
  }
  return glyph;
}

const Glyph& FontFace::Render(unsigned index) {
  if (const auto found = glyphs_.find(index); found != glyphs_.end()) return found->second;
  Glyph glyph = Load(index);
  if (cached_bytes_ + glyph.coverage.size() > kGlyphCacheBytes) {
    uncached_ = std::move(glyph);
    return uncached_;
  }
  cached_bytes_ += glyph.coverage.size();
  return glyphs_.emplace(index, std::move(glyph)).first->second;
}

}  // namespace velmora::image
