// The index page with and without grouping, and the frame start page.
#include <gtest/gtest.h>

#include "gallery_harness.h"
#include <iterator>

#include "html/page_file.h"
#include "page_text.h"
#include "support/temp_dir.h"

namespace velmora::html::test {
namespace {

const std::string kIndexTitle = "<h1 style=\"text-align:center\">Velmora - Index</h1>";
const std::string kIndexTable = "<table align=\"center\" border=\"0\" cellpadding=\"5\" cellspacing=\"0\">" + kNl;
std::string Entry(const std::string& ref, const std::string& doc) {
  return "<td align=\"center\"><a href=\"" + ref + "\">" + doc + "</a></td>" + kNl;
}

TEST(IndexPage, GroupsAtLevelTwoGiveOneTablePerParent) {
  GalleryHarness h;
  h.dir_level = 2;
  h.kinds = {false, true, true, false};
  h.settings.Set("HTML_INDEX_GROUP", "1");
  h.settings.Set("HTML_INDEX_FIRST_THUMBPAGE", "1");
  h.AddDirectory("a", "P/a", "P", 1, "a");
  h.AddDirectory("b", "P/b", "P", 1, "b");
  h.AddDirectory("c", "P/c", "P", 1, "c");
  h.AddDirectory("d", "Q/d", "Q", 1, "d");
  h.AddDirectory("e", "Q/e", "Q", 1, "e");
  ASSERT_TRUE(h.Run());
  const std::string tr = "<tr>" + kNl, tr_close = "</tr>" + kNl, table_close = "</table>" + kNl;
  EXPECT_EQ(h.Page("html/index.html"), PageHead("Velmora - Index") + kIndexTitle + kIndexTable + tr +
                                           Entry("P/a.html", "P/a") + Entry("P/b.html", "P/b") +
                                           Entry("P/c.html", "P/c") + tr_close + table_close + kIndexTable + tr +
                                           Entry("Q/d.html", "Q/d") + Entry("Q/e.html", "Q/e") + tr_close +
                                           table_close + DateParagraph() + PageEnd());
  EXPECT_EQ(h.start_document(), h.clone_dir() / "html/index.html");
}

TEST(IndexPage, ThirteenEntriesInRowsOfSix) {
  GalleryHarness h;
  h.kinds = {false, true, true, false};
  h.settings.Set("HTML_SPLIT", "1");
  h.settings.Set("LINES_PER_PAGE", "1");
  h.settings.Set("THUMBS_PER_LINE", "1");
  h.settings.Set("SPLIT_DIGITS", "2");
  h.settings.Set("HTML_INDEX_PRINT_DATE", "0");
  h.settings.Set("HTML_INDEX_IN_BASEDIR", "1");
  h.AddDirectory(".", ".", "", 13, "p");
  ASSERT_TRUE(h.Run());
  std::string expected = PageHead("Velmora - Index") + kIndexTitle + kIndexTable;
  for (int n = 1; n <= 13; ++n) {
    if (n == 7 || n == 13) expected += "</tr>" + kNl;
    if (n % 6 == 1) expected += "<tr>" + kNl;
    const std::string name = std::string("default-") + (n < 10 ? "0" : "") + std::to_string(n);
    expected += Entry("html/" + name + ".html", name);
  }
  expected += "</tr>" + kNl + "</table>" + kNl + PageEnd();
  EXPECT_EQ(h.Page("index.html"), expected);
  // The thumbnail pages reach the index one folder up.
  EXPECT_NE(h.Page("html/default-01.html").find(NavLink("../index.html", "../deco/home.gif", "index")),
            std::string::npos);
}

TEST(IndexPage, EntriesSeeTheirDirectory) {
  GalleryHarness h;
  h.dir_level = 1;
  h.kinds = {false, true, true, false};
  h.settings.Set("HTML_SPLIT", "1");
  h.settings.Set("LINES_PER_PAGE", "1");
  h.settings.Set("HTML_INDEX_FIRST_THUMBPAGE", "1");
  h.settings.Set("HTML_INDEX_ENTRY", "[{count_cur_path}/{count_next_path} {src_doc} {count_files} {last_path_ref}]");
  h.AddDirectory("x", "x", "", 5, "x");
  h.AddDirectory("y y", "y y", "", 1, "y");
  ASSERT_TRUE(h.Run());
  const std::string page = h.Page("html/index.html");
  EXPECT_NE(page.find("[1/2 x-1 5 x-2.html]"), std::string::npos) << page;
  EXPECT_NE(page.find("[2/0 y y-1 1 y%20y-1.html]"), std::string::npos) << page;
}

TEST(FramePage, IndexInTheSameFolderIsNamedBare) {
  GalleryHarness h;
  h.kinds = {true, true, true, false};
  h.settings.Set("HTML_INDEX_IN_BASEDIR", "1");
  h.settings.Set("HTML_FRAME_IN_BASEDIR", "1");
  h.settings.Set("HTML_FRAME_CONTENT",
                 "<frameset cols=\"200,*\"><frame src=\"{index_ref}\"><frame src=\"{first_ref}\"></frameset>");
  h.AddDirectory(".", ".", "", 1, "a");
  ASSERT_TRUE(h.Run());
  EXPECT_EQ(h.Page("start.html"), PageHead("Velmora - Frame", false) +
                                      "<frameset cols=\"200,*\"><frame src=\"index.html\"><frame "
                                      "src=\"html/default.html\"></frameset>" +
                                      kNl + "</html>" + kNl);
  EXPECT_EQ(h.start_document(), h.clone_dir() / "start.html");
}

TEST(FramePage, FrameInTheHtmlRootReachesTheIndexOneFolderUp) {
  GalleryHarness h;
  h.kinds = {true, true, true, false};
  h.settings.Set("HTML_INDEX_IN_BASEDIR", "1");
  h.settings.Set("HTML_FRAME_CONTENT", "{index_ref}");
  h.AddDirectory(".", ".", "", 1, "a");
  ASSERT_TRUE(h.Run());
  EXPECT_EQ(h.Page("html/start.html"), PageHead("Velmora - Frame", false) + "../index.html" + kNl + "</html>" + kNl);
}

TEST(ChangedPages, SecondRunOverUnchangedInputWritesNothing) {
  GalleryHarness h;
  h.kinds = {true, true, true, true};
  h.dir_level = 1;
  h.settings.Set("HTML_CHANGED", "1");
  h.AddDirectory("x", "x", "", 3, "x");
  h.AddDirectory("y", "y", "", 2, "y");
  ASSERT_TRUE(h.Run());
  EXPECT_EQ(h.html_written(), 1 + 1 + 2 + 5);
  const auto page = h.clone_dir() / "html/x/x2.html";
  const auto before = std::filesystem::last_write_time(page);
  std::filesystem::last_write_time(page, before - std::chrono::hours(1));
  const auto aged = std::filesystem::last_write_time(page);

  ASSERT_TRUE(h.Run());
  EXPECT_EQ(h.html_written(), 0);
  EXPECT_EQ(std::filesystem::last_write_time(page), aged);
  for (const auto& entry : std::filesystem::recursive_directory_iterator(h.clone_dir())) {
    EXPECT_NE(entry.path().filename().string().front(), '_') << entry.path();
  }

  h.settings.Set("HTML_PIC_FOOTER", "<p>new footer</p>");
  ASSERT_TRUE(h.Run());
  EXPECT_EQ(h.html_written(), 5);
  EXPECT_NE(h.Page("html/x/x2.html").find("new footer"), std::string::npos);
}

TEST(ChangedPages, InterruptedPageLeavesTheOldFileAndNoTemporary) {
  velmora::test::TempDir dir;
  velmora::test::WriteFile(dir / "page.html", "old");
  {
    PageFile page;
    ASSERT_TRUE(page.Open(dir.path(), "page.html", true));
    page.Line("half a page");
  }
  EXPECT_EQ(velmora::test::ReadFile(dir / "page.html"), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), std::filesystem::directory_iterator()), 1);

  PageFile same;
  ASSERT_TRUE(same.Open(dir.path(), "page.html", true));
  same.Write("OLD");  // letter case does not count as a change
  EXPECT_EQ(same.Close(), PageResult::kUnchanged);
  EXPECT_EQ(velmora::test::ReadFile(dir / "page.html"), "old");
}

}  // namespace
}  // namespace velmora::html::test
