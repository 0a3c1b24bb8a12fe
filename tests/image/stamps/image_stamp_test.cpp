#include "image/stamps/image_stamp.h"

#include <gtest/gtest.h>

#include <limits>

#include "../magick_fixtures.h"
#include "image/image_error.h"
#include "pixel_support.h"
#include "support/required_tool.h"
#include "support/temp_dir.h"

namespace velmora::image {
namespace {

using test::At;
using test::Flat;
using test::Gradient;
using test::Picture;
using test::Same;

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kGrey{100, 100, 100};

CImageStamp Stamp(std::int32_t position = 1, std::int32_t ox = 0, std::int32_t oy = 0, std::int32_t opacity = 100) {
  CImageStamp stamp;
  stamp.SetPosition(position);
  stamp.SetOffsetX(ox);
  stamp.SetOffsetY(oy);
  stamp.SetOpacity(opacity);
  return stamp;
}

RgbBuffer Stamped(const CImageStamp& stamp, RgbBuffer image, std::shared_ptr<const StampPicture> picture) {
  PreparedImageStamp prepared(stamp, std::move(picture));
  prepared.Apply(image);
  return image;
}

struct Box {
  int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom excluded
  friend bool operator==(const Box&, const Box&) = default;
};

void PrintTo(const Box& b, std::ostream* os) { *os << "[" << b.left << "," << b.top << " - " << b.right << "," << b.bottom << ")"; }

// Where `colour` shows on the image.
Box FindColour(const RgbBuffer& image, Rgb colour) {
  Box box{image.width(), image.height(), 0, 0};
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (!(At(image, x, y) == colour)) continue;
      box.left = std::min(box.left, x), box.top = std::min(box.top, y);
      box.right = std::max(box.right, x + 1), box.bottom = std::max(box.bottom, y + 1);
    }
  }
  return box;
}

// ---- Placement: the stamp found by its colour on a flat clone ----

TEST(ImageStampTest, EveryCellAndOffsetSignPutsTheStampWhereItBelongs) {
  // Clone 200 x 150, stamp 20 x 10: free space 180 x 140.
  struct Case {
    int position, ox, oy;
    Box box;  // as far as it lies on the clone
  };
  const Case cases[] = {
      {1, 7, 5, {7, 5, 27, 15}},       {2, 7, 5, {97, 5, 117, 15}},     {3, 7, 5, {187, 5, 200, 15}},
      {4, 7, 5, {7, 75, 27, 85}},      {5, 7, 5, {97, 75, 117, 85}},    {6, 7, 5, {187, 75, 200, 85}},
      {7, 7, 5, {7, 145, 27, 150}},    {8, 7, 5, {97, 145, 117, 150}},  {9, 7, 5, {187, 145, 200, 150}},
      {1, -7, -5, {0, 0, 13, 5}},      {2, -7, -5, {83, 0, 103, 5}},    {3, -7, -5, {173, 0, 193, 5}},
      {4, -7, -5, {0, 65, 13, 75}},    {5, -7, -5, {83, 65, 103, 75}},  {6, -7, -5, {173, 65, 193, 75}},
      {7, -7, -5, {0, 135, 13, 145}},  {8, -7, -5, {83, 135, 103, 145}}, {9, -7, -5, {173, 135, 193, 145}},
  };
  for (const Case& c : cases) {
    const RgbBuffer out = Stamped(Stamp(c.position, c.ox, c.oy), Flat(200, 150, kWhite), Picture(Flat(20, 10, kRed)));
    EXPECT_EQ(FindColour(out, kRed), c.box) << "cell " << c.position << " offsets " << c.ox << "," << c.oy;
  }
}

TEST(ImageStampTest, BottomRightWithNegativeOffsetsLiesInside) {
  const RgbBuffer out = Stamped(Stamp(9, -10, -10), Flat(800, 600, kWhite), Picture(Flat(100, 50, kRed)));
  EXPECT_EQ(FindColour(out, kRed), (Box{690, 540, 790, 590}));
}

TEST(ImageStampTest, CentredStampOnOddFreeSpaceRoundsHalvesToEven) {
  // Free space 181: 90.5 + 7 = 97.5 -> 98; 141: 70.5 + 0 -> 70.
  const RgbBuffer out = Stamped(Stamp(5, 7, 0), Flat(201, 151, kWhite), Picture(Flat(20, 10, kRed)));
  EXPECT_EQ(FindColour(out, kRed), (Box{98, 70, 118, 80}));
}

TEST(ImageStampTest, StampsOutsideOrLargerThanTheCloneAreClipped) {
  const RgbBuffer clone = Flat(50, 40, kWhite);
  EXPECT_TRUE(Same(Stamped(Stamp(1, 9999, 9999), clone.Clone(), Picture(Flat(20, 10, kRed))), clone));
  EXPECT_TRUE(Same(Stamped(Stamp(9, std::numeric_limits<std::int32_t>::min(), 0), clone.Clone(),
                           Picture(Flat(20, 10, kRed))),
                   clone));
  const RgbBuffer covered = Stamped(Stamp(5), clone.Clone(), Picture(Flat(300, 200, kRed)));
  EXPECT_TRUE(Same(covered, Flat(50, 40, kRed)));
}

