// Text rendering: faces found by name with their free twins and fallbacks,
// lines set with kerning and drawn anti-aliased, measured against
// ImageMagick drawing the same text with the same font file.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "image/text/font_aliases.h"
#include "image/text/font_cache.h"
#include "image/text/font_face.h"
#include "image/text/font_finder.h"
#include "image/text/text_layout.h"
#include "image/text/text_raster.h"
#include "image/magick_fixtures.h"
#include "image/stamps/pixel_support.h"
#include "platform/text_encoding.h"
#include "support/required_tool.h"
#include "support/temp_dir.h"

namespace velmora::image {
namespace {

using test::Box;
using test::InkBox;

TEST(FontAliases, WindowsFacesMapToTheirMetricTwins) {
  EXPECT_EQ(MetricCompatibleFace("Arial"), "Liberation Sans");
  EXPECT_EQ(MetricCompatibleFace("arial"), "Liberation Sans");
  EXPECT_EQ(MetricCompatibleFace("Times New Roman"), "Liberation Serif");
  EXPECT_EQ(MetricCompatibleFace("TimesNewRoman"), "Liberation Serif");
  EXPECT_EQ(MetricCompatibleFace("Courier New"), "Liberation Mono");
  EXPECT_EQ(MetricCompatibleFace("Arial Narrow"), "Liberation Sans Narrow");
  // Only a whole name maps: "Arial Black" has other widths.
  EXPECT_EQ(MetricCompatibleFace("Arial Black"), "Arial Black");
  EXPECT_EQ(MetricCompatibleFace("Verdana"), "Verdana");
  EXPECT_FALSE(SameFamily("Arial", "Arial Narrow"));
  EXPECT_FALSE(SameFamily("", "Arial"));
}

class FontFinderTest : public ::testing::Test {
 protected:
  static std::string FileName(const std::optional<FontFile>& file) {
    return file ? file->path.filename().string() : std::string("(none)");
  }
  FontFinder finder_;
};

TEST_F(FontFinderTest, WindowsNamesFindTheLiberationFaces) {
  EXPECT_EQ(FileName(finder_.Find({.family = "Arial"})), "LiberationSans-Regular.ttf");
  EXPECT_EQ(FileName(finder_.Find({.family = "Times New Roman", .weight = 700})), "LiberationSerif-Bold.ttf");
  EXPECT_EQ(FileName(finder_.Find({.family = "Courier New", .italic = true})), "LiberationMono-Italic.ttf");
  const auto bold_italic = finder_.Find({.family = "Arial", .weight = 700, .italic = true});
  EXPECT_EQ(FileName(bold_italic), "LiberationSans-BoldItalic.ttf");
  ASSERT_TRUE(bold_italic);
  EXPECT_FALSE(bold_italic->synthetic_bold || bold_italic->synthetic_italic);
}

TEST_F(FontFinderTest, MissingOrEmptyFaceFallsBackToTheInstalledSans) {
  for (const char* name : {"Keine Solche Schrift", "", "   ", "Wingdings"}) {
    const auto file = finder_.Find({.family = name});
    ASSERT_TRUE(file) << name;
    EXPECT_EQ(file->family, "Liberation Sans") << name;
  }
  // The fallback keeps the asked-for style.
  EXPECT_EQ(FileName(finder_.Find({.family = "Keine Solche Schrift", .weight = 800})), "LiberationSans-Bold.ttf");
}

TEST_F(FontFinderTest, AFaceWithoutTheStyleIsThickenedOrSlantedByTheRenderer) {
  // DejaVu's mathematics face comes in one style only.
  const auto file = finder_.Find({.family = "DejaVu Math TeX Gyre", .weight = 700, .italic = true});
  ASSERT_TRUE(file);
  EXPECT_EQ(file->path.filename().string(), "DejaVuMathTeXGyre.ttf");
  EXPECT_TRUE(file->synthetic_bold);
  EXPECT_TRUE(file->synthetic_italic);
  const auto regular = finder_.Find({.family = "DejaVu Math TeX Gyre", .weight = 400});
  ASSERT_TRUE(regular);
  EXPECT_FALSE(regular->synthetic_bold || regular->synthetic_italic);
}

// Draws text in black on white with the pen of the first line at
// (pen_x, baseline), as ImageMagick's -annotate places it.
struct Drawn {
  RgbBuffer image;
  TextLayout layout;
};

Drawn DrawOnWhite(FontFace& face, std::u32string_view text, int width, int height, int pen_x, int baseline,
                  TextAlignment alignment = TextAlignment::kLeft, TextDecoration decoration = {}) {
  Drawn drawn{test::Flat(width, height, {255, 255, 255}), LayOutText(face, text, alignment)};
  const int x = pen_x - drawn.layout.lines.front().x;
  const int y = baseline - face.metrics().ascender;
  const CoverageMask mask = RasterizeText(face, drawn.layout, decoration, BlockTurn::kNone, x, y, {0, 0, width, height});
  // Black at full coverage: each pixel as dark as the glyph covers it.
  for (int row = 0; row < mask.region.height; ++row) {
    for (int column = 0; column < mask.region.width; ++column) {
      const int ix = mask.region.x + column, iy = mask.region.y + row;
      std::uint8_t* p = drawn.image.pixel(ix, iy);
      p[0] = p[1] = p[2] = static_cast<std::uint8_t>(255 - mask.at(ix, iy));
    }
  }
  return drawn;
}

class TextAgainstMagick : public ::testing::Test {
 protected:
  void SetUp() override { VELMORA_REQUIRE_TOOL(test::HaveConvert(), "ImageMagick's convert"); }

