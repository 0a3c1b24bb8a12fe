#include "image/stamps/border.h"

#include <gtest/gtest.h>

#include <limits>

#include "pixel_support.h"

namespace velmora::image {
namespace {

using test::At;
using test::Flat;
using test::Gradient;
using test::Picture;
using test::Same;

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr std::int32_t kRedValue = 255;  // blue * 65536 + green * 256 + red

CBorder Border(std::int32_t kind, std::int32_t width = 10, std::int32_t sides = 15) {
  CBorder border;
  border.SetBorderType(kind);
  border.SetWidth(width);
  border.SetPosition(sides);
  border.SetColor(kRedValue);
  border.SetOpacity(100);
  return border;
}

RgbBuffer Applied(const CBorder& border, RgbBuffer image, std::shared_ptr<const StampPicture> frame = nullptr) {
  PreparedBorder prepared(border, std::move(frame));
  prepared.Apply(image);
  return image;
}

// Whether `image` holds `picture` with its top-left corner at (x, y).
bool HoldsAt(const RgbBuffer& image, const RgbBuffer& picture, int x, int y) {
  for (int row = 0; row < picture.height(); ++row) {
    if (!std::equal(picture.row(row), picture.row(row) + picture.stride(), image.pixel(x, y + row))) return false;
  }
  return true;
}

// ---- Bands added around the picture ----

TEST(OutsideBorderTest, BandOnAllSidesGrowsThePictureWithTheBandColourAtTheEdges) {
  const RgbBuffer picture = Gradient(300, 200);
  const RgbBuffer out = Applied(Border(1), picture.Clone());
  ASSERT_EQ(out.width(), 320);
  ASSERT_EQ(out.height(), 220);
  EXPECT_TRUE(HoldsAt(out, picture, 10, 10));
  for (const auto& [x, y] : {std::pair{0, 0}, {319, 219}, {319, 0}, {0, 219}, {9, 110}, {310, 110}, {160, 9}, {160, 210}}) {
    EXPECT_EQ(At(out, x, y), kRed) << x << "," << y;
  }
}

TEST(OutsideBorderTest, OnlyTheChosenSidesGrow) {
  const RgbBuffer picture = Gradient(100, 80);
  const RgbBuffer left = Applied(Border(1, 10, CBorder::kLeft), picture.Clone());
  EXPECT_EQ(left.width(), 110);
  EXPECT_EQ(left.height(), 80);
  EXPECT_TRUE(HoldsAt(left, picture, 10, 0));
  const RgbBuffer top = Applied(Border(1, 10, CBorder::kTop), picture.Clone());
  EXPECT_EQ(top.width(), 100);
  EXPECT_EQ(top.height(), 90);
  EXPECT_TRUE(HoldsAt(top, picture, 0, 10));
  const RgbBuffer right_bottom = Applied(Border(1, 7, CBorder::kRight | CBorder::kBottom), picture.Clone());
  EXPECT_EQ(right_bottom.width(), 107);
  EXPECT_EQ(right_bottom.height(), 87);
  EXPECT_TRUE(HoldsAt(right_bottom, picture, 0, 0));
  EXPECT_EQ(At(right_bottom, 106, 86), kRed);
}

TEST(OutsideBorderTest, MatchingColourIsThePicturesAverage) {
  // Left half black, right half (200, 100, 50): the mean is (100, 50, 25).
  RgbBuffer picture = Flat(40, 20, kBlack);
  for (int y = 0; y < 20; ++y) {
    for (int x = 20; x < 40; ++x) {
      std::uint8_t* p = picture.pixel(x, y);
      p[0] = 200, p[1] = 100, p[2] = 50;
    }
  }
  CBorder border = Border(1, 5);
  border.SetColorFromImage(true);
  const RgbBuffer out = Applied(border, picture.Clone());
  EXPECT_EQ(At(out, 0, 0), (Rgb{100, 50, 25}));
  // The opacity belongs to bands over the picture only.
  border.SetOpacity(0);
  border.SetColorFromImage(false);
  EXPECT_EQ(At(Applied(border, picture.Clone()), 0, 0), kRed);
}

TEST(BorderTest, NoSideUnknownKindsAndUnusableWidthsLeaveThePictureAlone) {
  const RgbBuffer picture = Gradient(60, 40);
  for (const std::int32_t kind : {0, 1, 2}) {
    EXPECT_TRUE(Same(Applied(Border(kind, 10, 0), picture.Clone(), Picture(Flat(3, 3, kWhite))), picture)) << kind;
  }
  EXPECT_TRUE(Same(Applied(Border(3), picture.Clone()), picture));
  EXPECT_TRUE(Same(Applied(Border(-1), picture.Clone()), picture));
  for (const std::int32_t width : {0, -5}) {
    for (const std::int32_t kind : {0, 1}) {
      EXPECT_TRUE(Same(Applied(Border(kind, width), picture.Clone()), picture)) << kind << " " << width;
    }
  }
  // A picture grown beyond what any reader takes is left as it is; a band
  // over the picture that wide simply covers it.
  const std::int32_t huge = std::numeric_limits<std::int32_t>::max();
  EXPECT_TRUE(Same(Applied(Border(1, huge), picture.Clone()), picture));
  EXPECT_TRUE(Same(Applied(Border(1, 600'000, CBorder::kTop | CBorder::kBottom), picture.Clone()), picture));
  EXPECT_TRUE(Same(Applied(Border(0, huge), picture.Clone()), Flat(60, 40, kRed)));
  RgbBuffer empty;
  PreparedBorder(Border(1), nullptr).Apply(empty);
  EXPECT_TRUE(empty.empty());
}

// ---- Picture frames ----

// Six different colours in three columns and two rows.
RgbBuffer Tile() {
  RgbBuffer tile(3, 2);
  const Rgb colours[6] = {{10, 0, 0}, {20, 0, 0}, {30, 0, 0}, {40, 0, 0}, {50, 0, 0}, {60, 0, 0}};
  for (int i = 0; i < 6; ++i) {
    std::uint8_t* p = tile.pixel(i % 3, i / 3);
    p[0] = colours[i].r;
  }
  return tile;
}

TEST(PictureFrameTest, TiledFromTheTopLeftCornerOfTheCanvas) {
  const RgbBuffer picture = Gradient(10, 6);
  const RgbBuffer tile = Tile();
  const RgbBuffer out = Applied(Border(2, 4), picture.Clone(), Picture(tile.Clone()));
  ASSERT_EQ(out.width(), 18);
  ASSERT_EQ(out.height(), 14);
  EXPECT_TRUE(HoldsAt(out, picture, 4, 4));
  for (int y = 0; y < 14; ++y) {
    for (int x = 0; x < 18; ++x) {
      if (x >= 4 && x < 14 && y >= 4 && y < 10) continue;
      EXPECT_EQ(At(out, x, y), At(tile, x % 3, y % 2)) << x << "," << y;
    }
  }
}

TEST(PictureFrameTest, StretchedOverTheWholeCanvas) {
  // Four flat quadrants of 8 x 8 stay flat in the corners when stretched.
  RgbBuffer frame = Flat(16, 16, kBlack);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) frame.pixel(x, y)[0] = static_cast<std::uint8_t>((x < 8 ? 0 : 100) + (y < 8 ? 0 : 50));
  }
  CBorder border = Border(2, 6);
  border.SetImageArrangement(1);
  PreparedBorder prepared(border, Picture(frame.Clone()));
  for (int round = 0; round < 3; ++round) {  // a kept stretched copy gives the same
    RgbBuffer image = Gradient(40, 30);
    prepared.Apply(image);
    ASSERT_EQ(image.width(), 52);
    ASSERT_EQ(image.height(), 42);
    EXPECT_EQ(At(image, 0, 0).r, 0);
    EXPECT_EQ(At(image, 51, 0).r, 100);
    EXPECT_EQ(At(image, 0, 41).r, 50);
    EXPECT_EQ(At(image, 51, 41).r, 150);
    EXPECT_TRUE(HoldsAt(image, Gradient(40, 30), 6, 6));
  }
  // Another clone size gets its own stretched copy.
  RgbBuffer portrait = Gradient(30, 40);
  prepared.Apply(portrait);
  EXPECT_EQ(portrait.width(), 42);
  EXPECT_EQ(At(portrait, 41, 51).r, 150);
}

TEST(PictureFrameTest, TransparentPartsShowTheBorderColour) {
  const RgbBuffer out = Applied(Border(2, 2), Flat(4, 4, kBlack), Picture(Flat(1, 1, kWhite), {0}));
  EXPECT_EQ(At(out, 0, 0), kRed);
}

TEST(PictureFrameTest, WithoutItsPictureTheFrameIsLeftOut) {
  const RgbBuffer picture = Gradient(20, 10);
  EXPECT_TRUE(Same(Applied(Border(2), picture.Clone(), nullptr), picture));
  auto failed = std::make_shared<StampPicture>();
  failed->failure = UnnamedFramePictureFailure();
  EXPECT_TRUE(Same(Applied(Border(2), picture.Clone(), failed), picture));
}

// ---- Bands over the picture ----

CBorder Inside(std::int32_t sides, int opacity = 50) {
  CBorder border = Border(0, 10, sides);
  border.SetColor(16777215);
  border.SetOpacity(opacity);
  return border;
}

TEST(InsideBorderTest, BandsAreBlendedAtTheirOpacityAndCornersOnlyOnce) {
  const RgbBuffer out = Applied(Inside(15), Flat(100, 80, kBlack));
  ASSERT_EQ(out.width(), 100);
  const std::uint8_t half = 128;  // white over black at 50 %
  EXPECT_EQ(At(out, 50, 0).r, half);
  EXPECT_EQ(At(out, 50, 9).r, half);
  EXPECT_EQ(At(out, 50, 10).r, 0);  // the band is exactly 10 pixels
  EXPECT_EQ(At(out, 50, 79).r, half);
  EXPECT_EQ(At(out, 50, 69).r, 0);
  EXPECT_EQ(At(out, 0, 40).r, half);
  EXPECT_EQ(At(out, 99, 40).r, half);
  EXPECT_EQ(At(out, 90, 40).r, half);
  EXPECT_EQ(At(out, 89, 40).r, 0);
  EXPECT_EQ(At(out, 50, 40).r, 0);
  // Corners belong to the top and bottom bands: twice blended would be 192.
  for (const auto& [x, y] : {std::pair{0, 0}, {99, 0}, {0, 79}, {99, 79}, {5, 5}}) EXPECT_EQ(At(out, x, y).r, half);
}

TEST(InsideBorderTest, OffsetsMoveTheBandsInwards) {
  CBorder border = Inside(15);
  border.SetOffsetLeft(5);
  border.SetOffsetTop(3);
  border.SetOffsetRight(2);
  border.SetOffsetBottom(4);
  const RgbBuffer out = Applied(border, Flat(100, 80, kBlack));
  EXPECT_EQ(At(out, 50, 2).r, 0);
  EXPECT_EQ(At(out, 50, 3).r, 128);
  EXPECT_EQ(At(out, 50, 12).r, 128);
  EXPECT_EQ(At(out, 50, 13).r, 0);
  EXPECT_EQ(At(out, 4, 40).r, 0);
  EXPECT_EQ(At(out, 5, 40).r, 128);
  EXPECT_EQ(At(out, 14, 40).r, 128);
  EXPECT_EQ(At(out, 98, 40).r, 0);
  EXPECT_EQ(At(out, 97, 40).r, 128);
  EXPECT_EQ(At(out, 50, 75).r, 128);
  EXPECT_EQ(At(out, 50, 76).r, 0);
  // The top band runs from the left offset to the right one.
  EXPECT_EQ(At(out, 4, 5).r, 0);
  EXPECT_EQ(At(out, 97, 5).r, 128);
  EXPECT_EQ(At(out, 98, 5).r, 0);
}

TEST(InsideBorderTest, SideBandsRunTheFullHeightWithoutTopAndBottomBands) {
  const RgbBuffer out = Applied(Inside(CBorder::kRight), Flat(100, 80, kBlack));
  EXPECT_EQ(At(out, 95, 0).r, 128);
  EXPECT_EQ(At(out, 95, 79).r, 128);
  EXPECT_EQ(At(out, 50, 0).r, 0);
  EXPECT_EQ(At(out, 5, 40).r, 0);
}

TEST(InsideBorderTest, OffsetsBeyondThePictureDrawNothingAndDoNotFault) {
  CBorder border = Inside(15);
  border.SetOffsetLeft(9999);
  border.SetOffsetTop(9999);
  border.SetOffsetRight(-9999);
  border.SetOffsetBottom(std::numeric_limits<std::int32_t>::min());
  const RgbBuffer out = Applied(border, Flat(30, 20, kBlack));
  EXPECT_TRUE(Same(out, Flat(30, 20, kBlack)));
}

// ---- The oval ----

CBorder Oval(int opacity = 100) {
  CBorder border = Inside(15, opacity);
  border.SetInsideType(1);
  return border;
}

TEST(OvalBorderTest, CentreUntouchedCornersTinted) {
  const RgbBuffer out = Applied(Oval(), Flat(300, 200, kBlack));
  EXPECT_EQ(At(out, 150, 100), kBlack);
  EXPECT_EQ(At(out, 20, 100), kBlack);  // inside the ellipse near its left end
  for (const auto& [x, y] : {std::pair{0, 0}, {299, 0}, {0, 199}, {299, 199}, {30, 20}}) EXPECT_EQ(At(out, x, y), kWhite);
  // The ellipse touches the band at the middle of each edge.
  EXPECT_EQ(At(out, 5, 100), kWhite);
  EXPECT_EQ(At(out, 150, 5), kWhite);
  EXPECT_EQ(At(out, 150, 194), kWhite);
  EXPECT_EQ(At(out, 150, 12), kBlack);
}

TEST(OvalBorderTest, SymmetricForEvenAndOddSizes) {
  for (const auto& [w, h] : {std::pair{300, 200}, {301, 201}, {64, 129}}) {
    const RgbBuffer out = Applied(Oval(70), Flat(w, h, kBlack));
    int tinted = 0, partial = 0;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const Rgb p = At(out, x, y);
        ASSERT_EQ(p, At(out, w - 1 - x, y)) << w << "x" << h << " at " << x << "," << y;
        ASSERT_EQ(p, At(out, x, h - 1 - y)) << w << "x" << h << " at " << x << "," << y;
        tinted += p.r != 0;
        partial += p.r != 0 && p.r != 179;  // 70 % of white
      }
    }
    // Above the ellipse the whole row is band, the middle column too.
    EXPECT_EQ(At(out, w / 2, 0), At(out, 0, 0)) << w << "x" << h;
    // A smoothed edge: some pixels in between, but only along the edge.
    EXPECT_GT(partial, 0);
    EXPECT_LT(partial, 2 * (w + h));
    // Outside the ellipse lies about 1 - pi/4 of the band box's area plus the band.
    EXPECT_GT(tinted, w * h / 5);
  }
}

TEST(OvalBorderTest, HalfOpacityTintsHalfAndTooWideBordersDrawNothing) {
  EXPECT_EQ(At(Applied(Oval(50), Flat(300, 200, kBlack)), 0, 0).r, 128);
  // Half the height (100) is not larger than the width: nothing at all.
  CBorder wide = Oval();
  wide.SetWidth(100);
  EXPECT_TRUE(Same(Applied(wide, Flat(300, 200, kBlack)), Flat(300, 200, kBlack)));
  wide.SetWidth(99);
  EXPECT_EQ(At(Applied(wide, Flat(300, 200, kBlack)), 0, 0), kWhite);
}

}  // namespace
}  // namespace velmora::image
