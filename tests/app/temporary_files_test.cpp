// Temporary twins: names no other writer of the same folder can take, and a
// clean-up that touches nothing but orphaned twins.
#include <gtest/gtest.h>
#include <unistd.h>

#include <set>

#include "app/platform/temporary_files.h"
#include "support/temp_dir.h"

namespace velmora {
namespace {

TEST(TemporaryFiles, TwinNamesAreHiddenCarryTheProcessAndNeverRepeat) {
  const std::filesystem::path page = "/out/html/a.html";
  std::set<std::string> names;
  for (int i = 0; i < 100; ++i) {
    const std::filesystem::path twin = TemporaryTwin(page);
    EXPECT_EQ(twin.parent_path(), page.parent_path());
    EXPECT_TRUE(IsTemporaryTwinName(twin.filename().string())) << twin;
    EXPECT_TRUE(twin.filename().string().starts_with(".a.html." + std::to_string(getpid()) + "-"));
    names.insert(twin.filename().string());
  }
  EXPECT_EQ(names.size(), 100u);
  for (const char* name : {"a.html", ".a.html.tmp", ".a.html.12.tmp", "..12-3.tmp", ".a.12-x.tmp", "_a.html",
                           ".a.html.12-3.tmp.bak"}) {
    EXPECT_FALSE(IsTemporaryTwinName(name)) << name;
  }
}

TEST(TemporaryFiles, OnlyTwinsOfGoneProcessesAreRemoved) {
  test::TempDir dir;
  const std::string mine = ".b.jpg." + std::to_string(getpid()) + "-4.tmp";
  for (const std::string name : {".a.jpg.999999999-0.tmp", mine.c_str(), ".c.jpg.tmp", "d.jpg"}) {
    test::WriteFile(dir / name, "x");
  }
  std::filesystem::create_directories(dir / "sub");
  test::WriteFile(dir / "sub/.e.jpg.999999999-0.tmp", "x");
  EXPECT_EQ(RemoveOrphanedTwins(dir.path()), 1);
  EXPECT_FALSE(std::filesystem::exists(dir / ".a.jpg.999999999-0.tmp"));
  for (const std::string& name : {mine, std::string(".c.jpg.tmp"), std::string("d.jpg"),
                                 std::string("sub/.e.jpg.999999999-0.tmp")}) {
    EXPECT_TRUE(std::filesystem::exists(dir / name)) << name;
  }
}

}  // namespace
}  // namespace velmora
