// The text stamp on a clone: where its box lands in the 3 x 3 grid with
// offsets and turns, the readable-colour rule, box, frame, opacity and the
// styles, each found by its pixels.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "../magick_fixtures.h"
#include "image/resize/resize_image.h"
#include "image/stamps/readable_colour.h"
#include "image/stamps/text_stamp_drawing.h"
#include "image/text/font_cache.h"
#include "pixel_support.h"
#include "support/required_tool.h"
#include "support/temp_dir.h"

namespace velmora::image {
namespace {

using test::At;
using test::Box;
using test::BoxOf;
using test::BoxOfColour;
using test::Flat;
using test::Same;

constexpr Rgb kGrey{128, 128, 128};
constexpr Rgb kBoxColour{10, 200, 30};

class TextStampTest : public ::testing::Test {
 protected:
  // Light text on an opaque box, so that the box shows where the block is.
  static TextStampStyle BoxStyle() {
    TextStampStyle style;
    style.height = 20;
    style.colour = ColourValue({250, 250, 250});
    style.background_colour = ColourValue(kBoxColour);
    style.background_opacity = 100;
    return style;
  }

  // Everything unlike the flat grey picture: the box with the text on it.
  static Box Changed(const RgbBuffer& image, Rgb background = kGrey) {
    return BoxOf(image, [background](Rgb c) { return !(c == background); });
  }

  static int Along(int cell, int extent, int size, int offset) {
    if (cell == 0) return offset;
    if (cell == 2) return extent - size + offset;
    return static_cast<int>(std::nearbyint((extent - size) / 2.0 + offset));
  }

  static RgbBuffer Crop(const RgbBuffer& image, PixelRegion region) {
    RgbBuffer out(region.width, region.height);
    for (int y = 0; y < region.height; ++y) {
      std::copy_n(image.pixel(region.x, region.y + y), out.stride(), out.row(y));
    }
    return out;
  }

