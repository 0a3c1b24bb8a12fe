// Text stamps in a whole run: each clone carries the text its stamp's script
// prints for that image, drawn where the stamp says, in clone-list order.
#include <gtest/gtest.h>

#include "app/run/image_scan.h"
#include "app/run/page_writer.h"
#include "app/run/progress_line.h"
#include "app/run/run_driver.h"
#include "app/run/selection_tree.h"
#include "image/clone_list/clone_list.h"
#include "image/clone_list/effect_codes.h"
#include "image/stamps/text_stamp_drawing.h"
#include "image/text/font_cache.h"
#include "image/effects/apply_image_effect.h"
#include "image/resize/resize_image.h"
#include "image/magick_fixtures.h"
#include "image/stamps/pixel_support.h"
#include "run_fixture.h"
#include "settings/profile_data.h"
#include "settings/working_settings.h"

namespace velmora::app {
namespace {

namespace fs = std::filesystem;
using image::test::Same;

class TextStampRun : public test::BatchRun {
 protected:
  void SetUp() override {
    BatchRun::SetUp();
    settings::ResetToDefaults();
    settings::CopyStoredToWorking();
    settings::WorkingCloneList().Clear();
    // PNG clones of the originals' size: lossless, so pixels compare exactly.
    settings::SetWorkingSetting("GENERATE_HTML", "0");
    settings::SetWorkingSetting("GENERATE_CLONES", "1");
    settings::SetWorkingSetting("THUMBNAILS", "0");
    settings::SetWorkingSetting("PNG", "1");
    settings::SetWorkingSetting("CLONE_CONVERT", "0");
    settings::SetWorkingSetting("CLONE_SELECTED_SIDE", "0");
    settings::SetWorkingSetting("CLONE_PATH", out_.string());
  }
  void TearDown() override {
    settings::WorkingCloneList().Clear();
    BatchRun::TearDown();
  }

  // An 8-bit picture, so that ImageMagick's reading of the original and
  // ours agree to the last bit.
  static void MakePicture(const fs::path& file, int width, int height) {
    fs::create_directories(file.parent_path());
    ASSERT_TRUE(image::test::Magick("-size " + std::to_string(width) + "x" + std::to_string(height) +
                                    " plasma:fractal -seed 3 -depth 8 '" + file.string() + "'"));
  }

  static std::unique_ptr<image::CTextStamp> Stamp(std::string text) {
    auto stamp = std::make_unique<image::CTextStamp>();
    stamp->SetText(std::move(text));
    stamp->SetHeight(22);
    stamp->SetColor(0);
    stamp->SetBackground(1);
    stamp->SetBackgroundColor(image::ColourValue({255, 255, 255}));
    stamp->SetBackgroundOpacity(100);
    return stamp;
  }
  static std::unique_ptr<image::CBildEffekt> Grayscale() {
    auto effect = std::make_unique<image::CBildEffekt>();
    effect->SetEffectCode(image::effect_code::kGrayscale);
    return effect;
  }

  DriverResult Drive() {
    const ImageScan scan(settings::WorkingSettings(), nullptr);
    TreeOptions options;
    options.level = 1;
    options.excluded_names = {"thumbs", "deco", "html"};
    tree_.Build(base_.string(), options, scan);
    startup_.DirLevel = 1;
    NoPageWriter pages;
    SilentProgress progress;
    RunDriver driver(startup_, tree_, pages, progress);
    return driver.StartOrStop(Cp1252Text(base_.string()));
  }

  // The original with `text` drawn by the stamp's settings: what the clone must show.
  image::RgbBuffer Expected(const fs::path& original, const image::CTextStamp& stamp, const std::string& text) {
    image::RgbBuffer picture = image::test::MagickDecode(original);
    image::DrawTextStamp(picture, text, image::TextStampStyleOf(stamp), fonts_);
    return picture;
  }