// ---- Transparency ----

TEST(ImageStampTest, AlphaBlendsEveryCoveredPixelByItsOpacity) {
  // One row of red at opacities 0, 64, 128, 192, 255 over grey.
  const std::vector<std::uint8_t> alpha = {0, 64, 128, 192, 255};
  const RgbBuffer out = Stamped(Stamp(), Flat(5, 1, kGrey), Picture(Flat(5, 1, kRed), alpha));
  EXPECT_EQ(At(out, 0, 0), kGrey);  // fully transparent: untouched
  for (int x = 0; x < 5; ++x) {
    const double a = alpha[x] / 255.0;
    EXPECT_NEAR(At(out, x, 0).r, 255 * a + 100 * (1 - a), 1) << x;
    EXPECT_NEAR(At(out, x, 0).g, 100 * (1 - a), 1) << x;
  }
  EXPECT_EQ(At(out, 4, 0), kRed);
}

TEST(ImageStampTest, OpacityMultipliesWithTheStampsOwnAlpha) {
  const RgbBuffer out = Stamped(Stamp(1, 0, 0, 50), Flat(2, 1, kGrey), Picture(Flat(2, 1, kRed), {128, 255}));
  EXPECT_NEAR(At(out, 0, 0).r, 100 + (255 - 100) * 0.25, 1);
  EXPECT_NEAR(At(out, 1, 0).r, 100 + (255 - 100) * 0.5, 1);
}

TEST(ImageStampTest, OpacityZeroChangesNothingAndFullOpacityCovers) {
  const RgbBuffer clone = Gradient(40, 30);
  EXPECT_TRUE(Same(Stamped(Stamp(5, 0, 0, 0), clone.Clone(), Picture(Flat(10, 10, kRed))), clone));
  const RgbBuffer covered = Stamped(Stamp(1, 0, 0, 100), clone.Clone(), Picture(Gradient(10, 10)));
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 10; ++x) ASSERT_EQ(At(covered, x, y), At(Gradient(10, 10), x, y));
  }
  EXPECT_EQ(At(covered, 10, 0), At(clone, 10, 0));
  // Opacities beyond 100 count as 100, below 0 as 0.
  EXPECT_TRUE(Same(Stamped(Stamp(1, 0, 0, 250), clone.Clone(), Picture(Gradient(10, 10))), covered));
  EXPECT_TRUE(Same(Stamped(Stamp(1, 0, 0, -3), clone.Clone(), Picture(Gradient(10, 10))), clone));
}

TEST(ImageStampTest, TheTransparentColourLeavesThosePixelsUnchanged) {
  // A red square on a white field; with white left out only red lands.
  RgbBuffer logo = Flat(10, 10, kWhite);
  for (int y = 3; y < 7; ++y) {
    for (int x = 3; x < 7; ++x) logo.pixel(x, y)[1] = logo.pixel(x, y)[2] = 0;
  }
  logo.pixel(0, 0)[0] = 250;  // off-white: (250, 255, 255)
  CImageStamp stamp = Stamp();
  stamp.SetUseTransparentColor(1);
  stamp.SetTransparentColor(16777215);
  const RgbBuffer clone = Gradient(10, 10);
  RgbBuffer out = Stamped(stamp, clone.Clone(), Picture(logo.Clone()));
  EXPECT_EQ(FindColour(out, kRed), (Box{3, 3, 7, 7}));
  EXPECT_EQ(At(out, 5, 1), At(clone, 5, 1));
  EXPECT_EQ(At(out, 0, 0), (Rgb{250, 255, 255}));  // beyond a tolerance of 0
  // A tolerance reaches colours that far from it in every channel.
  stamp.SetTransparenzFarbtoleranz(5);
  out = Stamped(stamp, clone.Clone(), Picture(logo.Clone()));
  EXPECT_EQ(At(out, 0, 0), At(clone, 0, 0));
  stamp.SetTransparenzFarbtoleranz(4);
  EXPECT_EQ(At(Stamped(stamp, clone.Clone(), Picture(logo.Clone())), 0, 0), (Rgb{250, 255, 255}));
  // Switched off, the colour is drawn like any other.
  stamp.SetUseTransparentColor(0);
  EXPECT_EQ(At(Stamped(stamp, clone.Clone(), Picture(logo.Clone())), 5, 1), kWhite);
}

// ---- Stretching ----

TEST(ImageStampTest, StretchedStampCoversTheWholeCloneWhateverItsPlace) {
  RgbBuffer quadrants = Flat(8, 8, kWhite);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) quadrants.pixel(x, y)[0] = static_cast<std::uint8_t>((x < 4 ? 0 : 100) + (y < 4 ? 0 : 50));
  }
  CImageStamp stamp = Stamp(9, 33, -17);
  stamp.SetStrecken(1);
  PreparedImageStamp prepared(stamp, Picture(quadrants.Clone()));
  for (const auto& [w, h] : {std::pair{60, 40}, {40, 60}, {60, 40}}) {
    RgbBuffer clone = Flat(w, h, kGrey);
    prepared.Apply(clone);
    EXPECT_EQ(At(clone, 0, 0).r, 0);
    EXPECT_EQ(At(clone, w - 1, 0).r, 100);
    EXPECT_EQ(At(clone, 0, h - 1).r, 50);
    EXPECT_EQ(At(clone, w - 1, h - 1).r, 150);
  }
}

