#include "app/platform/log.h"

#include <gtest/gtest.h>

#include "app/platform/program_paths.h"
#include "support/temp_dir.h"

namespace velmora {
namespace {

TEST(LogClass, EmptyNameMeansVelmoraLogBesideTheProgram) {
  test::TempDir dir;
  SetProgramDirectory(dir.path());
  EXPECT_EQ(LogClass::ResolveFileName(""), dir / "Velmora.log");
  EXPECT_EQ(LogClass::ResolveFileName("run.log"), dir / "run.log");
  EXPECT_EQ(LogClass::ResolveFileName("/var/tmp/x.log"), std::filesystem::path("/var/tmp/x.log"));
  SetProgramDirectory({});
}

TEST(LogClass, EachLineIsStampedAndEndsInCrLf) {
  test::TempDir dir;
  LogClass log;
  ASSERT_TRUE(log.Open((dir / "a.log").string()));
  EXPECT_TRUE(log.WriteLine("Initialization START"));
  const std::string text = test::ReadFile(dir / "a.log");  // readable while still open: flushed
  EXPECT_NE(text.find(" Initialization START\r\n"), std::string::npos);
  log.Close();
  EXPECT_FALSE(log.WriteLine("after close"));
}

TEST(LogClass, OpenFailsWhenTheFolderDoesNotExist) {
  LogClass log;
  EXPECT_FALSE(log.Open("/nonexistent-folder-velmora/x.log"));
}

}  // namespace
}  // namespace velmora
