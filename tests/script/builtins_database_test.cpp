// `dbread` against a real SQLite database through the real SQLite3 ODBC
// driver, registered with a data source in an ODBC configuration of the
// test's own (never the system's).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "builtins_support.h"
#include "support/temp_dir.h"

namespace velmora::script {
namespace {

namespace fs = std::filesystem;
using test::BuiltinRunner;
using velmora::test::TempDir;
using velmora::test::WriteFile;

// The driver that scripts/setup.sh installs (package libsqliteodbc).
fs::path SqliteOdbcDriver() {
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator("/usr/lib", ec)) {
    const fs::path candidate = entry.path() / "odbc" / "libsqlite3odbc.so";
    if (fs::exists(candidate, ec)) return candidate;
  }
  return {};
}

bool RunSql(const fs::path& database, const std::string& sql) {
  const std::string command = "sqlite3 '" + database.string() + "'";
  FILE* pipe = popen(command.c_str(), "w");
  if (pipe == nullptr) return false;
  std::fwrite(sql.data(), 1, sql.size(), pipe);
  return pclose(pipe) == 0;
}

class BuiltinsDatabaseTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new TempDir;
    const fs::path driver = SqliteOdbcDriver();
    ASSERT_FALSE(driver.empty()) << "the SQLite3 ODBC driver is missing: run scripts/setup.sh (libsqliteodbc)";
    database_ = (*dir_ / "fotos.db").string();
    // The title holds UTF-8, as SQLite stores text.
    ASSERT_TRUE(RunSql(database_,
                       "CREATE TABLE bilder (id INTEGER PRIMARY KEY, datei TEXT, titel TEXT, breite INTEGER, "
                       "blende REAL, aufnahme TIMESTAMP, vorschau BLOB, notiz TEXT);\n"
                       "INSERT INTO bilder VALUES (1, 'img_001.jpg', 'Am Meer', 6000, 8.0, '2023-07-14 18:30:05', "
                       "x'FFD8', 'gut');\n"
                       "INSERT INTO bilder VALUES (2, 'img_002.jpg', 'K\xC3\xB6ln bei Nacht', 4000, 2.8, "
                       "'2023-12-24 22:00:00', x'00', NULL);\n"
                       "INSERT INTO bilder VALUES (3, 'img_003.jpg', 'Oma', 6000, 5.6, '2024-01-01 00:00:00', x'01', "
                       "'');\n"))
        << "the sqlite3 program is missing: run scripts/setup.sh";
    WriteFile(*dir_ / "odbcinst.ini", "[SQLite3]\nDescription=SQLite3 ODBC Driver\nDriver=" + driver.string() + "\n");
    WriteFile(*dir_ / "odbc.ini", "[fotos]\nDriver=SQLite3\nDatabase=" + database_ + "\n");
    setenv("ODBCSYSINI", dir_->path().c_str(), 1);
    setenv("ODBCINSTINI", "odbcinst.ini", 1);
    setenv("ODBCINI", (*dir_ / "odbc.ini").c_str(), 1);
  }
  static void TearDownTestSuite() {
    delete dir_;
    dir_ = nullptr;
  }

  static TempDir* dir_;
  static std::string database_;
};

TempDir* BuiltinsDatabaseTest::dir_ = nullptr;
std::string BuiltinsDatabaseTest::database_;

TEST_F(BuiltinsDatabaseTest, ReadsSingleValuesByDataSourceName) {
  BuiltinRunner r;
  EXPECT_EQ(r.Eval("dbread(@DSN, \"fotos\", \"bilder\", \"titel\", \"id = 2\");"), "K\xF6ln bei Nacht");
  EXPECT_EQ(r.Eval("x = dbread(@DSN, \"fotos\", \"bilder\", \"breite\", \"id = 1\"); type(x); x;"), "@integer6000");
  EXPECT_EQ(r.Eval("x = dbread(@DSN, \"fotos\", \"bilder\", \"blende\", \"datei = 'img_002.jpg'\"); type(x); x;"),
            "@double2.8");
  EXPECT_EQ(r.Eval("x = dbread(@DSN, \"fotos\", \"bilder\", \"aufnahme\", \"id = 1\"); type(x); \" \"; x;"),
            "@date 14.07.2023 18:30:05");
  EXPECT_EQ(r.Eval("dbread(@DSN, \"fotos\", \"bilder\", \"notiz\", \"id = 2\");"), "@empty");
  // The condition reaches the database as UTF-8, so umlauts match what SQLite stores.
  EXPECT_EQ(r.Eval("dbread(@DSN, \"fotos\", \"bilder\", \"id\", \"titel = 'K\xF6ln bei Nacht'\");"), "2");
}

