#include "app/run/directory_listing.h"

#include <gtest/gtest.h>

#include "app/run/file_patterns.h"
#include "support/temp_dir.h"

namespace velmora::app {
namespace {

TEST(ImagePatterns, FilterTimesExtensionsInTypeOrder) {
  EXPECT_EQ(BuildImagePatterns("*", {{"JPG"}}), (std::vector<std::string>{"*.JPG"}));
  EXPECT_EQ(BuildImagePatterns("a*,b*", {{"GIF"}, {"JPG,JPEG"}}),
            (std::vector<std::string>{"a*.GIF", "b*.GIF", "a*.JPG", "a*.JPEG", "b*.JPG", "b*.JPEG"}));
}

TEST(ImagePatterns, MatchWithoutRegardToCase) {
  EXPECT_TRUE(MatchesPattern("holiday.jpg", "*.JPG"));
  EXPECT_TRUE(MatchesPattern("Holiday.Jpg", "*.JPG"));
  EXPECT_TRUE(MatchesPattern("\xC4pfel.jpg", "\xE4*.jpg"));  // Ä matches ä
  EXPECT_FALSE(MatchesPattern("holiday.jpeg", "*.JPG"));
  EXPECT_FALSE(MatchesPattern("holiday.jpg.txt", "*.JPG"));
  EXPECT_TRUE(MatchesPattern("img_01.jpg", "img_??.jpg"));
  EXPECT_FALSE(MatchesPattern("img_1.jpg", "img_??.jpg"));
  EXPECT_TRUE(MatchesPattern("a.b.c.jpg", "*.*.jpg"));
}

TEST(ImagePatterns, PathologicalPatternsStayFast) {
  const std::string name(5000, 'a');
  EXPECT_FALSE(MatchesPattern(name, "*a*a*a*a*a*a*a*a*a*a*b"));
}

TEST(DirectoryListing, ImagesAndSubdirectoriesInNameOrderWithoutHiddenOnes) {
  test::TempDir dir;
  test::WriteFile(dir / "b.JPG", "x");
  test::WriteFile(dir / "A.jpg", "xy");
  test::WriteFile(dir / "notes.txt", "x");
  test::WriteFile(dir / ".hidden.jpg", "x");
  test::WriteFile(dir / "Sub" / "c.jpg", "x");
  test::WriteFile(dir / ".cache" / "d.jpg", "x");
  std::filesystem::create_directory(dir / "folder.jpg");

  const auto images = ListImageFiles(dir.path(), {"*.JPG"});
  ASSERT_EQ(images.size(), 2u);
  EXPECT_EQ(images[0].name, "A.jpg");
  EXPECT_EQ(images[0].bytes, 2);
  EXPECT_EQ(images[1].name, "b.JPG");

  const auto subdirectories = ListSubdirectories(dir.path());
  ASSERT_EQ(subdirectories.size(), 2u);
  EXPECT_EQ(subdirectories[0].name, "folder.jpg");
  EXPECT_EQ(subdirectories[1].name, "Sub");
}

TEST(DirectoryListing, NamesCrossIntoWindows1252OrAreReportedAndSkipped) {
  test::TempDir dir;
  test::WriteFile(dir / "Sonnenuntergang \xC3\xBC" "ber.jpg", "x");  // "über" in UTF-8
  test::WriteFile(dir / "\xE6\x97\xA5\xE6\x9C\xAC.jpg", "x");          // Japanese: no Windows-1252 form
  test::WriteFile(dir / "\xE6\x97\xA5.txt", "x");                      // not an image: not reported
  std::vector<std::filesystem::path> skipped;
  const auto images = ListImageFiles(dir.path(), {"*.jpg"}, [&](const auto& path) { skipped.push_back(path); });
  ASSERT_EQ(images.size(), 1u);
  EXPECT_EQ(images[0].name, "Sonnenuntergang \xFC" "ber.jpg");
  EXPECT_EQ(images[0].path.filename().string(), "Sonnenuntergang \xC3\xBC" "ber.jpg");
  ASSERT_EQ(skipped.size(), 1u);
  EXPECT_EQ(skipped[0].filename().string(), "\xE6\x97\xA5\xE6\x9C\xAC.jpg");
}

TEST(DirectoryListing, MissingDirectoryGivesEmptyLists) {
  EXPECT_TRUE(ListImageFiles("/nonexistent/velmora", {"*.jpg"}).empty());
  EXPECT_TRUE(ListSubdirectories("/nonexistent/velmora").empty());
}

}  // namespace
}  // namespace velmora::app
