// Copying decoration files and the shipped standard set.
#include "html/decoration.h"

#include <gtest/gtest.h>

#include "platform/program_paths.h"
#include "html/gallery_layout.h"
#include "support/temp_dir.h"

namespace velmora::html {
namespace {

using velmora::test::ReadFile;
using velmora::test::TempDir;
using velmora::test::WriteFile;

TEST(Decoration, CopyEverOverwritesOtherwiseEditedFilesStay) {
  TempDir dir;
  WriteFile(dir / "src/links.gif", "GIF89a-new");
  WriteFile(dir / "src/.hidden", "x");
  WriteFile(dir / "src/sub/inner.gif", "x");
  WriteFile(dir / "out/deco/links.gif", "edited");
  EXPECT_TRUE(CopyDecorationFiles(dir / "src", dir / "out/deco", false));
  EXPECT_EQ(ReadFile(dir / "out/deco/links.gif"), "edited");
  EXPECT_FALSE(std::filesystem::exists(dir / "out/deco/sub"));
  EXPECT_FALSE(std::filesystem::exists(dir / "out/deco/.hidden"));
  EXPECT_TRUE(CopyDecorationFiles(dir / "src", dir / "out/deco", true));
  EXPECT_EQ(ReadFile(dir / "out/deco/links.gif"), "GIF89a-new");
}

TEST(Decoration, EmptySourceGivesAnEmptyTargetAndMissingSourceFails) {
  TempDir dir;
  std::filesystem::create_directories(dir / "empty");
  EXPECT_TRUE(CopyDecorationFiles(dir / "empty", dir / "deco", true));
  EXPECT_TRUE(std::filesystem::is_directory(dir / "deco"));
  EXPECT_FALSE(CopyDecorationFiles(dir / "missing", dir / "deco2", true));
}

TEST(Decoration, StandardSetHoldsEveryPictureTheDefaultTemplatesName) {
  const auto set = ProgramDirectory() / "decopool" / "standard";
  for (const char* name : {"gesamtanfang.gif", "pfadanfang.gif", "seitenanfang.gif", "links.gif", "home.gif",
                           "index.gif", "rechts.gif", "seitenende.gif", "pfadende.gif", "gesamtende.gif"}) {
    const std::string bytes = ReadFile(set / name);
    EXPECT_EQ(bytes.substr(0, 6), "GIF89a") << name;
  }
}

TEST(Links, RelativeLinksAreEncoded) {
  EXPECT_EQ(RelativeLink("html", "html", "a b.html"), "a%20b.html");
  EXPECT_EQ(RelativeLink("html/A", "html/B", "z.html"), "../B/z.html");
  EXPECT_EQ(RelativeLink("", "html", "default.html"), "html/default.html");
  EXPECT_EQ(RelativeLink("html/x", "deco", ""), "../../deco");
  EXPECT_EQ(EncodeLink("\xE4#%&\\"), "%C3%A4%23%25%26%5C");  // UTF-8 bytes, as names lie on disk
}

TEST(Links, SplitNeverDividesByZero) {
  EXPECT_EQ(SplitPages(5, true, 0, 0).page_count, 5);
  EXPECT_EQ(SplitPages(21, true, 5, 4).page_count, 2);
  EXPECT_EQ(SplitPages(100, false, 5, 4).page_count, 1);
}

}  // namespace
}  // namespace velmora::html
