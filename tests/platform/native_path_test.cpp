// Resolving paths before they are compared: the output guard and the
// script file policy both place a path with these two functions, so a
// trailing separator, "..", a link or an unsearchable folder must give the
// same answer to both.
#include <gtest/gtest.h>

#include "platform/native_path.h"
#include "support/temp_dir.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

TEST(PathWithin, ComparesWholePieces) {
  EXPECT_TRUE(PathWithin("/a/b", "/a/b"));
  EXPECT_TRUE(PathWithin("/a/b/c.txt", "/a/b"));
  EXPECT_TRUE(PathWithin("/a/b/c", "/a/b/"));
  EXPECT_TRUE(PathWithin("/x/y", "/"));
  EXPECT_FALSE(PathWithin("/a/bc", "/a/b"));
  EXPECT_FALSE(PathWithin("/a", "/a/b"));
}

TEST(ResolvedPath, DotsSeparatorsAndMissingTailsAreResolved) {
  for (const Unresolvable mode : {Unresolvable::kEmpty, Unresolvable::kLexical}) {
    EXPECT_EQ(ResolvedPath("/a/b/../c/./d/", mode), fs::path("/a/c/d"));
    EXPECT_EQ(ResolvedPath("/", mode), fs::path("/"));
    EXPECT_EQ(ResolvedPath("/tmp//", mode), ResolvedPath("/tmp", mode));
    EXPECT_TRUE(ResolvedPath("", mode).empty());
  }
  // A relative path is taken from the current folder.
  EXPECT_EQ(ResolvedPath("x/../y", Unresolvable::kEmpty), fs::weakly_canonical(fs::current_path()) / "y");
}

TEST(ResolvedPath, ALinkOutOfAFolderResolvesToWhereItLeads) {
  const test::TempDir dir;
  fs::create_directories(dir / "inside");
  fs::create_directories(dir / "outside");
  fs::create_directory_symlink(dir / "outside", dir / "inside" / "link");
  const fs::path inside = ResolvedPath(dir / "inside", Unresolvable::kEmpty);
  const fs::path through_link = ResolvedPath(dir / "inside" / "link" / "new.txt", Unresolvable::kEmpty);
  EXPECT_EQ(through_link, ResolvedPath(dir / "outside" / "new.txt", Unresolvable::kEmpty));
  EXPECT_FALSE(PathWithin(through_link, inside));
  // "inside/../outside" leaves by its dots alone.
  EXPECT_FALSE(PathWithin(ResolvedPath(dir / "inside" / ".." / "outside", Unresolvable::kEmpty), inside));
}

TEST(ResolvedPath, AFolderThatCannotBeExaminedGivesTheChosenFallback) {
  // A link that leads to itself cannot be followed, whoever asks.
  const test::TempDir dir;
  fs::create_directory_symlink(dir / "loop", dir / "loop");
  const fs::path behind = dir / "loop" / "inner" / ".." / "x.jpg";
  EXPECT_TRUE(ResolvedPath(behind, Unresolvable::kEmpty).empty());
  EXPECT_EQ(ResolvedPath(behind, Unresolvable::kLexical), (dir.path() / "loop" / "x.jpg").lexically_normal());
}

}  // namespace
}  // namespace velmora
