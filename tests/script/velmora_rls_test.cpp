// velmora-rls as a process on files.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

#include "platform/program_paths.h"
#include "platform/text_encoding.h"
#include "support/temp_dir.h"

namespace {

using velmora::test::TempDir;
using velmora::test::WriteFile;

struct Result {
  int status;
  std::string out;
};

Result Rls(const std::string& args, const TempDir& dir) {
  const std::string command = (velmora::ProgramDirectory() / "velmora-rls").string() + " " + args + " 2>" +
                              (dir / "stderr.txt").string();
  Result result{0, {}};
  FILE* pipe = popen(command.c_str(), "r");
  std::array<char, 4096> buffer{};
  std::size_t n = 0;
  while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) result.out.append(buffer.data(), n);
  const int status = pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

TEST(VelmoraRlsTest, TemplatePrintsLiteralBraces) {
  TempDir dir;
  WriteFile(dir / "t.rlt", "a~<b~>c {1 + 2}");
  const Result r = Rls("template " + (dir / "t.rlt").string(), dir);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "a{b}c 3");
}

TEST(VelmoraRlsTest, RunsNamedFunction) {
  TempDir dir;
  WriteFile(dir / "m.rls",
            "function main() { x = 1; x = x; a = 1; a == 1; a == 2; }\r\nfunction other() { \"other\"; }\r\n");
  Result r = Rls("run " + (dir / "m.rls").string(), dir);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "@true@false");
  r = Rls("run " + (dir / "m.rls").string() + " other", dir);
  EXPECT_EQ(r.out, "other");
}

TEST(VelmoraRlsTest, CompileErrorGoesToStandardErrorWithExitOne) {
  TempDir dir;
  WriteFile(dir / "bad.rls", "function main() {\r\n  x = 1 y\r\n}\r\n");
  WriteFile(dir / "good.rls", "function main() { }\r\n");
  Result r = Rls("run " + (dir / "bad.rls").string(), dir);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  const std::string err = velmora::test::ReadFile(dir / "stderr.txt");
  EXPECT_NE(err.find("RiloScript Compiler"), std::string::npos);
  EXPECT_NE(err.find(" y\n"), std::string::npos);
  EXPECT_NE(err.find(" 2"), std::string::npos);

  r = Rls("check " + (dir / "good.rls").string() + " " + (dir / "bad.rls").string(), dir);
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("good.rls: ok"), std::string::npos);

  WriteFile(dir / "cell.html", "<td>{file}</td>");
  r = Rls("check " + (dir / "cell.html").string(), dir);
  EXPECT_EQ(r.status, 0);
}

TEST(VelmoraRlsTest, EndlessTemplateEndsWithAnError) {
  TempDir dir;
  WriteFile(dir / "loop.rlt", "start{while (1) x = 1;}");
  const Result r = Rls("template " + (dir / "loop.rlt").string(), dir);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "start");
}

TEST(VelmoraRlsTest, TextsReachTheTerminalInUtf8) {
  TempDir dir;
  // A function name with an umlaut, given on the command line in UTF-8, runs
  // until the output limit stops it; the report names it in UTF-8 too.
  const std::string chunk(1000, 'x');
  WriteFile(dir / "sp\xC3\xA4t.rls", "function sp\xE4t() { while (1) \"" + chunk + "\"; }\r\n");
  Result r = Rls("run " + (dir / "sp\xC3\xA4t.rls").string() + " sp\xC3\xA4t >/dev/null", dir);
  EXPECT_EQ(r.status, 2);
  std::string err = velmora::test::ReadFile(dir / "stderr.txt");
  EXPECT_NE(err.find("stopped: sp\xC3\xA4t: (25) "), std::string::npos) << err;

  // A compile error names the file as the terminal shows it.
  WriteFile(dir / "\xC3\x9C" "bung.rls", "function main() { x = 1 y }\r\n");
  r = Rls("check " + (dir / "\xC3\x9C" "bung.rls").string(), dir);
  EXPECT_EQ(r.status, 1);
  err = velmora::test::ReadFile(dir / "stderr.txt");
  EXPECT_NE(err.find("/\xC3\x9C" "bung.rls"), std::string::npos) << err;
  EXPECT_TRUE(velmora::IsValidUtf8(err)) << err;
}

}  // namespace
