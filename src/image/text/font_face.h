// One font file opened at one pixel size: its line metrics, its character
// map, its kerning and its glyphs rendered as 8-bit coverage (anti-aliased),
// kept for the face's life so that a stamp drawn on every clone renders each
// character once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "image/text/font_finder.h"

struct FT_FaceRec_;
struct FT_LibraryRec_;

namespace velmora::image {

// A rendered glyph: coverage 0-255, rows top to bottom.
struct Glyph {
  std::vector<std::uint8_t> coverage;
  int width = 0;
  int rows = 0;
  int left = 0;               // from the pen position to the first column
  int top = 0;                // from the baseline up to the first row
  std::int32_t advance = 0;   // pen movement, 1/64 pixel
};

// Whole pixels; offsets are measured from the baseline.
struct FaceMetrics {
  int ascender = 0;            // above the baseline
  int descender = 0;           // below the baseline
  int line_height = 0;         // ascender + descender: one line of a block
  int underline_offset = 0;    // top of the underline, below the baseline
  int underline_thickness = 1;
  int strikeout_offset = 0;    // top of the strikeout line, above the baseline
  int strikeout_thickness = 1;
};

class FontFace {
 public:
  // Nothing when the file cannot be opened as a scalable face.
  static std::unique_ptr<FontFace> Open(FT_LibraryRec_* library, const FontFile& file, int pixel_height);
  ~FontFace();
  FontFace(const FontFace&) = delete;
  FontFace& operator=(const FontFace&) = delete;

  const FaceMetrics& metrics() const { return metrics_; }
  const std::string& family() const { return family_; }
  // 0 is the face's box for characters it lacks.
  unsigned GlyphIndex(char32_t character) const;
  // The kerning between two glyphs, 1/64 pixel (0 when the face has none).
  std::int32_t Kerning(unsigned left, unsigned right) const;
  // The rendered glyph; an empty one when the face cannot render it. The
  // reference stays valid until the face renders a glyph it does not keep
  // (the cache is bounded), so use it before asking for the next.
  const Glyph& Render(unsigned index);
  // Bytes of coverage kept for later renders; bounded whatever the size.
  std::size_t cached_bytes() const { return cached_bytes_; }

 private:
  FontFace(FT_FaceRec_* face, const FontFile& file);
  void Measure();
  Glyph Load(unsigned index) const;

  FT_FaceRec_* face_;
  std::string family_;
  bool synthetic_bold_;
  bool synthetic_italic_;
  bool has_kerning_ = false;
  FaceMetrics metrics_;
  std::unordered_map<unsigned, Glyph> glyphs_;
  std::size_t cached_bytes_ = 0;
  Glyph uncached_;
};

}  // namespace velmora::image