  FontCache fonts_;
};

// The box (one pixel wider than the text block on every side) lands in each
// cell as the grid says, for both offset signs and every turn; a turned
// block swaps its width and height.
TEST_F(TextStampTest, TheBoxLandsInItsCellForEveryTurnAndOffsetSign) {
  constexpr int kW = 400, kH = 300;
  int upright_width = 0, upright_height = 0;
  for (int direction = 0; direction <= 3; ++direction) {
    for (int position = 1; position <= 9; ++position) {
      for (const int offset : {10, -10}) {
        SCOPED_TRACE("direction " + std::to_string(direction) + ", position " + std::to_string(position) +
                     ", offset " + std::to_string(offset));
        RgbBuffer image = Flat(kW, kH, kGrey);
        TextStampStyle style = BoxStyle();
        style.direction = direction;
        style.position = position;
        style.offset_x = offset;
        style.offset_y = offset;
        const DrawnTextStamp drawn = DrawTextStamp(image, "Kapelle 12", style, fonts_);
        ASSERT_TRUE(drawn.drawn);
        const int w = drawn.block.width, h = drawn.block.height;
        if (direction == 0) {
          upright_width = w;
          upright_height = h;
        }
        const bool quarter = direction == 1 || direction == 3;
        EXPECT_EQ(w, quarter ? upright_height : upright_width);
        EXPECT_EQ(h, quarter ? upright_width : upright_height);
        const int x = Along((position - 1) % 3, kW, w, offset);
        const int y = Along((position - 1) / 3, kH, h, offset);
        const Box expected{std::max(x - 1, 0), std::max(y - 1, 0), std::min(x + w, kW - 1), std::min(y + h, kH - 1)};
        EXPECT_EQ(Changed(image), expected);
        EXPECT_EQ(At(image, expected.left, expected.top), kBoxColour);
      }
    }
  }
  EXPECT_GT(upright_width, 3 * upright_height);
}

TEST_F(TextStampTest, BottomRightWithPositiveOffsetsHangsOutsideAndNegativeOnesStayInside) {
  RgbBuffer outside = Flat(300, 200, kGrey);
  TextStampStyle style = BoxStyle();
  style.position = 9;
  const DrawnTextStamp beyond = DrawTextStamp(outside, "Ecke", style, fonts_);
  EXPECT_EQ(beyond.block.x, 300 - beyond.block.width + 10);
  EXPECT_EQ(beyond.block.y, 200 - beyond.block.height + 10);
  // The part inside the picture reaches its edges.
  EXPECT_EQ(Changed(outside), (Box{beyond.block.x - 1, beyond.block.y - 1, 299, 199}));

  RgbBuffer inside = Flat(300, 200, kGrey);
  style.offset_x = style.offset_y = -10;
  const DrawnTextStamp within = DrawTextStamp(inside, "Ecke", style, fonts_);
  EXPECT_EQ(Changed(inside), (Box{within.block.x - 1, within.block.y - 1, 300 - 10, 200 - 10}));
}

// Each turn is the upright block as ImageMagick rotates it: direction 1 a
// quarter turn clockwise (the text reads downwards), 2 a half turn, 3 a
// quarter turn counter-clockwise.
TEST_F(TextStampTest, TurnedBlocksAreTheUprightBlockRotated) {
  VELMORA_REQUIRE_TOOL(test::HaveConvert(), "ImageMagick's convert");
  velmora::test::TempDir dir;
  auto stamp = [this](int direction) {
    RgbBuffer image = Flat(300, 300, kGrey);
    TextStampStyle style = BoxStyle();
    style.height = 24;
    style.direction = direction;
    style.position = 5;
    style.underline = true;
    const DrawnTextStamp drawn = DrawTextStamp(image, "Fjord%\\Lq", style, fonts_);
    return Crop(image, drawn.block);
  };
  test::WritePpm(stamp(0), dir / "upright.ppm");
  for (int direction = 1; direction <= 3; ++direction) {
    const std::filesystem::path turned = dir / ("turned" + std::to_string(direction) + ".ppm");
    ASSERT_TRUE(test::Magick((dir / "upright.ppm").string() + " -rotate " + std::to_string(90 * direction) + " " +
                             turned.string()));
    EXPECT_TRUE(Same(stamp(direction), test::MagickDecode(turned))) << "direction " << direction;
  }
}

TEST_F(TextStampTest, ReadableColourIsBlackOnWhiteAndOnPureBlueAndWhiteOnBlack) {
  struct Case {
    Rgb picture;
    std::int32_t chosen;
  };
  // Pure blue counts as light and pure red as dark: the rule compares packed
  // values, in which blue weighs most. Mid grey itself is not above mid grey.
  for (const Case c : {Case{{255, 255, 255}, 0}, Case{{0, 0, 255}, 0}, Case{{0, 0, 0}, 16777215},
                       Case{{255, 0, 0}, 16777215}, Case{{127, 127, 127}, 16777215}, Case{{128, 127, 127}, 0},
                       Case{{255, 255, 126}, 16777215}}) {
    RgbBuffer image = Flat(200, 100, c.picture);
    TextStampStyle style;
    style.height = 30;
    style.colour = ColourValue({255, 0, 255});
    style.readable = true;
    const DrawnTextStamp drawn = DrawTextStamp(image, "Lesbar", style, fonts_);
    EXPECT_EQ(drawn.colour, c.chosen) << int{c.picture.r} << "," << int{c.picture.g} << "," << int{c.picture.b};
    // The ink is in the chosen colour, not the stamp's own.
    const Rgb ink = RgbFromColourValue(c.chosen);
    EXPECT_FALSE(BoxOfColour(image, ink).empty());
    EXPECT_TRUE(BoxOfColour(image, {255, 0, 255}).empty());
  }
}

TEST_F(TextStampTest, ReadableColourLooksOnlyUnderTheBlockAndSeesTheBox) {
  // Left half black, right half white: a stamp on the right turns black.
  RgbBuffer image = Flat(400, 100, {255, 255, 255});
  for (int y = 0; y < 100; ++y) std::fill_n(image.pixel(0, y), 200 * 3, 0);
  EXPECT_EQ(ReadableColour(image, {0, 0, 200, 100}), (Rgb{255, 255, 255}));
  EXPECT_EQ(ReadableColour(image, {200, 0, 400, 100}), (Rgb{0, 0, 0}));
  EXPECT_EQ(AverageColour(image, 100, 0, 300, 100), (Rgb{128, 128, 128}));
  // Only the part inside the picture counts: the white beyond the left
  // edge does not lighten the black under the rest.
  EXPECT_EQ(ReadableColour(image, {-1000, 0, 100, 100}), (Rgb{255, 255, 255}));
  // A block wholly outside the picture has nothing under it, which counts as white.
  EXPECT_EQ(ReadableColour(image, {500, 0, 510, 10}), (Rgb{0, 0, 0}));

  TextStampStyle style;
  style.position = 3;
  style.readable = true;
  RgbBuffer right = image.Clone();
  EXPECT_EQ(DrawTextStamp(right, "Rechts", style, fonts_).colour, 0);
  // An opaque dark box goes down first, so the text on it turns white.
  style.background_colour = ColourValue({0, 0, 40});
  style.background_opacity = 100;
  EXPECT_EQ(DrawTextStamp(right, "Rechts", style, fonts_).colour, 16777215);
}

// Automatic alignment follows the column of the cell: left, centre, right.
TEST_F(TextStampTest, AutomaticAlignmentFollowsTheColumn) {
  auto draw = [this](int position, int alignment) {
    RgbBuffer image = Flat(400, 300, kGrey);
    TextStampStyle style = BoxStyle();
    style.position = position;
    style.alignment = alignment;
    DrawTextStamp(image, "eine lange Zeile%\\kurz", style, fonts_);
    return image;
  };
  for (int position = 1; position <= 9; ++position) {
    const int column = (position - 1) % 3 + 1;
    EXPECT_TRUE(Same(draw(position, 0), draw(position, column))) << position;
    EXPECT_FALSE(Same(draw(position, 0), draw(position, column % 3 + 1))) << position;
  }
  // Values beyond 3 count as automatic.
  EXPECT_TRUE(Same(draw(6, 7), draw(6, 3)));
  // A cell outside the grid is the top-left one, for the alignment too.
  EXPECT_TRUE(Same(draw(42, 0), draw(42, 1)));
  EXPECT_TRUE(Same(draw(42, 0), draw(1, 0)));
}

TEST_F(TextStampTest, AnEmptyTextDrawsNeitherBoxNorFrame) {
  RgbBuffer image = Flat(100, 80, kGrey);
  TextStampStyle style = BoxStyle();
  style.frame_colour = 0;
  style.frame_width = 5;
  EXPECT_FALSE(DrawTextStamp(image, "", style, fonts_).drawn);
  EXPECT_TRUE(Changed(image).empty());
  RgbBuffer empty;
  EXPECT_FALSE(DrawTextStamp(empty, "Text", style, fonts_).drawn);
}

TEST_F(TextStampTest, LineBreakMarkSplitsTheTextIntoTwoLines) {
  TextStampStyle style;
  style.height = 30;
  style.colour = 0;
  RgbBuffer one = Flat(400, 200, {255, 255, 255});
  RgbBuffer two = Flat(400, 200, {255, 255, 255});
  const DrawnTextStamp single = DrawTextStamp(one, "Oben Unten", style, fonts_);
  const DrawnTextStamp split = DrawTextStamp(two, "Oben%\\Unten", style, fonts_);
  EXPECT_EQ(split.block.height, 2 * single.block.height);
  EXPECT_LT(split.block.width, single.block.width);
  // Two bands of ink with a clear row between them.
  std::vector<bool> inked(200);
  for (int y = 0; y < 200; ++y) {
    for (int x = 0; x < 400; ++x) inked[y] = inked[y] || two.pixel(x, y)[0] < 128;
  }
  int bands = 0;
  for (int y = 1; y < 200; ++y) bands += inked[y] && !inked[y - 1];
  EXPECT_EQ(bands, 2);
  // A lone "%" or "\" is text, not a break.
  RgbBuffer marks = Flat(400, 200, {255, 255, 255});
  EXPECT_EQ(DrawTextStamp(marks, "50% \\ 3", style, fonts_).block.height, single.block.height);
}

TEST_F(TextStampTest, BoxAndTextBlendAtTheirOpacities) {
  RgbBuffer image = Flat(300, 100, {0, 0, 0});
  TextStampStyle style;
  style.height = 60;
  style.colour = ColourValue({255, 255, 255});
  style.opacity = 50;
  style.background_colour = ColourValue({200, 100, 0});
  style.background_opacity = 50;
  const DrawnTextStamp drawn = DrawTextStamp(image, "I", style, fonts_);
  // The box's margin holds the box colour at half strength.
  EXPECT_EQ(At(image, drawn.block.x - 1, drawn.block.y - 1), (Rgb{100, 50, 0}));
  // Fully covered text pixels are half-way between the box and white.
  int brightest = 0;
  for (int y = drawn.block.y; y < drawn.block.y + drawn.block.height; ++y) {
    for (int x = drawn.block.x; x < drawn.block.x + drawn.block.width; ++x) brightest = std::max<int>(brightest, image.pixel(x, y)[1]);
  }
  EXPECT_EQ(brightest, (50 + 255 + 1) / 2);

  RgbBuffer untouched = Flat(300, 100, {0, 0, 0});
  style.opacity = 0;
  style.background_colour = -1;
  DrawTextStamp(untouched, "I", style, fonts_);
  EXPECT_TRUE(Changed(untouched, {0, 0, 0}).empty());
}

TEST_F(TextStampTest, FrameRingsSurroundTheBoxOpaque) {
  RgbBuffer image = Flat(300, 200, kGrey);
  TextStampStyle style = BoxStyle();
  style.position = 5;
  style.offset_x = style.offset_y = 0;
  style.frame_colour = ColourValue({0, 0, 255});
  style.frame_width = 3;
  const DrawnTextStamp drawn = DrawTextStamp(image, "Rahmen", style, fonts_);
  const PixelRegion b = drawn.block;
  // Rings 1 to 3 outside the block; ring 1 lies on the box's margin.
  for (int i = 1; i <= 3; ++i) {
    EXPECT_EQ(At(image, b.x - i, b.y + b.height / 2), (Rgb{0, 0, 255})) << i;
    EXPECT_EQ(At(image, b.x + b.width - 1 + i, b.y + b.height / 2), (Rgb{0, 0, 255})) << i;
    EXPECT_EQ(At(image, b.x + 2, b.y - i), (Rgb{0, 0, 255})) << i;
    EXPECT_EQ(At(image, b.x + 2, b.y + b.height - 1 + i), (Rgb{0, 0, 255})) << i;
  }
  EXPECT_EQ(Changed(image), (Box{b.x - 3, b.y - 3, b.x + b.width + 2, b.y + b.height + 2}));
  // A frame without a colour is no frame.
  RgbBuffer plain = Flat(300, 200, kGrey);
  style.frame_colour = -1;
  DrawTextStamp(plain, "Rahmen", style, fonts_);
  EXPECT_EQ(Changed(plain), (Box{b.x - 1, b.y - 1, b.x + b.width, b.y + b.height}));
}

TEST_F(TextStampTest, BoldItalicAndFaceChangeTheInk) {
  auto ink = [this](TextStampStyle style) {
    RgbBuffer image = Flat(400, 120, {255, 255, 255});
    style.height = 40;
    style.colour = 0;
    DrawTextStamp(image, "Illinois", style, fonts_);
    return image;
  };
  const RgbBuffer regular = ink({});
  TextStampStyle bold_style;
  bold_style.weight = 700;
  const RgbBuffer bold = ink(bold_style);
  EXPECT_GT(test::InkMass(bold), test::InkMass(regular) * 5 / 4);
  // Italic: the top of the stems lies right of their foot.
  TextStampStyle italic_style;
  italic_style.italic = true;
  const RgbBuffer italic = ink(italic_style);
  auto first_ink_in_row = [](const RgbBuffer& image, int y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y)[0] < 128) return x;
    }
    return -1;
  };
  const Box box = test::InkBox(italic);
  EXPECT_GT(first_ink_in_row(italic, box.top + 2), first_ink_in_row(italic, box.bottom - 2) + 3);
  EXPECT_LE(std::abs(first_ink_in_row(regular, 30) - first_ink_in_row(regular, 45)), 1);
  // A serif face draws other shapes than the default sans.
  TextStampStyle serif;
  serif.font = "Times New Roman";
  EXPECT_FALSE(Same(ink(serif), regular));
}