TEST_F(BuiltinsDatabaseTest, SeveralRowsGiveAnArrayInRowOrder) {
  BuiltinRunner r;
  EXPECT_EQ(r.Eval("a = dbread(@DSN, \"fotos\", \"bilder\", \"datei\"); type(a); a[]; a[1]; a[3];"),
            "@array3img_001.jpgimg_003.jpg");
  EXPECT_EQ(r.Eval("a = dbread(@DSN, \"fotos\", \"bilder\", \"id\", \"breite = 6000 ORDER BY id DESC\"); a[]; a[1]; a[2];"),
            "231");
}

TEST_F(BuiltinsDatabaseTest, OpensADatabaseFileThroughItsDriver) {
  BuiltinRunner r;
  EXPECT_EQ(r.Eval("dbread(\"" + database_ + "\", \"bilder\", \"titel\", \"id = 3\");"), "Oma");
  EXPECT_EQ(r.Eval("a = dbread(\"" + database_ + "\", \"bilder\", \"datei\"); a[];"), "3");
}

TEST_F(BuiltinsDatabaseTest, FailuresAreReportedAndTheRunGoesOn) {
  BuiltinRunner r;
  EXPECT_EQ(r.Eval("x = dbread(@DSN, \"fotos\", \"bilder\", \"titel\", \"id = 99\"); x; \" weiter\";"), "@error weiter");
  EXPECT_EQ(r.ErrorCode(), 5);
  EXPECT_EQ(r.ErrorText(), "dbread: (5) Datenbank-Eintrag nicht gefunden");
  EXPECT_EQ(r.LastLogLine(), "RiloScript dbread: (5) Datenbank-Eintrag nicht gefunden: Select titel From bilder WHERE id = 99");

  EXPECT_EQ(r.FailCode("dbread(@DSN, \"fotos\", \"bilder\", \"vorschau\", \"id = 1\");"), 6);

  EXPECT_EQ(r.FailCode("dbread(@DSN, \"fotos\", \"gibtsnicht\", \"titel\");"), 4);
  EXPECT_NE(r.LastLogLine().find("no such table"), std::string::npos) << r.LastLogLine();

  EXPECT_EQ(r.FailCode("dbread(@DSN, \"fotos\", \"bilder\", \"titel\", \"id = = 1\");"), 4);

  EXPECT_EQ(r.FailCode("dbread(@DSN, \"keine_quelle\", \"bilder\", \"titel\");"), 4);
  EXPECT_NE(r.LastLogLine().find("IM002"), std::string::npos) << r.LastLogLine();

  const fs::path missing = dir_->path() / "fehlt.db";
  EXPECT_EQ(r.FailCode("dbread(\"" + missing.string() + "\", \"bilder\", \"titel\");"), 4);
  EXPECT_NE(r.LastLogLine().find("database file not found"), std::string::npos) << r.LastLogLine();
  EXPECT_FALSE(fs::exists(missing));  // the driver did not create an empty database

  WriteFile(dir_->path() / "liste.csv", "a,b\n");
  EXPECT_EQ(r.Eval("dbread(\"" + (dir_->path() / "liste.csv").string() + "\", \"t\", \"a\");"), "@error");
  EXPECT_NE(r.LastLogLine().find("no database driver"), std::string::npos) << r.LastLogLine();

  EXPECT_EQ(r.FailCode("dbread(@RED, \"fotos\", \"bilder\", \"titel\");"), 4);
  EXPECT_EQ(r.FailCode("dbread(@DSN, \"fotos\", \"bilder\", 1);"), 3);
  EXPECT_EQ(r.FailCode("dbread(@DSN, \"fotos\", \"bilder\");"), 2);
}

}  // namespace
}  // namespace velmora::script
