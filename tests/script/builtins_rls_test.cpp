// Internal functions in velmora-rls as a process: input without and with a
// terminal, and a script that uses files and texts end to end.
#include <gtest/gtest.h>

#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/program_paths.h"
#include "support/temp_dir.h"

namespace {

using velmora::test::ReadFile;
using velmora::test::TempDir;
using velmora::test::WriteFile;

std::string Rls() { return (velmora::ProgramDirectory() / "velmora-rls").string(); }

std::string Capture(const std::string& command) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  std::array<char, 4096> buffer{};
  std::size_t n = 0;
  while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) out.append(buffer.data(), n);
  pclose(pipe);
  return out;
}

TEST(BuiltinsRlsTest, InputWithoutTerminalTakesTheDefaultAtOnce) {
  TempDir dir;
  WriteFile(dir / "m.rls", "function main() { x = input(\"Titel\", \"Urlaub\"); x; \"|\"; input(\"Nr\", 5); \"|\"; "
                           "input(\"Leer\"); \"|\"; }\r\n");
  EXPECT_EQ(Capture(Rls() + " run " + (dir / "m.rls").string() + " </dev/null 2>/dev/null"), "Urlaub|5||");
}

TEST(BuiltinsRlsTest, InputOnATerminalAsksOnStandardErrorAndReadsALine) {
  TempDir dir;
  WriteFile(dir / "m.rls", "function main() { a = input(\"Ort\", \"Rom\"); b = input(\"Name\", \"x\"); "
                           "write(\"" + (dir / "out.txt").string() + "\", a + \"|\" + b); }\r\n");
  int master = -1;
  const pid_t pid = forkpty(&master, nullptr, nullptr, nullptr);
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    execl(Rls().c_str(), "velmora-rls", "run", (dir / "m.rls").c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  // First answer empty (the default), second "Köln" typed as UTF-8.
  std::string seen;
  auto wait_for = [&](const std::string& text) {
    std::array<char, 256> buffer{};
    while (seen.find(text) == std::string::npos) {
      const ssize_t n = read(master, buffer.data(), buffer.size());
      if (n <= 0) return false;
      seen.append(buffer.data(), static_cast<std::size_t>(n));
    }
    return true;
  };
  ASSERT_TRUE(wait_for("Ort [Rom]: "));
  ASSERT_EQ(write(master, "\n", 1), 1);
  ASSERT_TRUE(wait_for("Name [x]: "));
  ASSERT_EQ(write(master, "K\xC3\xB6ln\n", 6), 6);
  std::array<char, 256> rest{};
  while (read(master, rest.data(), rest.size()) > 0) {
  }
  int status = 0;
  waitpid(pid, &status, 0);
  close(master);
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(ReadFile(dir / "out.txt"), "Rom|K\xF6ln");
}

TEST(BuiltinsRlsTest, ScriptBuildsAnIndexFromADescriptionList) {
  TempDir dir;
  WriteFile(dir / "descript.ion", "\"a b.jpg\" Erster Tag\r\nc.jpg Zweiter Tag\r\n");
  WriteFile(dir / "m.rls",
            "function main() {\r\n"
            "  d = read(\"" + (dir / "descript.ion").string() + "\", @IONFILE);\r\n"
            "  for (i = 1; i <= d[]; i = i + 1)\r\n"
            "    ok = write(\"" + (dir / "index.txt").string() + "\", @APPEND, format(\"%-8!%!%\\\", urlencode(d[#i]), "
            "upper(d[i])));\r\n"
            "  x = read(\"" + (dir / "fehlt.txt").string() + "\");\r\n"
            "  if (x == @ERROR) { global errn_last; errn_last; }\r\n"
            "}\r\n");
  EXPECT_EQ(Capture(Rls() + " run " + (dir / "m.rls").string() + " 2>&1"), "4");
  EXPECT_EQ(ReadFile(dir / "index.txt"), "a%20b.jpgERSTER TAG\r\nc.jpg   ZWEITER TAG\r\n");
}

// A database file opens even where no driver is registered in odbcinst.ini:
// the driver library is then taken by its path.
TEST(BuiltinsRlsTest, DatabaseFileWithoutRegisteredDriver) {
  TempDir dir;
  const std::string db = (dir / "k.sqlite").string();
  ASSERT_EQ(std::system(("sqlite3 '" + db + "' \"CREATE TABLE t (n INTEGER); INSERT INTO t VALUES (42);\"").c_str()), 0)
      << "the sqlite3 program is missing: run scripts/setup.sh";
  std::filesystem::create_directory(dir / "odbc");
  WriteFile(dir / "odbc" / "odbcinst.ini", "");
  WriteFile(dir / "m.rls", "function main() { dbread(\"" + db + "\", \"t\", \"n\"); }\r\n");
  const std::string env = "ODBCSYSINI='" + (dir / "odbc").string() + "' ODBCINSTINI=odbcinst.ini ODBCINI='" +
                          (dir / "odbc" / "odbc.ini").string() + "' ";
  EXPECT_EQ(Capture(env + Rls() + " run " + (dir / "m.rls").string() + " 2>&1"), "42");
}

}  // namespace
