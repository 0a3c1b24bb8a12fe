#include "platform/program_paths.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

// The build tree keeps the data beside the executable; an installed tree
// (prefix/bin/velmora) keeps it in prefix/share/velmora. The folder beside
// the executable wins, so a build tree never picks up an installed copy.
TEST(ProgramPaths, DataLiesBesideTheExecutableElseInShareVelmora) {
  test::TempDir root;
  const fs::path bin = root / "usr" / "bin";
  fs::create_directories(bin);
  EXPECT_EQ(DataDirectoryBeside(bin), bin) << "nothing anywhere: the executable's folder";

  test::WriteFile(root / "usr" / "share" / "velmora" / "metadata.def", "");
  EXPECT_EQ(DataDirectoryBeside(bin), root / "usr" / "share" / "velmora");

  // A folder named profiles beside the executable is not the data.
  fs::create_directories(bin / "profiles");
  EXPECT_EQ(DataDirectoryBeside(bin), root / "usr" / "share" / "velmora");

  test::WriteFile(bin / "metadata.def", "");
  EXPECT_EQ(DataDirectoryBeside(bin), bin);
}

TEST(ProgramPaths, TheRunningProgramFindsItsShippedData) {
  EXPECT_TRUE(fs::is_regular_file(ProgramDirectory() / "metadata.def"));
  EXPECT_TRUE(fs::is_directory(ProgramDirectory() / "profiles"));
}

}  // namespace
}  // namespace velmora
