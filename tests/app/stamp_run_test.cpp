// Whole runs with image stamps and borders in the profile's clone list: a
// missing picture refuses the run before anything is written, and a run
// with them puts both on every clone in list order.
#include <gtest/gtest.h>

#include <sstream>

#include "run_fixture.h"
#include "settings/user_settings.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

class StampRun : public BatchRun {
 protected:
  // A user profile "Stempel": the shipped default with `clone_list` (profile
  // lines) appended.
  void WriteProfile(const std::string& clone_list) {
    const fs::path folder = root_ / "profiles";
    fs::create_directories(folder);
    settings::WriteUserSetting("LastSession", "userprofiledir", folder.string());
    WriteFile(folder / "Stempel.vlp", ReadFile(ProgramDirectory() / "profiles" / "Voreinstellung.vlp") + clone_list);
  }
  int RunStamped(std::vector<std::string> overrides = {}) {
    overrides.insert(overrides.begin(), {"/Profile=Stempel", "/GENERATE_CLONES=1", "/CLONE_PATH=" + out_.string()});
    return Run(1, overrides);
  }
  // ImageMagick's reading of one pixel.
  static std::array<int, 3> PixelAt(const fs::path& file, int x, int y) {
    const std::string command = "convert '" + file.string() + "' -crop 1x1+" + std::to_string(x) + "+" +
                                std::to_string(y) + " -depth 8 -format '%[fx:int(255*r)] %[fx:int(255*g)] " +
                                "%[fx:int(255*b)]' info: 2>/dev/null";
    std::FILE* pipe = popen(command.c_str(), "r");
    std::array<int, 3> rgb{-1, -1, -1};
    if (pipe == nullptr) return rgb;
    char buffer[128] = {};
    const std::size_t n = std::fread(buffer, 1, sizeof buffer - 1, pipe);
    pclose(pipe);
    std::istringstream(std::string(buffer, n)) >> rgb[0] >> rgb[1] >> rgb[2];
    return rgb;
  }

  fs::path logo_ = root_ / "logo.png";
};

std::string StampLines(const std::string& file) {
  return "STAMP_IMAGE_DESCRIPTION=Logo\r\nSTAMP_IMAGE=" + file +
         "\r\nSTAMP_IMAGE_POSITION=9\r\nSTAMP_IMAGE_OFFSETX=-5\r\nSTAMP_IMAGE_OFFSETY=-5\r\n"
         "STAMP_IMAGE_OPACITY=100\r\n";
}

std::string BorderLines(int kind, const std::string& file = {}) {
  return "BORDER_DESCRIPTION=Rahmen\r\nBORDER_TYPE=" + std::to_string(kind) +
         "\r\nBORDER_WIDTH=10\r\nBORDER_COLOR=16711680\r\nBORDER_IMAGE_NAME=" + file + "\r\n";
}

TEST_F(StampRun, AMissingStampPictureRefusesTheRunBeforeAnythingIsWritten) {
  MakeImage(base_ / "A" / "a.jpg", 120, 80);
  const fs::path missing = root_ / "fehlt.png";
  WriteProfile(StampLines(missing.string()));
  EXPECT_EQ(RunStamped(), kExitRunFailed);
  ASSERT_EQ(Keys(), std::vector<std::string>{"ErrImagestamp"});
  EXPECT_NE(shown_[0].text.find(missing.string()), std::string::npos) << shown_[0].text;
  EXPECT_NE(shown_[0].text.find("1001\r\nReadImage\r\nIS_OpenFileSource"), std::string::npos) << shown_[0].text;
  EXPECT_TRUE(fs::is_empty(out_));
  EXPECT_FALSE(fs::exists(base_ / "A" / "thumbs"));
}

TEST_F(StampRun, AStampWithoutAFileNameRefusesTheRunWithItsOwnError) {
  MakeImage(base_ / "A" / "a.jpg", 120, 80);
  WriteProfile(StampLines(""));
  EXPECT_EQ(RunStamped(), kExitRunFailed);
  ASSERT_EQ(Keys(), std::vector<std::string>{"ErrImagestamp"});
  EXPECT_NE(shown_[0].text.find("1000\r\nCImageStamp:Name\r\nMissing Imagestamp-Name"), std::string::npos)
      << shown_[0].text;
}

TEST_F(StampRun, AnUnreadableFramePictureRefusesTheRun) {
  MakeImage(base_ / "A" / "a.jpg", 120, 80);
  WriteFile(root_ / "rahmen.png", "\x89PNG\r\n\x1a\nbroken");
  // A band border needs no picture: only the picture frame is checked.
  WriteProfile(BorderLines(1, (root_ / "nicht-gebraucht.png").string()) + BorderLines(2, (root_ / "rahmen.png").string()));
  EXPECT_EQ(RunStamped(), kExitRunFailed);
  ASSERT_EQ(Keys(), std::vector<std::string>{"ErrBorderImage"});
  EXPECT_NE(shown_[0].text.find("rahmen.png"), std::string::npos);
  EXPECT_TRUE(fs::is_empty(out_));
}

TEST_F(StampRun, EveryCloneGetsTheStampAndThenTheBorder) {
  MakeImage(base_ / "A" / "a.jpg", 120, 80);
  MakeImage(base_ / "A" / "b.jpg", 80, 120);
  // A red logo of 10 x 10 pixels.
  ASSERT_EQ(std::system(("convert -size 10x10 xc:red '" + logo_.string() + "'").c_str()), 0);
  WriteProfile(StampLines(logo_.string()) + BorderLines(1));
  ASSERT_EQ(RunStamped({"/CLONE_QUALITY=100"}), kExitOk) << testing::PrintToString(Keys());
  EXPECT_EQ(Identify(out_ / "A" / "a.jpg"), "140 100 JPEG");
  EXPECT_EQ(Identify(out_ / "A" / "b.jpg"), "100 140 JPEG");
  const auto near = [](std::array<int, 3> got, std::array<int, 3> want) {
    for (int c = 0; c < 3; ++c) {
      if (std::abs(got[c] - want[c]) > 24) return false;
    }
    return true;
  };
  // The stamp 5 pixels inside the picture's bottom-right corner, the blue
  // band (16711680) around the picture.
  EXPECT_TRUE(near(PixelAt(out_ / "A" / "a.jpg", 10 + 120 - 5 - 5, 10 + 80 - 5 - 5), {255, 0, 0}));
  EXPECT_TRUE(near(PixelAt(out_ / "A" / "b.jpg", 10 + 80 - 10, 10 + 120 - 10), {255, 0, 0}));
  EXPECT_TRUE(near(PixelAt(out_ / "A" / "a.jpg", 2, 50), {0, 0, 255}));
  EXPECT_TRUE(near(PixelAt(out_ / "A" / "a.jpg", 137, 97), {0, 0, 255}));
  // The log no longer says that borders and stamps are passed over.
  EXPECT_EQ(ReadFile(root_ / "run.log").find("not drawn"), std::string::npos);
}

}  // namespace
}  // namespace velmora::test
