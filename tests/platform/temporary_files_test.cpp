// Temporary twins: names no other writer of the same folder can take, and a
// clean-up that touches nothing but orphaned twins.
#include <gtest/gtest.h>
#include <unistd.h>

#include <set>

#include "platform/temporary_files.h"
#include "support/temp_dir.h"

namespace velmora {
namespace {

TEST(TemporaryFiles, TwinNamesAreHiddenShortCarryTheProcessAndNeverRepeat) {
  const std::filesystem::path page = "/out/html/a.html";
  std::set<std::string> names;
  for (int i = 0; i < 100; ++i) {
    const std::filesystem::path twin = TemporaryTwin(page);
    EXPECT_EQ(twin.parent_path(), page.parent_path());
    EXPECT_TRUE(IsTemporaryTwinName(twin.filename().string())) << twin;
    EXPECT_TRUE(twin.filename().string().starts_with(".velmora-"));
    EXPECT_NE(twin.filename().string().find("." + std::to_string(getpid()) + "-"), std::string::npos);
    names.insert(twin.filename().string());
  }
  EXPECT_EQ(names.size(), 100u);
  // The longest name a Linux file system allows still has a twin there.
  const std::string longest(251, 'x');
  const std::string twin = TemporaryTwin("/out/" + longest + ".jpg").filename().string();
  EXPECT_LE(twin.size(), 60u);
  EXPECT_TRUE(IsTemporaryTwinName(twin));
  EXPECT_NE(twin, TemporaryTwin("/out/" + longest + ".png").filename().string());
  for (const char* name : {"a.html", ".a.html.tmp", ".a.html.12.tmp", "..12-3.tmp", ".a.12-x.tmp", "_a.html",
                           ".a.html.12-3.tmp.bak", "velmora-0123456789abcdef.12-3.tmp"}) {
    EXPECT_FALSE(IsTemporaryTwinName(name)) << name;
  }
}

TEST(TemporaryFiles, OnlyTwinsOfGoneProcessesAreRemoved) {
  test::TempDir dir;
  const std::string mine = TemporaryTwin(dir / "b.jpg").filename().string();
  // A gone process's twin in today's shape and in the shape of earlier versions.
  const std::string gone = ".velmora-0123456789abcdef.999999999-0.tmp";
  for (const std::string name : {".a.jpg.999999999-0.tmp", gone.c_str(), mine.c_str(), ".c.jpg.tmp", "d.jpg"}) {
    test::WriteFile(dir / name, "x");
  }
  std::filesystem::create_directories(dir / "sub");
  test::WriteFile(dir / "sub/.e.jpg.999999999-0.tmp", "x");
  EXPECT_EQ(RemoveOrphanedTwins(dir.path()), 2);
  EXPECT_FALSE(std::filesystem::exists(dir / ".a.jpg.999999999-0.tmp"));
  EXPECT_FALSE(std::filesystem::exists(dir / gone));
  for (const std::string& name : {mine, std::string(".c.jpg.tmp"), std::string("d.jpg"),
                                 std::string("sub/.e.jpg.999999999-0.tmp")}) {
    EXPECT_TRUE(std::filesystem::exists(dir / name)) << name;
  }
}

}  // namespace
}  // namespace velmora