  // ImageMagick's drawing of UTF-8 text with the font file.
  RgbBuffer Magick(const FontFile& font, int size, const std::string& utf8, int width, int height, int pen_x,
                   int baseline) {
    const std::filesystem::path out = dir_ / "magick.ppm";
    EXPECT_TRUE(test::Magick("-size " + std::to_string(width) + "x" + std::to_string(height) + " xc:white -font '" +
                             font.path.string() + "' -pointsize " + std::to_string(size) + " -fill black -annotate +" +
                             std::to_string(pen_x) + "+" + std::to_string(baseline) + " '" + utf8 + "' " + out.string()));
    return test::MagickDecode(out);
  }

  static void ExpectWithinTwoPixels(const Box& ours, const Box& theirs, const std::string& what) {
    ASSERT_FALSE(ours.empty()) << what;
    ASSERT_FALSE(theirs.empty()) << what;
    EXPECT_LE(std::abs(ours.left - theirs.left), 2) << what << ": ours " << ours << ", ImageMagick " << theirs;
    EXPECT_LE(std::abs(ours.right - theirs.right), 2) << what << ": ours " << ours << ", ImageMagick " << theirs;
    EXPECT_LE(std::abs(ours.top - theirs.top), 2) << what << ": ours " << ours << ", ImageMagick " << theirs;
    EXPECT_LE(std::abs(ours.bottom - theirs.bottom), 2) << what << ": ours " << ours << ", ImageMagick " << theirs;
  }

