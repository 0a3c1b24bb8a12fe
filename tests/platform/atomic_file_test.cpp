// The one atomic file writer: a file is either its old self or complete.
#include "platform/atomic_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/temp_dir.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

std::size_t FilesIn(const fs::path& folder) {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder)) ++count;
  return count;
}

TEST(AtomicFileWriter, AWriteThatNeverFinishesLeavesTheOldFileAndNoTwin) {
  test::TempDir dir;
  test::WriteFile(dir / "page.html", "old page");
  {
    AtomicFileWriter writer;
    ASSERT_FALSE(writer.Open(dir / "page.html"));
    writer.Write(std::string(200'000, 'x'));  // beyond the buffer: part of it is on disk already
    EXPECT_TRUE(fs::exists(writer.twin()));
    EXPECT_EQ(test::ReadFile(dir / "page.html"), "old page");
  }
  EXPECT_EQ(test::ReadFile(dir / "page.html"), "old page");
  EXPECT_EQ(FilesIn(dir.path()), 1u);
}

TEST(AtomicFileWriter, PiecesStreamedInAnyOrderOfSizesArriveWhole) {
  test::TempDir dir;
  AtomicFileWriter writer;
  ASSERT_FALSE(writer.Open(dir / "big.html"));
  std::string expected;
  for (int i = 0; i < 5000; ++i) {
    const std::string piece = std::to_string(i) + std::string(static_cast<std::size_t>(i % 97), 'a') + "\r\n";
    writer.Write(piece);
    expected += piece;
  }
  writer.Write(std::string(70'000, 'z'));
  expected += std::string(70'000, 'z');
  EXPECT_FALSE(writer.Commit(Durability::kRenameOnly));
  EXPECT_EQ(test::ReadFile(dir / "big.html"), expected);
  EXPECT_EQ(FilesIn(dir.path()), 1u);
}

TEST(AtomicFileWriter, AMissingFolderIsAnErrorWithItsReason) {
  test::TempDir dir;
  AtomicFileWriter writer;
  const std::error_code error = writer.Open(dir / "missing/page.html");
  EXPECT_EQ(error, std::errc::no_such_file_or_directory);
  writer.Write("text");
  EXPECT_EQ(writer.Commit(Durability::kRenameOnly), std::errc::no_such_file_or_directory);
  EXPECT_EQ(CopyFileAtomically(dir / "nothing", dir / "copy", Durability::kRenameOnly),
            std::errc::no_such_file_or_directory);
  EXPECT_EQ(FilesIn(dir.path()), 0u);
}

TEST(AtomicFileWriter, CopyReplacesTheTargetAndKeepsItsPermissions) {
  test::TempDir dir;
  test::WriteFile(dir / "source.gif", std::string(100'000, 'g'));
  test::WriteFile(dir / "target.gif", "edited");
  fs::permissions(dir / "target.gif", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_FALSE(CopyFileAtomically(dir / "source.gif", dir / "target.gif", Durability::kRenameOnly));
  EXPECT_EQ(test::ReadFile(dir / "target.gif"), std::string(100'000, 'g'));
  EXPECT_EQ(fs::status(dir / "target.gif").permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(FilesIn(dir.path()), 2u);
}

}  // namespace
}  // namespace velmora
