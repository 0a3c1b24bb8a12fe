// The file access policy of scripts: what a restricted script may read and
// write through `read`, `write`, `exist` and `dbread`, how paths are
// normalised before the check, and that a refusal is an error result the
// script can go on from.
#include <gtest/gtest.h>

#include "builtins_support.h"
#include "script/file_access.h"
#include "script/runtime_error.h"
#include "support/temp_dir.h"

namespace velmora::script {
namespace {

namespace fs = std::filesystem;
using test::BuiltinRunner;
using velmora::test::ReadFile;
using velmora::test::TempDir;
using velmora::test::WriteFile;

std::string Lit(const fs::path& path) { return "\"" + path.string() + "\""; }

// base/ (photos, readable), clone/ (outputs, writable), outside/ (neither).
class RestrictedScript : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dir_ / "base" / "A");
    fs::create_directories(dir_ / "clone");
    fs::create_directories(dir_ / "outside");
    WriteFile(dir_ / "base" / "A" / "info.txt", "im Foto-Ordner");
    WriteFile(dir_ / "outside" / "secret.txt", "geheim");
    r_.program.file_access() = FileAccess::Restricted({dir_ / "base"}, {dir_ / "clone"}, {"Fotos"});
  }

  TempDir dir_;
  BuiltinRunner r_;
};

TEST_F(RestrictedScript, ReadsBelowTheReadableFoldersOnly) {
  EXPECT_EQ(r_.Eval("read(" + Lit(dir_ / "base" / "A" / "info.txt") + ");"), "im Foto-Ordner");
  EXPECT_EQ(r_.Eval("exist(" + Lit(dir_ / "base" / "A") + ");"), "@true");
  EXPECT_EQ(r_.FailCode("read(" + Lit(dir_ / "outside" / "secret.txt") + ");"), rterr::kFileAccess);
  EXPECT_NE(r_.LastLogLine().find("secret.txt refused"), std::string::npos) << r_.LastLogLine();
  EXPECT_EQ(r_.FailCode("read(\"/etc/passwd\", @INIFILE);"), rterr::kFileAccess);
  // Even whether a file exists is not for the script to learn outside.
  EXPECT_EQ(r_.FailCode("exist(" + Lit(dir_ / "outside" / "secret.txt") + ");"), rterr::kFileAccess);
  EXPECT_EQ(r_.FailCode("exist(\"/etc\");"), rterr::kFileAccess);
}

TEST_F(RestrictedScript, WritesBelowTheCloneFolderOnly) {
  EXPECT_EQ(r_.Eval("write(" + Lit(dir_ / "clone" / "notes.txt") + ", \"ok\"); read(" +
                    Lit(dir_ / "clone" / "notes.txt") + ");"),
            "@trueok");
  // The base folder is readable, not writable: photos are never replaced.
  EXPECT_EQ(r_.FailCode("write(" + Lit(dir_ / "base" / "A" / "info.txt") + ", \"weg\");"), rterr::kFileAccess);
  EXPECT_EQ(ReadFile(dir_ / "base" / "A" / "info.txt"), "im Foto-Ordner");
  EXPECT_EQ(r_.FailCode("write(" + Lit(dir_ / "outside" / "new.txt") + ", @APPEND, \"x\");"), rterr::kFileAccess);
  EXPECT_FALSE(fs::exists(dir_ / "outside" / "new.txt"));
}

TEST_F(RestrictedScript, PathsAreNormalisedBeforeTheCheck) {
  // Up and out of the clone folder by "..", with and without existing pieces.
  EXPECT_EQ(r_.FailCode("write(" + Lit(dir_ / "clone" / ".." / ".." / "x.txt") + ", \"x\");"), rterr::kFileAccess);
  EXPECT_EQ(r_.FailCode("write(" + Lit(dir_ / "clone" / "neu" / ".." / ".." / "outside" / "x.txt") + ", \"x\");"),
            rterr::kFileAccess);
  EXPECT_FALSE(fs::exists(dir_ / "x.txt"));
  EXPECT_FALSE(fs::exists(dir_ / "outside" / "x.txt"));
  // A folder whose name only begins like an allowed one is another folder.
  fs::create_directories(dir_ / "clone2");
  EXPECT_EQ(r_.FailCode("write(" + Lit(dir_ / "clone2" / "x.txt") + ", \"x\");"), rterr::kFileAccess);
  // A symbolic link inside the clone folder that leads out of it.
  fs::create_directory_symlink(dir_ / "outside", dir_ / "clone" / "link");
  EXPECT_EQ(r_.FailCode("write(" + Lit(dir_ / "clone" / "link" / "secret.txt") + ", \"x\");"), rterr::kFileAccess);
  EXPECT_EQ(r_.FailCode("read(" + Lit(dir_ / "clone" / "link" / "secret.txt") + ");"), rterr::kFileAccess);
  EXPECT_EQ(ReadFile(dir_ / "outside" / "secret.txt"), "geheim");
  // Inside after normalising is inside.
  fs::create_directories(dir_ / "clone" / "neu");
  EXPECT_EQ(r_.Eval("write(" + Lit(dir_ / "clone" / "neu" / ".." / "ok.txt") + ", \"x\");"), "@true");
  EXPECT_EQ(ReadFile(dir_ / "clone" / "ok.txt"), "x");
}

TEST_F(RestrictedScript, RefusalIsAnErrorResultAndTheScriptGoesOn) {
  EXPECT_EQ(r_.Eval("global ERRN_LAST; x = read(\"/etc/hostname\"); if (x == @ERROR) { \"refused \"; ERRN_LAST; } "
                    "\" weiter\";"),
            "refused 26 weiter");
  EXPECT_EQ(r_.ErrorText().rfind("read: (26) ", 0), 0u) << r_.ErrorText();
}

TEST_F(RestrictedScript, DatabaseFilesAndDataSourcesNeedPermission) {
  // The file is checked before any driver opens it; the SQLite driver would
  // otherwise create it.
  EXPECT_EQ(r_.FailCode("dbread(" + Lit(dir_ / "outside" / "db.sqlite") + ", \"t\", \"f\");"), rterr::kFileAccess);
  EXPECT_FALSE(fs::exists(dir_ / "outside" / "db.sqlite"));
  // A data source name leads wherever the ODBC configuration says: only those the user listed.
  EXPECT_EQ(r_.FailCode("dbread(@DSN, \"firma\", \"t\", \"f\");"), rterr::kFileAccess);
  EXPECT_TRUE(r_.program.file_access().MayUseDataSource("FOTOS"));
  EXPECT_FALSE(r_.program.file_access().MayUseDataSource("fotos2"));
}

TEST(FileAccessPolicy, FullAccessIsTheDefaultOfAProgramAndEmptyRestrictionAllowsNothing) {
  TempDir dir;
  WriteFile(dir / "a.txt", "a");
  BuiltinRunner r;
  EXPECT_TRUE(r.program.file_access().full());
  EXPECT_EQ(r.Eval("read(" + Lit(dir / "a.txt") + "); write(" + Lit(dir / "b.txt") + ", \"b\");"), "a@true");
  r.program.file_access() = FileAccess::Restricted({}, {}, {});
  EXPECT_EQ(r.FailCode("read(" + Lit(dir / "a.txt") + ");"), rterr::kFileAccess);
  // The host's policy survives a reset of the script tables.
  r.program.Reset();
  EXPECT_FALSE(r.program.file_access().full());
}

}  // namespace
}  // namespace velmora::script