TEST(ImageStampTest, StretchedAlphaKeepsTransparentPartsTransparentWithoutFringes) {
  // Left half opaque red, right half transparent black: stretched, the
  // right part leaves the clone alone and the edge mixes no black in.
  std::vector<std::uint8_t> alpha(8 * 4);
  RgbBuffer picture = Flat(8, 4, {0, 0, 0});
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) {
      picture.pixel(x, y)[0] = 255;
      alpha[static_cast<std::size_t>(y) * 8 + x] = 255;
    }
  }
  CImageStamp stamp = Stamp();
  stamp.SetStrecken(1);
  const RgbBuffer out = Stamped(stamp, Flat(80, 40, kWhite), Picture(picture.Clone(), alpha));
  EXPECT_EQ(At(out, 5, 20), kRed);
  EXPECT_EQ(At(out, 75, 20), kWhite);
  for (int x = 0; x < 80; ++x) {
    const Rgb p = At(out, x, 20);
    EXPECT_EQ(p.r, 255) << x;       // red over white keeps full red
    EXPECT_EQ(p.g, p.b) << x;       // and mixes only with white
  }
}

// ---- A stamp without its picture ----

TEST(ImageStampTest, AMissingPictureRaisesItsStoredError) {
  auto failed = std::make_shared<StampPicture>();
  failed->file = "logo.png";
  failed->failure = {1001, "ReadImage", "IS_OpenFileSource"};
  RgbBuffer clone = Flat(10, 10, kWhite);
  PreparedImageStamp prepared(Stamp(), failed);
  try {
    prepared.Apply(clone);
    FAIL() << "no error";
  } catch (const ImageError& e) {
    EXPECT_EQ(e.number(), 1001);
    EXPECT_EQ(e.source(), "ReadImage");
    EXPECT_EQ(e.description(), "IS_OpenFileSource");
  }
  const StampPicture unnamed = LoadStampPicture("", UnnamedImageStampFailure());
  EXPECT_FALSE(unnamed.loaded);
  EXPECT_EQ(unnamed.failure.number, 1000);
  EXPECT_EQ(unnamed.failure.source, "CImageStamp:Name");
  EXPECT_EQ(unnamed.failure.description, "Missing Imagestamp-Name");
  // An empty clone is left alone, even by a stamp that would fail.
  RgbBuffer empty;
  EXPECT_NO_THROW(prepared.Apply(empty));
}

// ---- A real PNG with alpha, written by ImageMagick ----

TEST(ImageStampFileTest, PngAlphaFromAnotherWriterBlendsTheCoveredPixels) {
  VELMORA_REQUIRE_TOOL(test::HaveConvert(), "ImageMagick's convert");
  velmora::test::TempDir dir;
  const std::filesystem::path file = dir / "logo.png";
  // Blue at 25 %, 50 % and 100 % opacity, and a transparent pixel.
  ASSERT_TRUE(test::Magick("-size 4x1 xc:none -fill 'rgba(0,0,255,0.25)' -draw 'point 0,0' "
                           "-fill 'rgba(0,0,255,0.5)' -draw 'point 1,0' -fill blue -draw 'point 2,0' "
                           "'" + file.string() + "'"));
  auto picture = std::make_shared<const StampPicture>(LoadStampPicture(file.string(), UnnamedImageStampFailure()));
  ASSERT_TRUE(picture->loaded);
  const RgbBuffer out = Stamped(Stamp(), Flat(4, 1, kWhite), picture);
  EXPECT_NEAR(At(out, 0, 0).r, 255 * 0.75, 1.5);
  EXPECT_EQ(At(out, 0, 0).b, 255);
  EXPECT_NEAR(At(out, 1, 0).r, 255 * 0.5, 1.5);
  EXPECT_EQ(At(out, 2, 0), (Rgb{0, 0, 255}));
  EXPECT_EQ(At(out, 3, 0), kWhite);
}

TEST(ImageStampFileTest, AnUnreadableFileKeepsTheReadersError) {
  velmora::test::TempDir dir;
  velmora::test::WriteFile(dir / "broken.png", "\x89PNG\r\n\x1a\n and then nothing");
  const StampPicture broken = LoadStampPicture((dir / "broken.png").string(), UnnamedImageStampFailure());
  EXPECT_FALSE(broken.loaded);
  EXPECT_GT(broken.failure.number, 1000);
  EXPECT_EQ(broken.failure.source, "ReadImage");
  const StampPicture missing = LoadStampPicture((dir / "none.png").string(), UnnamedImageStampFailure());
  EXPECT_FALSE(missing.loaded);
  EXPECT_EQ(missing.failure.description, "IS_OpenFileSource");
}

}  // namespace
}  // namespace velmora::image