TEST_F(TextStampTest, HostileSettingsDrawWithinThePictureOrNotAtAll) {
  const int big = std::numeric_limits<int>::max();
  const int small = std::numeric_limits<int>::min();
  TextStampStyle style = BoxStyle();
  for (const int value : {big, small, 0, -1}) {
    style.position = value;
    style.offset_x = value;
    style.offset_y = value == small ? big : -value;
    style.height = value;
    style.weight = value;
    style.direction = value;
    style.alignment = value;
    style.opacity = value;
    style.background_opacity = value;
    style.frame_colour = 255;
    style.frame_width = value;
    RgbBuffer image = Flat(64, 48, kGrey);
    DrawTextStamp(image, "x%\\", style, fonts_);
    EXPECT_EQ(image.width(), 64);
  }
  // A colour beyond 24 bits keeps its low three bytes; a negative one is none.
  style = BoxStyle();
  style.background_colour = (std::int64_t{1} << 40) + ColourValue({1, 2, 3});
  RgbBuffer image = Flat(200, 100, kGrey);
  const DrawnTextStamp drawn = DrawTextStamp(image, "Farbe", style, fonts_);
  EXPECT_EQ(At(image, drawn.block.x - 1, drawn.block.y - 1), (Rgb{1, 2, 3}));
}

