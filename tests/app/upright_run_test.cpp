// A phone's portrait photo, stored sideways with EXIF orientation 6, through
// whole batch runs: with AUTO_ORIENT the clone, the thumbnail, the context
// variables and the page all show it upright, whichever step of the run
// first learns its size (the image filter, the sorting or the pipeline).
#include <gtest/gtest.h>

#include <cstdlib>

#include "run_fixture.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

class UprightRun : public BatchRun {
 protected:
  void SetUp() override {
    BatchRun::SetUp();
    MakeImage(base_ / "Handy" / "hochkant.jpg", 400, 300);
    const std::string command =
        "exiftool -q -overwrite_original -n -Orientation#=6 '" + (base_ / "Handy" / "hochkant.jpg").string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    MakeImage(base_ / "Handy" / "quer.jpg", 400, 300);
  }

  // A run into out_/<name> whose image pages show the context variables of
  // the sizes; returns the page text of `photo` ("" when it has none).
  std::string RunShowingSizes(const std::string& name, const std::string& photo, std::vector<std::string> more) {
    std::vector<std::string> overrides = {"/GENERATE_CLONES=1", "/CLONE_PATH=" + (out_ / name).string(),
                                          "/CLONE_SELECTED_SIDE=1", "/CLONE_SIZE=200", "/THUMB_SIZE=40",
                                          "/GENERATE_HTML=1", "/DECO_COPY=0",
                                          "/HTML_PIC_PIC=<p>{dimx_original}x{dimy_original} {dimx}x{dimy} "
                                          "{thumb_dimx}x{thumb_dimy}</p>"};
    overrides.insert(overrides.end(), more.begin(), more.end());
    EXPECT_EQ(Run(1, overrides), kExitOk) << testing::PrintToString(Keys());
    for (const auto& entry : fs::recursive_directory_iterator(out_ / name)) {
      if (entry.path().filename() == photo + ".html") return ReadFile(entry.path());
    }
    return {};
  }

  static std::string SizesOn(const std::string& page) {
    const std::size_t start = page.find("<p>"), end = page.find("</p>");
    return start == std::string::npos || end == std::string::npos ? page : page.substr(start + 3, end - start - 3);
  }
};

TEST_F(UprightRun, PortraitPhotoStandsUprightInFilesVariablesAndPages) {
  EXPECT_EQ(SizesOn(RunShowingSizes("on", "hochkant", {"/AUTO_ORIENT=1"})), "300x400 150x200 30x40");
  EXPECT_EQ(Identify(out_ / "on" / "Handy" / "hochkant.jpg"), "150 200 JPEG");
  EXPECT_EQ(Identify(out_ / "on" / "thumbs" / "Handy" / "hochkant.jpg"), "30 40 JPEG");
  // A photo without the tag is not touched.
  EXPECT_EQ(SizesOn(RunShowingSizes("on", "quer", {"/AUTO_ORIENT=1"})), "400x300 200x150 40x30");

  // The image filter sizes the photos before the pipeline does.
  const std::string filtered =
      RunShowingSizes("filter", "hochkant", {"/AUTO_ORIENT=1", "/IMAGE_ORACLE=if (dimy_original == 400) { return @TRUE; }"});
  EXPECT_EQ(SizesOn(filtered), "300x400 150x200 30x40");
  EXPECT_FALSE(fs::exists(out_ / "filter" / "Handy" / "quer.jpg"));

  // So does sorting by size.
  EXPECT_EQ(SizesOn(RunShowingSizes("sorted", "hochkant", {"/AUTO_ORIENT=1", "/THUMB_SORTIERUNG=4"})),
            "300x400 150x200 30x40");
}

TEST_F(UprightRun, WithoutTheSettingThePhotoStaysAsStored) {
  EXPECT_EQ(SizesOn(RunShowingSizes("off", "hochkant", {"/AUTO_ORIENT=0"})), "400x300 200x150 40x30");
  EXPECT_EQ(Identify(out_ / "off" / "Handy" / "hochkant.jpg"), "200 150 JPEG");
  EXPECT_EQ(SizesOn(RunShowingSizes("off_sorted", "hochkant", {"/AUTO_ORIENT=0", "/THUMB_SORTIERUNG=4"})),
            "400x300 200x150 40x30");
}

// The Modern profile turns pictures upright without being asked.
TEST_F(UprightRun, ModernProfileTurnsPicturesUpright) {
  ASSERT_EQ(Run(1, {"/Profile=Modern", "/GENERATE_CLONES=1", "/CLONE_PATH=" + out_.string(),
                    "/CLONE_SELECTED_SIDE=1", "/CLONE_SIZE=200"}),
            kExitOk)
      << testing::PrintToString(Keys());
  EXPECT_EQ(Identify(out_ / "Handy" / "hochkant.jpg"), "150 200 JPEG");
}

}  // namespace
}  // namespace velmora::test
