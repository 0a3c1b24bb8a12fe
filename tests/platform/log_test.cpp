#include "platform/log.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/program_paths.h"
#include "support/temp_dir.h"

namespace velmora {
namespace {

// Nothing goes into the program directory: an installed one is read-only.
TEST(LogClass, EmptyNameMeansTheStateFolderAndRelativeNamesTheCurrentDirectory) {
  test::TempDir dir;
  SetProgramDirectory(dir / "program");
  setenv("XDG_STATE_HOME", (dir / "state").c_str(), 1);
  EXPECT_EQ(LogClass::ResolveFileName(""), dir / "state" / "velmora" / "Velmora.log");
  EXPECT_EQ(LogClass::ResolveFileName("run.log"), std::filesystem::current_path() / "run.log");
  EXPECT_EQ(LogClass::ResolveFileName("/var/tmp/x.log"), std::filesystem::path("/var/tmp/x.log"));
  // A relative state folder does not count: the default below the home applies.
  const std::string home = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "";
  setenv("XDG_STATE_HOME", "state", 1);
  setenv("HOME", (dir / "home").c_str(), 1);
  EXPECT_EQ(LogClass::ResolveFileName(""), dir / "home" / ".local" / "state" / "velmora" / "Velmora.log");
  LogClass log;
  ASSERT_TRUE(log.Open(""));  // the state folder is created
  log.Close();
  EXPECT_TRUE(std::filesystem::exists(dir / "home" / ".local" / "state" / "velmora" / "Velmora.log"));
  EXPECT_FALSE(std::filesystem::exists(dir / "program"));
  setenv("HOME", home.c_str(), 1);
  unsetenv("XDG_STATE_HOME");
  SetProgramDirectory({});
}

// A file name holding a line break must not forge a log line of its own.
TEST(LogClass, ControlCharactersInATextCannotStartANewLine) {
  test::TempDir dir;
  LogClass log;
  ASSERT_TRUE(log.Open((dir / "a.log").string()));
  EXPECT_TRUE(log.WriteLine("Image-Error a\r\n2001-01-01 00:00:00 Run END\x1B[2J.jpg"));
  log.Close();
  const std::string text = test::ReadFile(dir / "a.log");
  EXPECT_EQ(text.find("\r\n"), text.size() - 2) << text;
  EXPECT_EQ(text.find('\x1B'), std::string::npos);
  EXPECT_NE(text.find("a\\x0D\\x0A2001-01-01 00:00:00 Run END\\x1B[2J.jpg\r\n"), std::string::npos) << text;
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