  velmora::test::TempDir dir_;
  FontFinder finder_;
  FontCache fonts_;
};

TEST_F(TextAgainstMagick, InkBoxAgreesWithinTwoPixels) {
  struct Case {
    const char* family;
    int size;
    const char* text;
  };
  // Kerned pairs (AV, To, Wa, Yo), descenders, digits, three faces and sizes.
  for (const Case& c : {Case{"Arial", 40, "Velmora Wasserfall 2024"}, Case{"Arial", 32, "AVATAR To Wa Yo"},
                        Case{"Times New Roman", 27, "gjpqy Quelle (1999)"}, Case{"Courier New", 18, "Kanal 7/12"},
                        Case{"Arial", 12, "Kleine Schrift"}}) {
    const FontRequest request{.family = c.family, .pixel_height = c.size};
    const auto file = finder_.Find(request);
    ASSERT_TRUE(file);
    FontFace* face = fonts_.Face(request);
    ASSERT_NE(face, nullptr);
    const Drawn ours = DrawOnWhite(*face, Cp1252ToCodePoints(c.text), 700, 120, 20, 80);
    const RgbBuffer theirs = Magick(*file, c.size, c.text, 700, 120, 20, 80);
    ExpectWithinTwoPixels(InkBox(ours.image), InkBox(theirs), c.text);
  }
}

// The Windows-1252 bytes of a stamp text are the characters they mean: ä,
// the euro sign (0x80) and the copyright sign, not missing-glyph boxes.
TEST_F(TextAgainstMagick, Cp1252TextDrawsTheCharactersItMeans) {
  const FontRequest request{.family = "Arial", .pixel_height = 48};
  const auto file = finder_.Find(request);
  ASSERT_TRUE(file);
  FontFace* face = fonts_.Face(request);
  ASSERT_NE(face, nullptr);
  const Drawn ours = DrawOnWhite(*face, Cp1252ToCodePoints("\xE4\x80\xA9"), 300, 100, 20, 70);
  const RgbBuffer theirs = Magick(*file, 48, "\xC3\xA4\xE2\x82\xAC\xC2\xA9", 300, 100, 20, 70);
  ExpectWithinTwoPixels(InkBox(ours.image), InkBox(theirs), "\xC3\xA4\xE2\x82\xAC\xC2\xA9");
  const double ratio = static_cast<double>(test::InkMass(ours.image)) / static_cast<double>(test::InkMass(theirs));
  EXPECT_NEAR(ratio, 1.0, 0.1);
  // Pixel by pixel the two drawings are close, which boxes would not be.
  double difference = 0;
  for (std::size_t i = 0; i < ours.image.size(); i += 3) difference += std::abs(ours.image.data()[i] - theirs.data()[i]);
  EXPECT_LT(difference / static_cast<double>(test::InkMass(theirs)), 0.35);
  // Each of the three has a glyph of its own in the face.
  for (const char32_t c : Cp1252ToCodePoints("\xE4\x80\xA9")) EXPECT_NE(face->GlyphIndex(c), 0u);
}

class TextLayoutTest : public ::testing::Test {
 protected:
  FontFace& Face(int size = 30, const char* family = "Arial") {
    FontFace* face = fonts_.Face({.family = family, .pixel_height = size});
    if (face == nullptr) throw std::runtime_error("no font");
    return *face;
  }
  FontCache fonts_;
};

TEST_F(TextLayoutTest, KerningPullsPairsTogether) {
  FontFace& face = Face(40);
  const TextLayout pair = LayOutText(face, U"AV", TextAlignment::kLeft);
  const TextLayout a = LayOutText(face, U"A", TextAlignment::kLeft);
  const TextLayout v = LayOutText(face, U"V", TextAlignment::kLeft);
  EXPECT_LE(pair.lines[0].advance, a.lines[0].advance + v.lines[0].advance - 2);
  EXPECT_EQ(LayOutText(face, U"HH", TextAlignment::kLeft).lines[0].advance,
            2 * LayOutText(face, U"H", TextAlignment::kLeft).lines[0].advance);
}

TEST_F(TextLayoutTest, EveryKindOfLineEndStartsALineAndBlocksStackWholeLines) {
  FontFace& face = Face();
  const TextLayout layout = LayOutText(face, U"Ein\r\nzwei\nlange Zeile\rx", TextAlignment::kLeft);
  ASSERT_EQ(layout.lines.size(), 4u);
  EXPECT_EQ(layout.height, 4 * face.metrics().line_height);
  EXPECT_EQ(layout.lines[3].baseline - layout.lines[2].baseline, face.metrics().line_height);
  EXPECT_EQ(layout.width, LayOutText(face, U"lange Zeile", TextAlignment::kLeft).width);
  // A trailing line end leaves an empty last line, as a typed text would.
  EXPECT_EQ(LayOutText(face, U"a\n", TextAlignment::kLeft).lines.size(), 2u);
  EXPECT_EQ(LayOutText(face, U"", TextAlignment::kLeft).lines.size(), 1u);
}

TEST_F(TextLayoutTest, ControlCharactersDrawNothing) {
  FontFace& face = Face();
  EXPECT_EQ(LayOutText(face, U"a\tb\x01\x7F", TextAlignment::kLeft).width,
            LayOutText(face, U"ab", TextAlignment::kLeft).width);
}

TEST_F(TextLayoutTest, ShortLinesAlignInsideTheBlock) {
  FontFace& face = Face();
  const std::u32string text = U"Ein recht langer Satz\ni";
  for (const TextAlignment alignment : {TextAlignment::kLeft, TextAlignment::kCentre, TextAlignment::kRight}) {
    const Drawn drawn = DrawOnWhite(face, text, 500, 120, 10, 40, alignment);
    const int block_left = 10 - drawn.layout.lines[0].x;
    const int block_right = block_left + drawn.layout.width - 1;
    // The ink of the short second line.
    RgbBuffer second = drawn.image.Clone();
    for (int y = 0; y < 40 + face.metrics().descender; ++y) {
      for (int x = 0; x < second.width(); ++x) std::fill_n(second.pixel(x, y), 3, 255);
    }
    const Box ink = InkBox(second);
    ASSERT_FALSE(ink.empty());
    if (alignment == TextAlignment::kLeft) {
      EXPECT_LE(ink.left - block_left, 4);
    }
    if (alignment == TextAlignment::kRight) {
      EXPECT_LE(block_right - ink.right, 4);
    }
    if (alignment == TextAlignment::kCentre) {
      EXPECT_LE(std::abs((ink.left + ink.right) - (block_left + block_right)), 6);
    }
  }
}

TEST_F(TextLayoutTest, UnderlineAndStrikeoutRunTheLengthOfEachLine) {
  FontFace& face = Face(40);
  const int baseline = 60;
  const Drawn plain = DrawOnWhite(face, U"ooo\no", 300, 160, 20, baseline);
  const Drawn marked = DrawOnWhite(face, U"ooo\no", 300, 160, 20, baseline, TextAlignment::kLeft, {true, true});
  const int underline = baseline + face.metrics().underline_offset;
  const int strikeout = baseline - face.metrics().strikeout_offset;
  EXPECT_GT(underline, baseline - 1);
  EXPECT_LT(strikeout, baseline - face.metrics().ascender / 4);
  auto dark_run = [](const RgbBuffer& image, int y) {
    int run = 0;
    for (int x = 0; x < image.width(); ++x) run += image.pixel(x, y)[0] < 128;
    return run;
  };
  const int line_width = plain.layout.lines[0].advance;
  EXPECT_GE(dark_run(marked.image, underline), line_width - 1);
  EXPECT_LT(dark_run(plain.image, underline), line_width / 2);
  // The strikeout crosses the gaps between the letters.
  EXPECT_GE(dark_run(marked.image, strikeout), line_width - 1);
  EXPECT_LT(dark_run(plain.image, strikeout), line_width - 4);
  // The second, shorter line has shorter lines of its own.
  const int second = baseline + face.metrics().line_height + face.metrics().underline_offset;
  EXPECT_NEAR(dark_run(marked.image, second), plain.layout.lines[1].advance, 1);
}

TEST_F(TextLayoutTest, APartOfTheBlockOutsideTheClipIsCutOff) {
  FontFace& face = Face(40);
  const TextLayout layout = LayOutText(face, U"Schnitt", TextAlignment::kLeft);
  const CoverageMask whole = RasterizeText(face, layout, {}, BlockTurn::kNone, 0, 0, {0, 0, 1000, 1000});
  const CoverageMask cut = RasterizeText(face, layout, {}, BlockTurn::kNone, -30, -10, {0, 0, 50, 20});
  ASSERT_EQ(cut.region.width, std::min(50, layout.width - 30));
  ASSERT_EQ(cut.region.height, 20);
  for (int y = 0; y < cut.region.height; ++y) {
    for (int x = 0; x < cut.region.width; ++x) ASSERT_EQ(cut.at(x, y), whole.at(x + 30, y + 10)) << x << "," << y;
  }
  EXPECT_TRUE(RasterizeText(face, layout, {}, BlockTurn::kNone, 2000, 0, {0, 0, 1000, 1000}).region.empty());
}

// At the largest size every Windows-1252 character is a big bitmap: the
// face keeps a bounded number of them and renders the rest each time, the
// same as when they were kept.
TEST_F(TextLayoutTest, BigGlyphsBeyondTheCacheRenderAlike) {
  FontFace& face = Face(999);
  std::vector<unsigned> indices;
  for (const char32_t c : Cp1252ToCodePoints(std::string("\x21\x7E\x80\xFF") + "ABCDEFGHIJKLMNOPQRSTUVWXYZ" +
                                             "abcdefghijklmnopqrstuvwxyz0123456789\xC0\xC1\xC2\xC3\xC4\xC5")) {
    indices.push_back(face.GlyphIndex(c));
  }
  for (const unsigned index : indices) face.Render(index);
  EXPECT_LE(face.cached_bytes(), std::size_t{16} << 20);
  FontCache fresh;
  FontFace* other = fresh.Face({.family = "Arial", .pixel_height = 999});
  ASSERT_NE(other, nullptr);
  for (const unsigned index : {indices.back(), indices.front()}) {
    const Glyph& again = face.Render(index);
    const Glyph copy = again;
    const Glyph& first = other->Render(index);
    EXPECT_EQ(copy.coverage, first.coverage);
    EXPECT_EQ(copy.advance, first.advance);
    EXPECT_GT(copy.rows, 300);
  }
}

// A script may print a whole file: the block stays within int, and drawing
// only the visible corner of it stays quick.
TEST_F(TextLayoutTest, AHugeTextStaysBoundedAndQuick) {
  FontFace& face = Face(999);
  const std::u32string text(300000, U'W');
  const auto start = std::chrono::steady_clock::now();
  const TextLayout layout = LayOutText(face, text + U"\n" + text, TextAlignment::kCentre);
  EXPECT_LE(layout.width, 1 << 24);
  EXPECT_GT(layout.width, 1 << 20);
  const CoverageMask mask = RasterizeText(face, layout, {true, true}, BlockTurn::kClockwise, -100, -100, {0, 0, 640, 480});
  EXPECT_EQ(mask.region.width, 640);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
}

}  // namespace
}  // namespace velmora::image