  SelectionTree tree_;
  StartupState startup_;
  image::FontCache fonts_;
};

// The stamp's script prints the image's file name; each clone shows its own.
TEST_F(TextStampRun, EachCloneCarriesTheTextItsScriptPrints) {
  MakePicture(base_ / "A" / "Abend.png", 240, 160);
  MakePicture(base_ / "A" / "Wasserfall.png", 240, 160);
  auto stamp = Stamp("{file_original}");
  stamp->SetPosition(9);
  stamp->SetOffsetX(-5);
  stamp->SetOffsetY(-5);
  const image::CTextStamp& kept = *stamp;
  settings::WorkingCloneList().Add(std::move(stamp));
  ASSERT_EQ(Drive(), DriverResult::kFinished) << testing::PrintToString(Keys());
  for (const char* name : {"Abend", "Wasserfall"}) {
    const std::string file = std::string(name) + ".png";
    const image::RgbBuffer clone = image::test::MagickDecode(out_ / "A" / file);
    EXPECT_TRUE(Same(clone, Expected(base_ / "A" / file, kept, name))) << name;
    // Not some other text: the other image's name gives another picture.
    const char* other = std::string(name) == "Abend" ? "Wasserfall" : "Abend";
    EXPECT_FALSE(Same(clone, Expected(base_ / "A" / file, kept, other))) << name;
  }
}

// A stamp's script is named by its place in the clone list, so an effect
// before it moves it to _stamptext_2; the list's order decides what covers
// what.
TEST_F(TextStampRun, ItemsApplyInListOrder) {
  MakePicture(base_ / "A" / "bunt.png", 200, 120);
  settings::WorkingCloneList().Add(Grayscale());
  auto first = Stamp("erster");
  first->SetBackgroundColor(image::ColourValue({255, 0, 0}));
  const image::CTextStamp& red = *first;
  settings::WorkingCloneList().Add(std::move(first));
  settings::WorkingCloneList().Add(Grayscale());
  auto second = Stamp("zweiter");
  second->SetPosition(3);
  second->SetBackgroundColor(image::ColourValue({0, 0, 255}));
  const image::CTextStamp& blue = *second;
  settings::WorkingCloneList().Add(std::move(second));
  ASSERT_EQ(Drive(), DriverResult::kFinished) << testing::PrintToString(Keys());

  // Grey picture, the red stamp turned grey by the second effect, the blue
  // one drawn last in colour.
  image::RgbBuffer expected = image::test::MagickDecode(base_ / "A" / "bunt.png");
  image::CBildEffekt grayscale;
  grayscale.SetEffectCode(image::effect_code::kGrayscale);
  image::ApplyImageEffect(expected, grayscale);
  image::DrawTextStamp(expected, "erster", image::TextStampStyleOf(red), fonts_);
  image::ApplyImageEffect(expected, grayscale);
  image::DrawTextStamp(expected, "zweiter", image::TextStampStyleOf(blue), fonts_);
  EXPECT_TRUE(Same(image::test::MagickDecode(out_ / "A" / "bunt.png"), expected));
}

// The stamp's script works on the clone as the items before it left it:
// its mean colour is that of the grey picture, not of the original.
TEST_F(TextStampRun, AStampScriptSeesTheCloneAtItsPlaceInTheList) {
  MakePicture(base_ / "A" / "bunt.png", 160, 100);
  settings::WorkingCloneList().Add(Grayscale());
  auto stamp = Stamp("{inqcolor()}");
  const image::CTextStamp& kept = *stamp;
  settings::WorkingCloneList().Add(std::move(stamp));
  ASSERT_EQ(Drive(), DriverResult::kFinished) << testing::PrintToString(Keys());

  image::RgbBuffer expected = image::test::MagickDecode(base_ / "A" / "bunt.png");
  image::CBildEffekt grayscale;
  grayscale.SetEffectCode(image::effect_code::kGrayscale);
  image::ApplyImageEffect(expected, grayscale);
  const std::string mean = std::to_string(image::ColourValue(image::AverageColour(expected)));
  image::DrawTextStamp(expected, mean, image::TextStampStyleOf(kept), fonts_);
  EXPECT_TRUE(Same(image::test::MagickDecode(out_ / "A" / "bunt.png"), expected)) << mean;
}

TEST_F(TextStampRun, AStampTextThatDoesNotCompileStopsTheRunNamingTheStamp) {
  MakePicture(base_ / "A" / "a.png", 50, 50);
  auto stamp = Stamp("Datum {x = }");
  stamp->SetDescription("Copyright");
  settings::WorkingCloneList().Add(std::move(stamp));
  EXPECT_EQ(Drive(), DriverResult::kRunFailed);
  ASSERT_EQ(shown_.size(), 1u);
  EXPECT_EQ(shown_[0].key, "ErrStampLastErr");
  EXPECT_EQ(shown_[0].title, "RiloScript Compiler");
  EXPECT_EQ(shown_[0].text.rfind("Textstempel\r\nCopyright\r\n", 0), 0u) << shown_[0].text;
  EXPECT_FALSE(fs::exists(out_ / "A"));
}

// Values the option page would not accept refuse the run with its message
// and limits, before the clone folder exists.
TEST_F(TextStampRun, StampValuesOutsideTheirRangesRefuseTheRun) {
  MakePicture(base_ / "A" / "a.png", 50, 50);
  struct Case {
    void (*change)(image::CTextStamp&);
    const char* key;
    const char* limits;
  };
  const Case cases[] = {
      {[](image::CTextStamp& s) { s.SetHeight(0); }, "ErrStampHeight", "1 bis 999"},
      {[](image::CTextStamp& s) { s.SetHeight(1000); }, "ErrStampHeight", "1 bis 999"},
      {[](image::CTextStamp& s) { s.SetBorder(1), s.SetBorderWidth(0); }, "ErrStampHeight", "1 bis 9999"},
      {[](image::CTextStamp& s) { s.SetOffsetX(10000); }, "ErrStampOffset", "-9999 bis 9999"},
      {[](image::CTextStamp& s) { s.SetOffsetY(-10000); }, "ErrStampOffset", "-9999 bis 9999"},
  };
  for (const Case& c : cases) {
    settings::WorkingCloneList().Clear();
    auto stamp = Stamp("x");
    c.change(*stamp);
    settings::WorkingCloneList().Add(std::move(stamp));
    EXPECT_EQ(Drive(), DriverResult::kCheckFailed) << c.key << " " << c.limits;
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_EQ(shown_[0].key, c.key);
    EXPECT_NE(shown_[0].text.find(c.limits), std::string::npos) << shown_[0].text;
    EXPECT_FALSE(fs::exists(out_));
    shown_.clear();
  }
  // The extremes themselves pass; an unused frame width is not looked at.
  settings::WorkingCloneList().Clear();
  auto stamp = Stamp("x");
  stamp->SetHeight(999);
  stamp->SetOffsetX(-9999);
  stamp->SetOffsetY(9999);
  stamp->SetBorderWidth(0);
  settings::WorkingCloneList().Add(std::move(stamp));
  EXPECT_EQ(Drive(), DriverResult::kFinished) << testing::PrintToString(Keys());
}

// A script that prints nothing leaves the clone as it was: no box either.
TEST_F(TextStampRun, AnEmptyScriptOutputDrawsNothing) {
  MakePicture(base_ / "A" / "leer.png", 120, 80);
  settings::WorkingCloneList().Add(Stamp("{if (file_original == \"voll\") \"x\";}"));
  ASSERT_EQ(Drive(), DriverResult::kFinished) << testing::PrintToString(Keys());
  EXPECT_TRUE(Same(image::test::MagickDecode(out_ / "A" / "leer.png"), image::test::MagickDecode(base_ / "A" / "leer.png")));
}

}  // namespace
}  // namespace velmora::app