TEST(TextStampStyle, BoxAndFrameOnlyWhenSwitchedOn) {
  CTextStamp stamp;
  stamp.SetBackgroundColor(ColourValue({1, 2, 3}));
  stamp.SetBorderColor(ColourValue({4, 5, 6}));
  stamp.SetColorReadable(1);
  EXPECT_EQ(TextStampStyleOf(stamp).background_colour, -1);
  EXPECT_EQ(TextStampStyleOf(stamp).frame_colour, -1);
  EXPECT_TRUE(TextStampStyleOf(stamp).readable);
  stamp.SetBackground(1);
  stamp.SetBorder(1);
  stamp.SetColorReadable(2);
  EXPECT_EQ(TextStampStyleOf(stamp).background_colour, ColourValue({1, 2, 3}));
  EXPECT_EQ(TextStampStyleOf(stamp).frame_colour, ColourValue({4, 5, 6}));
  // Only 1 switches the rule on, as for the box and the frame.
  EXPECT_FALSE(TextStampStyleOf(stamp).readable);
  stamp.SetBackground(2);
  EXPECT_EQ(TextStampStyleOf(stamp).background_colour, -1);
  // Defaults: Arial 15, white, top left, 10 pixels in.
  const TextStampStyle defaults = TextStampStyleOf(CTextStamp());
  EXPECT_EQ(defaults.font, "Arial");
  EXPECT_EQ(defaults.height, 15);
  EXPECT_EQ(defaults.colour, 16777215);
  EXPECT_EQ(defaults.position, 1);
  EXPECT_EQ(defaults.offset_x, 10);
}

}  // namespace
}  // namespace velmora::image
