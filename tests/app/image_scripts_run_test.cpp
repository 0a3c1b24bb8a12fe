// The image built-ins in whole batch runs: `_clone` draws on the clone that
// is written, the image filter sees the file it decides on, and templates
// number the run's directories and images as the pages do.
#include <gtest/gtest.h>

#include <regex>

#include "run_fixture.h"
#include "support/required_tool.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

class ImageScriptsRun : public BatchRun {
 protected:
  void SetUp() override {
    BatchRun::SetUp();
    UseHomeBelow(root_.path());
    VELMORA_REQUIRE_TOOL(std::system("command -v convert >/dev/null 2>&1") == 0, "ImageMagick's convert");
  }
  // A script file of one module.
  fs::path ScriptFile(std::string_view lines) {
    std::string text = "!*Bild\r\n";
    std::size_t start = 0;
    while (start < lines.size()) {
      const std::size_t end = std::min(lines.find('\n', start), lines.size());
      text += "!+" + std::string(lines.substr(start, end - start)) + "\r\n";
      start = end + 1;
    }
    const fs::path file = root_ / "bild.rls";
    WriteFile(file, text);
    return file;
  }
  // "r g b" of one pixel as ImageMagick reads it.
  static std::string Pixel(const fs::path& file, int x, int y) {
    const std::string at = "p{" + std::to_string(x) + "," + std::to_string(y) + "}";
    const std::string command = "convert '" + file.string() + "' -format '%[fx:int(255*" + at + ".r+0.5)] %[fx:int(255*" +
                                at + ".g+0.5)] %[fx:int(255*" + at + ".b+0.5)]' info: 2>/dev/null";
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return {};
    char buffer[64] = {};
    const std::size_t n = std::fread(buffer, 1, sizeof buffer - 1, pipe);
    pclose(pipe);
    return std::string(buffer, n);
  }
};

TEST_F(ImageScriptsRun, CloneFunctionTurnsMirrorsAndDrawsOnTheWrittenClone) {
  MakeImage(base_ / "A" / "quer.png", 200, 150);
  const fs::path script = ScriptFile(
      "function _clone() {\n"
      "  rotate(90);\n"
      "  drawrectangle(0, 0, 4, 4, rgb(\"#FF0000\"));\n"
      "  flip(@VERTICAL);\n"
      "  drawline(0, 0, 149, 0, rgb(0, 0, 255));\n"
      "}");
  ASSERT_EQ(Run(1, {"/GENERATE_CLONES=1", "/CLONE_PATH=" + out_.string(), "/PNG=1", "/CLONE_CONVERT=0",
                    "/CLONE_SELECTED_SIDE=1", "/CLONE_SIZE=200", "/RILOSCRIPT_FILE=" + script.string()}),
            kExitOk)
      << testing::PrintToString(Keys());
  const fs::path clone = out_ / "A" / "quer.png";
  EXPECT_EQ(Identify(clone), "150 200 PNG");
  // The square drawn at the top left went to the bottom left with the flip,
  // and the line drawn last stayed at the top.
  EXPECT_EQ(Pixel(clone, 2, 197), "255 0 0");
  EXPECT_EQ(Pixel(clone, 149, 0), "0 0 255");
  EXPECT_NE(Pixel(clone, 2, 2), "255 0 0");
}

TEST_F(ImageScriptsRun, TheImageFilterSeesTheFileItDecidesOn) {
  MakeImage(base_ / "A" / "eins.png", 40, 30);
  MakeImage(base_ / "A" / "zwei.png", 40, 30);
  // Without a current image the comment count is an error, not a number.
  ASSERT_EQ(Run(1, {"/GENERATE_CLONES=1", "/CLONE_PATH=" + out_.string(), "/PNG=1", "/CLONE_CONVERT=0",
                    "/IMAGE_ORACLE=n = imagecommentcount(); if (type(n) == @INTEGER && file_original == \"zwei\") { "
                    "return @TRUE; }"}),
            kExitOk)
      << testing::PrintToString(Keys());
  EXPECT_TRUE(fs::exists(out_ / "A" / "zwei.png"));
  EXPECT_FALSE(fs::exists(out_ / "A" / "eins.png"));
}

// Also: the clone's pixels are gone once `_clone` has ended, and the index
// page is no image's page.
TEST_F(ImageScriptsRun, TemplatesNumberTheRunsDirectoriesAndImages) {
  for (const char* name : {"a1", "a2", "a3"}) MakeImage(base_ / "A" / (std::string(name) + ".png"), 200, 150);
  for (const char* name : {"b1", "b2"}) MakeImage(base_ / "B" / (std::string(name) + ".png"), 200, 150);
  const fs::path script = ScriptFile("function _clone() { drawline(0, 0, 1, 1, 0); }");
  ASSERT_EQ(Run(1, {"/GENERATE_CLONES=1", "/CLONE_PATH=" + out_.string(), "/PNG=1", "/CLONE_CONVERT=0",
                    "/CLONE_SELECTED_SIDE=1", "/CLONE_SIZE=200", "/RILOSCRIPT_FILE=" + script.string(),
                    "/GENERATE_HTML=1", "/GENERATE_INDEX=1", "/HTML_INDEX_FOOTER=<p>[index|{imagecommentcount()}]</p>",
                    "/GENERATE_FRAME=0", "/GENERATE_THUMBPAGES=1", "/GENERATE_PICPAGE=1",
                    "/HTML_PIC_POSTPIC=<p>[{dirinfo(count_cur_path, @DIRNAME)}|{imageinfo(count_cur_all_files, "
                    "@FILENAME)}|{imageinfo(count_cur_all_files, @DOCREF)}|{imageinfo(5, @FILENAME)}|"
                    "{imageinfo(1, 2, @THUMBNAME)}|{exif()}|{imagecommentcount() == @ERROR}|{rotate(90)}]</p>"}),
            kExitOk)
      << testing::PrintToString(Keys());
  const std::regex marker(R"(<p>\[([^\]]*)\]</p>)");
  std::map<std::string, std::string> seen;  // page file name -> marker
  for (const auto& entry : fs::recursive_directory_iterator(out_ / "html")) {
    if (!entry.is_regular_file()) continue;
    const std::string page = ReadFile(entry.path());
    std::smatch match;
    if (std::regex_search(page, match, marker)) seen[entry.path().filename().string()] = match[1];
  }
  ASSERT_EQ(seen.size(), 6u) << testing::PrintToString(seen);
  // Each image page links to itself from its own folder; image 5 of the run
  // is the second of the second directory.
  EXPECT_EQ(seen["a2.html"], "A|a2|a2.html|b2|a2|@false|@false|@error");
  EXPECT_EQ(seen["b1.html"], "B|b1|b1.html|b2|a2|@false|@false|@error");
  EXPECT_EQ(seen["index.html"], "index|@error");
}

}  // namespace
}  // namespace velmora::test
