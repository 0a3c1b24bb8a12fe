// The scripts of a whole batch run: the script file, with its faults, and
// the context that the entry functions see.
#include <gtest/gtest.h>

#include <regex>

#include "run_fixture.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

// `_initpath` remembers the directory's first and last page as it sees them.
constexpr std::string_view kPathModule =
    "!*Pfade\r\n"
    "!+function _initpath() {\r\n"
    "!+  global first_path_doc, last_path_doc, gesehen;\r\n"
    "!+  gesehen = first_path_doc + \"/\" + last_path_doc;\r\n"
    "!+}\r\n";

class ScriptRun : public BatchRun {
 protected:
  void MakeAlbums() {
    for (const char* album : {"Berg", "See"}) {
      for (int n = 1; n <= 3; ++n) MakeImage(base_ / album / ("bild" + std::to_string(n) + ".jpg"), 40, 30);
    }
  }
  // Thumbnail pages only, two per album, each showing what `_initpath` saw
  // beside what the page itself was given.
  int RunWithScriptFile(const fs::path& file) {
    return Run(1, {"/GENERATE_CLONES=1", "/CLONE_PATH=" + out_.string(), "/GENERATE_HTML=1", "/GENERATE_INDEX=0",
                   "/GENERATE_FRAME=0", "/GENERATE_PICPAGE=0", "/GENERATE_THUMBPAGES=1", "/HTML_SPLIT=1",
                   "/LINES_PER_PAGE=1", "/THUMBS_PER_LINE=2", "/RILOSCRIPT_FILE=" + file.string(),
                   "/HTML_PRE_TABLE=<p>[{gesehen}|{first_path_doc}/{last_path_doc}]</p>"});
  }
  // Every page's pair: what `_initpath` saw, and the page's own values.
  std::vector<std::pair<std::string, std::string>> SeenOnPages() {
    std::vector<std::pair<std::string, std::string>> seen;
    const std::regex pair(R"(<p>\[([^|]*)\|([^\]]*)\]</p>)");
    for (const auto& entry : fs::recursive_directory_iterator(out_ / "html")) {
      const std::string page = ReadFile(entry.path());
      std::smatch match;
      if (std::regex_search(page, match, pair)) seen.emplace_back(match[1], match[2]);
    }
    return seen;
  }
};

TEST_F(ScriptRun, InitPathSeesTheFirstAndLastPageOfItsOwnDirectory) {
  MakeAlbums();
  WriteFile(root_ / "skript.rls", kPathModule);
  ASSERT_EQ(RunWithScriptFile(root_ / "skript.rls"), kExitOk) << testing::PrintToString(Keys());
  const auto seen = SeenOnPages();
  ASSERT_EQ(seen.size(), 4u);
  for (const auto& [by_initpath, on_page] : seen) {
    EXPECT_NE(on_page, "/");
    EXPECT_EQ(by_initpath, on_page);
  }
}

// `_init` runs before the first page and sees the run-wide variables of
// the preparation: where the decoration lies from an image page and the
// thumbnail side that the chosen side setting names.
TEST_F(ScriptRun, InitSeesTheDecorationAndTheThumbnailSide) {
  MakeAlbums();
  WriteFile(root_ / "skript.rls",
            "!*Lauf\r\n"
            "!+function _init() {\r\n"
            "!+  global deco_ref, thumb_dim, deko, seite;\r\n"
            "!+  deko = deco_ref;\r\n"
            "!+  seite = thumb_dim;\r\n"
            "!+}\r\n");
  const std::pair<const char*, const char*> sides[] = {{"1", "[../../deco|77]"}, {"2", "[../../deco|120]"},
                                                      {"3", "[../../deco|90]"}, {"4", "[../../deco|120]"}};
  for (const auto& [side, seen] : sides) {
    ASSERT_EQ(Run(1, {"/GENERATE_CLONES=1", "/CLONE_PATH=" + out_.string(), "/GENERATE_HTML=1",
                      "/GENERATE_PICPAGE=0", "/THUMBNAILS=1", std::string("/THUMB_SELECTED_SIDE=") + side,
                      "/THUMB_SIZE=77", "/THUMB_WIDTH=120", "/THUMB_HEIGHT=90",
                      "/RILOSCRIPT_FILE=" + (root_ / "skript.rls").string(), "/HTML_PRE_TABLE=[{deko}|{seite}]"}),
              kExitOk)
        << testing::PrintToString(Keys());
    const std::string page = ReadFile(out_ / "html" / "Berg.html");
    EXPECT_NE(page.find(seen), std::string::npos) << side << ": " << page;
  }
}

TEST_F(ScriptRun, ScriptFileWithAFaultyLineKeepsTheModulesReadBeforeIt) {
  MakeAlbums();
  WriteFile(root_ / "skript.rls", std::string(kPathModule) + "kaputt\r\n!*Danach\r\n!+function nie() { }\r\n");
  EXPECT_EQ(RunWithScriptFile(root_ / "skript.rls"), kExitMessagesShown);
  EXPECT_EQ(Keys(), std::vector<std::string>{"ErrRLSFileRead"});
  const auto seen = SeenOnPages();
  ASSERT_EQ(seen.size(), 4u);
  for (const auto& [by_initpath, on_page] : seen) EXPECT_EQ(by_initpath, on_page);
}

TEST_F(ScriptRun, MissingScriptFileIsReportedAndTheRunGoesOn) {
  MakeAlbums();
  EXPECT_EQ(RunWithScriptFile(root_ / "fehlt.rls"), kExitMessagesShown);
  EXPECT_EQ(Keys(), std::vector<std::string>{"ErrRLSFileOpen"});
  EXPECT_TRUE(fs::exists(out_ / "Berg" / "bild1.jpg"));
  EXPECT_EQ(SeenOnPages().size(), 4u);
}

}  // namespace
}  // namespace velmora::test
