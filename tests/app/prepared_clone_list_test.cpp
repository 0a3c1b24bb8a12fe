// The clone list as a run applies it: items in list order, pictures read once.
#include "app/run/prepared_clone_list.h"

#include <gtest/gtest.h>

#include "image/clone_list/clone_list.h"
#include "image/codecs/codec_registry.h"
#include "image/image_error.h"
#include "image/image_io.h"
#include "support/temp_dir.h"

namespace velmora::app {
namespace {

using image::Rgb;
using image::RgbBuffer;

constexpr Rgb kGreen{0, 255, 0};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kWhite{255, 255, 255};

RgbBuffer Flat(int width, int height, Rgb colour) {
  RgbBuffer image(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::uint8_t* p = image.pixel(x, y);
      p[0] = colour.r, p[1] = colour.g, p[2] = colour.b;
    }
  }
  return image;
}

Rgb At(const RgbBuffer& image, int x, int y) {
  const std::uint8_t* p = image.pixel(x, y);
  return {p[0], p[1], p[2]};
}

class PreparedCloneListTest : public ::testing::Test {
 protected:
  void SetUp() override { image::WriteImage(logo_, image::kImageTypePng, Flat(5, 5, kGreen)); }

  std::unique_ptr<image::CImageStamp> Stamp(std::string file = {}) const {
    auto stamp = std::make_unique<image::CImageStamp>();
    stamp->SetName(file.empty() ? logo_.string() : file);
    stamp->SetOffsetX(0);
    stamp->SetOffsetY(0);
    stamp->SetOpacity(100);
    return stamp;
  }
  static std::unique_ptr<image::CBorder> Frame(std::int32_t kind = 1) {
    auto border = std::make_unique<image::CBorder>();
    border->SetBorderType(kind);
    border->SetColor(255);  // red
    return border;
  }
  RgbBuffer Run(const image::CCloneEffekte& list, RgbBuffer clone = Flat(40, 30, kWhite)) {
    PreparedCloneList prepared(list, pictures_);
    prepared.Apply(clone, {});
    return clone;
  }

  velmora::test::TempDir dir_;
  std::filesystem::path logo_ = dir_ / "logo.png";
  ClonePictures pictures_;
};

TEST_F(PreparedCloneListTest, AStampBeforeABorderLandsInsideTheFrame) {
  image::CCloneEffekte list;
  list.Add(Stamp());
  list.Add(Frame());
  const RgbBuffer out = Run(list);
  ASSERT_EQ(out.width(), 60);
  EXPECT_EQ(At(out, 0, 0), kRed);
  EXPECT_EQ(At(out, 9, 9), kRed);
  EXPECT_EQ(At(out, 10, 10), kGreen);
  EXPECT_EQ(At(out, 14, 14), kGreen);
  EXPECT_EQ(At(out, 15, 15), kWhite);
}

TEST_F(PreparedCloneListTest, AStampAfterABorderMayCoverTheFrame) {
  image::CCloneEffekte list;
  list.Add(Frame());
  list.Add(Stamp());
  const RgbBuffer out = Run(list);
  ASSERT_EQ(out.width(), 60);
  EXPECT_EQ(At(out, 0, 0), kGreen);
  EXPECT_EQ(At(out, 4, 4), kGreen);
  EXPECT_EQ(At(out, 5, 5), kRed);
  EXPECT_EQ(At(out, 10, 10), kWhite);
}

TEST_F(PreparedCloneListTest, EffectsTakeTheirTurnBetweenStampsAndBorders) {
  auto invert = std::make_unique<image::CBildEffekt>();
  invert->SetEffectCode(17);
  image::CCloneEffekte list;
  list.Add(Stamp());
  list.Add(std::move(invert));
  list.Add(Frame());
  const RgbBuffer out = Run(list);
  EXPECT_EQ(At(out, 10, 10), (Rgb{255, 0, 255}));  // the stamp, inverted
  EXPECT_EQ(At(out, 20, 20), (Rgb{0, 0, 0}));      // the clone, inverted
  EXPECT_EQ(At(out, 0, 0), kRed);                  // the frame came after
}

TEST_F(PreparedCloneListTest, PicturesAreReadOnceForTheWholeRun) {
  image::CCloneEffekte list;
  list.Add(Stamp());
  auto frame = Frame(2);
  frame->SetImageName(logo_.string());
  list.Add(std::move(frame));
  PreparedCloneList prepared(list, pictures_);
  // The same file serves both items, and the clones need it no more.
  EXPECT_EQ(pictures_.Get(logo_.string(), image::UnnamedImageStampFailure()),
            pictures_.Get(logo_.string(), image::UnnamedFramePictureFailure()));
  std::filesystem::remove(logo_);
  for (int clone = 0; clone < 3; ++clone) {
    RgbBuffer image = Flat(40, 30, kWhite);
    prepared.Apply(image, {});
    ASSERT_EQ(image.width(), 60);
    EXPECT_EQ(At(image, 10, 10), kGreen);
    EXPECT_EQ(At(image, 0, 0), kGreen);  // the frame picture, tiled
  }
}

TEST_F(PreparedCloneListTest, AStampWithoutItsPictureFailsTheCloneAFrameWithoutOneIsLeftOut) {
  image::CCloneEffekte frame_only;
  auto frame = Frame(2);
  frame->SetImageName((dir_ / "missing.png").string());
  frame_only.Add(std::move(frame));
  EXPECT_EQ(Run(frame_only).width(), 40);

  image::CCloneEffekte stamp_only;
  stamp_only.Add(Stamp((dir_ / "missing.png").string()));
  try {
    Run(stamp_only);
    FAIL() << "no error";
  } catch (const image::ImageError& e) {
    EXPECT_EQ(e.source(), "ReadImage");
    EXPECT_EQ(e.description(), "IS_OpenFileSource");
  }
}

TEST_F(PreparedCloneListTest, TextStampsGoToTheCallerWithTheirPlaceInTheList) {
  image::CCloneEffekte list;
  list.Add(Frame());
  auto text = std::make_unique<image::CTextStamp>();
  text->SetDescription("Copyright");
  list.Add(std::move(text));
  PreparedCloneList prepared(list, pictures_);
  RgbBuffer clone = Flat(40, 30, kWhite);
  std::vector<std::pair<std::string, int>> calls;
  prepared.Apply(clone, [&](RgbBuffer& image, const image::CTextStamp& stamp, int position) {
    EXPECT_EQ(image.width(), 60);  // after the border before it
    calls.emplace_back(stamp.Description(), position);
  });
  EXPECT_EQ(calls, (std::vector<std::pair<std::string, int>>{{"Copyright", 2}}));
}

}  // namespace
}  // namespace velmora::app
