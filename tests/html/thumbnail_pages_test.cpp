// Thumbnail and image pages over small trees at every directory level,
// compared whole against the page rules.
#include <gtest/gtest.h>

#include "gallery_harness.h"
#include "page_text.h"

namespace velmora::html::test {
namespace {

std::string Cell(const std::string& name) { return Td(DefaultCell(name, name + ".html")); }

TEST(ThumbnailPages, LevelZeroSplitIntoNumberedPagesWithNavigation) {
  GalleryHarness h;
  h.settings.Set("THUMBS_PER_LINE", "2");
  h.settings.Set("HTML_SPLIT", "1");
  h.settings.Set("LINES_PER_PAGE", "1");
  h.settings.Set("SPLIT_DIGITS", "2");
  h.kinds.index = true;
  h.AddDirectory(".", ".", "", 3, "a");
  ASSERT_TRUE(h.Run());

  const std::string up = NavLink("index.html", "../deco/home.gif", "index");
  EXPECT_EQ(h.Page("html/default-01.html"),
            PageHead("Velmora - Thumbnails") + ThumbTitle() + "<div style=\"text-align:center\">" + up + " " +
                NavLink("default-02.html", "../deco/rechts.gif", "default-02") + "</div>" + kNl + ThumbTableOpen() +
                "<tr>" + kNl + Cell("a1") + Cell("a2") + "</tr>" + kNl + "</table>" + kNl + DateParagraph() +
                PageEnd());
  EXPECT_EQ(h.Page("html/default-02.html"), PageHead("Velmora - Thumbnails") + ThumbTitle() +
                                                "<div style=\"text-align:center\">" +
                                                NavLink("default-01.html", "../deco/links.gif", "default-01") + " " +
                                                up + "</div>" + kNl + ThumbTableOpen() + "<tr>" + kNl + Cell("a3") +
                                                "</tr>" + kNl + "</table>" + kNl + DateParagraph() + PageEnd());

  // The middle image: previous, up to its thumbnail page, next.
  EXPECT_EQ(h.Page("html/a2.html"),
            PageHead("Velmora - a2") + "<div style=\"text-align:center\">" +
                NavLink("a1.html", "../deco/links.gif", "a1") + " " +
                NavLink("default-01.html", "../deco/index.gif", "default-01") + " " +
                NavLink("a3.html", "../deco/rechts.gif", "a3") + "</div><br>" + kNl + kNl +
                "<div style=\"text-align:center\"><a href=\"default-01.html\"><img src=\"p.jpg\" "
                "style=\"border-style:none\" alt=\"a2\" title=\"a2\"></a></div>" +
                kNl + kNl + DateParagraph() + PageEnd());
  // The last image sits on the second page and has no next image.
  EXPECT_NE(h.Page("html/a3.html").find(NavLink("default-02.html", "../deco/index.gif", "default-02") + "</div><br>"),
            std::string::npos);
  EXPECT_EQ(h.html_written(), 6);
  EXPECT_EQ(h.start_document(), h.clone_dir() / "html/index.html");
}

TEST(ThumbnailPages, LevelOneSharesTheHtmlRootAndLinksAcrossDirectories) {
  GalleryHarness h;
  h.dir_level = 1;
  h.settings.Set("PRINT_DATE", "0");
  h.settings.Set("HTML_BILD_PRINT_DATE", "0");
  h.AddDirectory("x", "x", "", 2, "x");
  h.AddDirectory("y", "y", "", 1, "y");
  ASSERT_TRUE(h.Run());

  EXPECT_EQ(h.Page("html/x.html"),
            PageHead("Velmora - Thumbnails") + ThumbTitle() + "<div style=\"text-align:center\"> " +
                NavLink("y.html", "../deco/rechts.gif", "y") + "</div>" + kNl + ThumbTableOpen() + "<tr>" + kNl +
                Cell("x1") + Cell("x2") + "</tr>" + kNl + "</table>" + kNl + PageEnd());
  EXPECT_EQ(h.Page("html/y.html"),
            PageHead("Velmora - Thumbnails") + ThumbTitle() + "<div style=\"text-align:center\">" +
                NavLink("x.html", "../deco/links.gif", "x") + " </div>" + kNl + ThumbTableOpen() + "<tr>" + kNl +
                Cell("y1") + "</tr>" + kNl + "</table>" + kNl + PageEnd());
  // Continuous order: the first image of y goes back to the last of x.
  EXPECT_EQ(h.Page("html/y/y1.html"), PageHead("Velmora - y1") + "<div style=\"text-align:center\">" +
                                          NavLink("../x/x2.html", "../../deco/links.gif", "x2") + " " +
                                          NavLink("../y.html", "../../deco/index.gif", "y") + "</div><br>" + kNl + kNl +
                                          "<div style=\"text-align:center\"><a href=\"../y.html\"><img src=\"p.jpg\" "
                                          "style=\"border-style:none\" alt=\"y1\" title=\"y1\"></a></div>" +
                                          kNl + kNl + PageEnd());
}

TEST(ThumbnailPages, LevelTwoPagesLieInTheParentFolder) {
  GalleryHarness h;
  h.dir_level = 2;
  h.kinds.index = true;
  h.kinds.image_pages = false;
  h.settings.Set("PRINT_DATE", "0");
  h.AddDirectory("x", "A/x", "A", 1, "x");
  h.AddDirectory("y", "A/y", "A", 1, "y");
  h.AddDirectory("z", "B/z", "B", 1, "z");
  ASSERT_TRUE(h.Run());
  EXPECT_EQ(h.Page("html/B/z.html"),
            PageHead("Velmora - Thumbnails") + ThumbTitle() + "<div style=\"text-align:center\">" +
                NavLink("../A/y.html", "../../deco/links.gif", "y") + " " +
                NavLink("../index.html", "../../deco/home.gif", "index") + "</div>" + kNl + ThumbTableOpen() + "<tr>" +
                kNl + Cell("z1") + "</tr>" + kNl + "</table>" + kNl + PageEnd());
  EXPECT_TRUE(std::filesystem::exists(h.clone_dir() / "html/A/x.html"));
  EXPECT_TRUE(std::filesystem::exists(h.clone_dir() / "html/A/y.html"));
}

TEST(ThumbnailPages, LevelTwoSplitPagesLinkAcrossParents) {
  GalleryHarness h;
  h.dir_level = 2;
  h.settings.Set("HTML_SPLIT", "1");
  h.settings.Set("LINES_PER_PAGE", "1");
  h.settings.Set("THUMBS_PER_LINE", "2");
  h.AddDirectory("x", "A/x", "A", 3, "x");
  h.AddDirectory("z", "B/z", "B", 1, "z");
  ASSERT_TRUE(h.Run());
  EXPECT_EQ(h.Page("html/A/x-2.html"),
            PageHead("Velmora - Thumbnails") + ThumbTitle() + "<div style=\"text-align:center\">" +
                NavLink("x-1.html", "../../deco/links.gif", "x-1") + "  " +
                NavLink("../B/z-1.html", "../../deco/rechts.gif", "z-1") + "</div>" + kNl + ThumbTableOpen() + "<tr>" +
                kNl + Cell("x3") + "</tr>" + kNl + "</table>" + kNl + DateParagraph() + PageEnd());
  EXPECT_EQ(h.Page("html/A/x/x3.html"),
            PageHead("Velmora - x3") + "<div style=\"text-align:center\">" +
                NavLink("x2.html", "../../../deco/links.gif", "x2") + " " +
                NavLink("../x-2.html", "../../../deco/index.gif", "x-2") + " " +
                NavLink("../../B/z/z1.html", "../../../deco/rechts.gif", "z1") + "</div><br>" + kNl + kNl +
                "<div style=\"text-align:center\"><a href=\"../x-2.html\"><img src=\"p.jpg\" "
                "style=\"border-style:none\" alt=\"x3\" title=\"x3\"></a></div>" +
                kNl + kNl + DateParagraph() + PageEnd());
}

TEST(ThumbnailPages, TwentyOneImagesGiveTwoPagesAndOneRowOnTheSecond) {
  GalleryHarness h;
  h.kinds.image_pages = false;
  h.settings.Set("HTML_SPLIT", "1");
  h.settings.Set("SPLIT_DIGITS", "2");
  h.AddDirectory(".", ".", "", 21, "p");
  ASSERT_TRUE(h.Run());
  const std::string first = h.Page("html/default-01.html");
  const std::string second = h.Page("html/default-02.html");
  auto count = [](const std::string& text, const std::string& what) {
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
  };
  EXPECT_EQ(count(first, "<tr>"), 5);
  EXPECT_EQ(count(first, "<td "), 20);
  EXPECT_EQ(count(second, "<tr>"), 1);
  EXPECT_EQ(count(second, "<td "), 1);
  EXPECT_FALSE(std::filesystem::exists(h.clone_dir() / "html/default-03.html"));
}

TEST(ThumbnailPages, UnsplitHundredImagesAreOnePageOfTwentyFiveRows) {
  GalleryHarness h;
  h.kinds.image_pages = false;
  h.AddDirectory(".", ".", "", 100, "p");
  ASSERT_TRUE(h.Run());
  const std::string page = h.Page("html/default.html");
  int rows = 0;
  for (std::size_t at = page.find("<tr>"); at != std::string::npos; at = page.find("<tr>", at + 1)) ++rows;
  EXPECT_EQ(rows, 25);
}

TEST(ThumbnailPages, NavigationBlockAtEveryPositionOfRefPos) {
  GalleryHarness h;
  h.kinds.image_pages = false;
  h.settings.Set("REF_POS", "52");
  h.settings.Set("HTML_VERWEISFOLGE", "2");
  h.settings.Set("PRINT_DATE", "0");
  h.settings.Set("HTML_BODY", "");
  h.settings.Set("HTML_POST_TABLE", "<p>after</p>");
  h.AddDirectory(".", ".", "", 1, "a");
  ASSERT_TRUE(h.Run());
  // Circular order on a one-page directory links the page to itself.
  const std::string nav = "<div style=\"text-align:center\">" +
                          NavLink("default.html", "../deco/links.gif", "default") + "  " +
                          NavLink("default.html", "../deco/rechts.gif", "default") + "</div>" + kNl;
  EXPECT_EQ(h.Page("html/default.html"), PageHead("Velmora - Thumbnails", false) + "<body>" + kNl + ThumbTitle() + nav +
                                             ThumbTableOpen() + "<tr>" + kNl + Cell("a1") + "</tr>" + kNl + "</table>" +
                                             kNl + nav + "<p>after</p>" + nav + PageEnd());
}

TEST(ThumbnailPages, BoundedOrderAndExtendedNavigation) {
  GalleryHarness h;
  h.kinds.image_pages = false;
  h.settings.Set("HTML_VERWEISFOLGE", "3");
  h.settings.Set("NAV_EXTENDED", "1");
  h.settings.Set("HTML_SPLIT", "1");
  h.settings.Set("LINES_PER_PAGE", "1");
  h.settings.Set("THUMBS_PER_LINE", "1");
  h.AddDirectory(".", ".", "", 2, "a");
  ASSERT_TRUE(h.Run());
  const std::string page = h.Page("html/default-1.html");
  EXPECT_NE(page.find("<div style=\"text-align:center\">" +
                      NavLink("default-1.html", "../deco/gesamtanfang.gif", "default-1") + " " +
                      NavLink("default-1.html", "../deco/pfadanfang.gif", "default-1") + "  " +
                      NavLink("default-2.html", "../deco/rechts.gif", "default-2") + " " +
                      NavLink("default-2.html", "../deco/pfadende.gif", "default-2") + "  " +
                      NavLink("default-2.html", "../deco/gesamtende.gif", "default-2") + "</div>"),
            std::string::npos)
      << page;
  EXPECT_EQ(h.Page("html/default-2.html").find("rechts.gif"), std::string::npos);
}

TEST(ImagePages, OnlyImageOfABoundedRunHasNoNeighboursAndNoEnds) {
  GalleryHarness h;
  h.kinds.thumb_pages = false;
  h.settings.Set("HTML_BILD_VERWEISFOLGE", "3");
  h.settings.Set("HTML_BILD_NAV_EXTENDED", "1");
  h.settings.Set("HTML_BILD_REF_POS", "0");
  h.AddDirectory(".", ".", "", 1, "a");
  ASSERT_TRUE(h.Run());
  const std::string page = h.Page("html/a1.html");
  EXPECT_EQ(page.find("</div><br>"), std::string::npos);
  EXPECT_EQ(page.find(".gif"), std::string::npos);
  EXPECT_EQ(h.start_document(), h.clone_dir() / "html/a1.html");

  h.settings.Set("HTML_BILD_REF_POS", "4");
  ASSERT_TRUE(h.Run());
  EXPECT_NE(h.Page("html/a1.html").find("<div style=\"text-align:center\"></div><br>"), std::string::npos);
}

TEST(ImagePages, ExtendedNavigationNamesTheEndsOfPageDirectoryAndRun) {
  GalleryHarness h;
  h.dir_level = 1;
  h.settings.Set("HTML_BILD_NAV_EXTENDED", "1");
  h.settings.Set("HTML_SPLIT", "1");
  h.settings.Set("LINES_PER_PAGE", "1");
  h.settings.Set("THUMBS_PER_LINE", "3");
  h.AddDirectory("x", "x", "", 4, "x");
  h.AddDirectory("y", "y", "", 1, "y");
  ASSERT_TRUE(h.Run());
  const std::string page = h.Page("html/x/x2.html");
  const std::string deco = "../../deco/";
  EXPECT_NE(
      page.find("<div style=\"text-align:center\">" + NavLink("x1.html", deco + "gesamtanfang.gif", "x1") + " " +
                NavLink("x1.html", deco + "pfadanfang.gif", "x1") + " " +
                NavLink("x1.html", deco + "seitenanfang.gif", "x1") + " " +
                NavLink("x1.html", deco + "links.gif", "x1") + " " + NavLink("../x-1.html", deco + "index.gif", "x-1") +
                " " + NavLink("x3.html", deco + "rechts.gif", "x3") + " " +
                NavLink("x3.html", deco + "seitenende.gif", "x3") + " " +
                NavLink("x4.html", deco + "pfadende.gif", "x4") + " " +
                NavLink("../y/y1.html", deco + "gesamtende.gif", "y1") + "</div><br>"),
      std::string::npos)
      << page;
}

TEST(PageFrame, DoctypeHtmlAttributesAndLiteralHead) {
  GalleryHarness h;
  h.kinds.image_pages = false;
  h.settings.Set("HTML_DOCTYPE", "<!DOCTYPE html>");
  h.settings.Set("HTML_HTML", "lang=\"de\"");
  h.settings.Set("HTML_HEAD", "<meta name=\"x\" content=\"{doc}\">");
  h.settings.Set("HTML_HEAD_DISABLE_RILOSCRIPT", "1");
  h.settings.Set("HTML_TITLE", "~<{doc}~>");
  h.AddDirectory(".", ".", "", 1, "a");
  ASSERT_TRUE(h.Run());
  EXPECT_EQ(
      h.Page("html/default.html")
          .rfind("<!DOCTYPE html>" + kNl + "<html lang=\"de\">" + kNl + "<head>" + kNl +
                     "<meta name=\"x\" content=\"{doc}\">" + kNl + "<title>{default}</title>" + kNl + "</head>" + kNl,
                 0),
      0u);
}

}  // namespace
}  // namespace velmora::html::test
