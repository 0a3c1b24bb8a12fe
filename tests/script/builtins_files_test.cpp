// File built-ins on real files: read with line ranges and as lists, write
// and append, existence and the pieces of a path, and the failures.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "builtins_support.h"
#include "support/temp_dir.h"

namespace velmora::script {
namespace {

using test::BuiltinRunner;
using velmora::test::ReadFile;
using velmora::test::TempDir;
using velmora::test::WriteFile;

// A path as a script string literal.
std::string Lit(const std::filesystem::path& path) { return "\"" + path.string() + "\""; }

TEST(BuiltinsFilesTest, ReadsLinesAndRanges) {
  TempDir dir;
  WriteFile(dir / "t.txt", "eins\r\nzwei\ndrei\rvier\r\n");
  BuiltinRunner r;
  const std::string f = Lit(dir / "t.txt");
  EXPECT_EQ(r.Eval("read(" + f + ");"), "eins\r\nzwei\r\ndrei\r\nvier");
  EXPECT_EQ(r.Eval("read(" + f + ", 2, 3);"), "zwei\r\ndrei");
  EXPECT_EQ(r.Eval("read(" + f + ", 3);"), "drei\r\nvier");
  EXPECT_EQ(r.Eval("read(" + f + ", 0, 1);"), "eins");
  EXPECT_EQ(r.Eval("read(" + f + ", 4, 99);"), "vier");
  EXPECT_EQ(r.Eval("read(" + f + ", 5);"), "@eod");
  EXPECT_EQ(r.Eval("read(" + f + ", 3, 2);"), "");
  WriteFile(dir / "empty.txt", "");
  EXPECT_EQ(r.Eval("read(" + Lit(dir / "empty.txt") + "); read(" + Lit(dir / "empty.txt") + ", 1);"), "@eod");
  EXPECT_EQ(r.FailCode("read(" + f + ", \"2\");"), 3);
  EXPECT_EQ(r.FailCode("read(" + f + ", -1);"), 4);
}

TEST(BuiltinsFilesTest, ReadsIniFilesAndDescriptionLists) {
  TempDir dir;
  WriteFile(dir / "a.ini", "top = 1\r\n; comment\r\n\r\n[Kamera]\r\n  Modell = EOS R5 \r\nObjektiv=24-105 = f/4\r\n"
                           "ohne Gleichheitszeichen\r\n[Ort]\r\nStadt = K\xF6ln\r\n");
  WriteFile(dir / "descript.ion", "img_01.jpg Sonnenuntergang am Meer\r\n\"mein bild.jpg\" Oma und Opa\r\n"
                                  "  \r\nnur_name.jpg\r\n");
  BuiltinRunner r;
  EXPECT_EQ(r.Eval("i = read(" + Lit(dir / "a.ini") + ", @INIFILE); i[]; \"|\"; k = i[\"Kamera\"]; k[\"modell\"]; "
                   "\"|\"; k[\"Objektiv\"]; \"|\"; g = i[\"global\"]; g[\"top\"]; \"|\"; o = i[\"ORT\"]; o[\"stadt\"]; "
                   "\"|\"; k[];"),
            "3|EOS R5|24-105 = f/4|1|K\xF6ln|2");
  EXPECT_EQ(r.Eval("d = read(" + Lit(dir / "descript.ion") + ", @IONFILE); d[]; \"|\"; d[\"IMG_01.jpg\"]; \"|\"; "
                   "d[\"mein bild.jpg\"]; \"|\"; d[\"nur_name.jpg\"]; \"|\";"),
            "3|Sonnenuntergang am Meer|Oma und Opa||");
  EXPECT_EQ(r.FailCode("read(" + Lit(dir / "a.ini") + ", @APPEND);"), 4);
}

TEST(BuiltinsFilesTest, WriteReplacesAndAppendsAndReadsBack) {
  TempDir dir;
  BuiltinRunner r;
  const std::string f = Lit(dir / "out.txt");
  EXPECT_EQ(r.Eval("write(" + f + ", \"Zeile 1%\\Zeile \xE4\");"), "@true");
  EXPECT_EQ(ReadFile(dir / "out.txt"), "Zeile 1\r\nZeile \xE4");
  EXPECT_EQ(r.Eval("write(" + f + ", @APPEND, 2.5); write(" + f + ", @APPEND, 7); write(" + f + ", @APPEND, @Red);"),
            "@true@true@true");
  EXPECT_EQ(ReadFile(dir / "out.txt"), "Zeile 1\r\nZeile \xE4" "2.57red");
  EXPECT_EQ(r.Eval("write(" + f + ", \"neu\"); read(" + f + ");"), "@trueneu");
  EXPECT_EQ(r.FailCode("write(" + f + ", @RED, \"x\");"), 4);
  EXPECT_EQ(r.FailCode("write(" + f + ", 1, \"x\");"), 3);
  EXPECT_EQ(r.FailCode("a[1] = 1; write(" + f + ", a);"), 3);
  EXPECT_EQ(r.FailCode("write(" + f + ");"), 4);
  EXPECT_EQ(ReadFile(dir / "out.txt"), "neu");  // nothing lost by the failed calls
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);  // no temporary left
}

TEST(BuiltinsFilesTest, FileNamesAreUtf8OnDisk) {
  TempDir dir;
  BuiltinRunner r;
  const std::string name = (dir / "").string() + "B\xE4ume.txt";  // Windows-1252 in the script
  EXPECT_EQ(r.Eval("write(\"" + name + "\", \"x\"); exist(\"" + name + "\");"), "@true@true");
  EXPECT_TRUE(std::filesystem::exists(dir / "B\xC3\xA4ume.txt"));
}

TEST(BuiltinsFilesTest, MissingUnreadableAndBinaryFilesFailWithTheName) {
  TempDir dir;
  BuiltinRunner r;
  EXPECT_EQ(r.Eval("x = read(" + Lit(dir / "fehlt.txt") + "); x; \" weiter\";"), "@error weiter");
  EXPECT_EQ(r.ErrorCode(), 4);
  // ERRS_LAST ends with the message text; the log names the file.
  EXPECT_EQ(r.ErrorText(), "read: (4) Argument fehlerhaft");
  EXPECT_EQ(r.LastLogLine(), "RiloScript read: (4) Argument fehlerhaft: file not found: " + (dir / "fehlt.txt").string());
  EXPECT_EQ(r.FailCode("read(" + Lit(dir / "kein/ordner/x.txt") + ");"), 20);
  EXPECT_EQ(r.ErrorText(), "read: (20) Verzeichnis nicht vorhanden");
  EXPECT_EQ(r.LastLogLine(), "RiloScript read: (20) Verzeichnis nicht vorhanden: " + (dir / "kein/ordner").string());
  EXPECT_EQ(r.FailCode("write(" + Lit(dir / "kein/x.txt") + ", \"a\");"), 20);
  EXPECT_EQ(r.Eval("read(" + Lit(dir.path()) + "); write(" + Lit(dir.path()) + ", \"a\");"), "@error@error");
  EXPECT_EQ(r.ErrorCode(), 4);
  WriteFile(dir / "bild.jpg", std::string("\xFF\xD8\xFF\xE0\0\x10JFIF\0", 11));
  EXPECT_EQ(r.FailCode("read(" + Lit(dir / "bild.jpg") + ");"), 4);
  EXPECT_NE(r.LastLogLine().find("not a text file"), std::string::npos);
  if (geteuid() != 0) {  // root reads everything
    WriteFile(dir / "geheim.txt", "x");
    chmod((dir / "geheim.txt").c_str(), 0);
    EXPECT_EQ(r.Eval("read(" + Lit(dir / "geheim.txt") + ");"), "@error");
    EXPECT_NE(r.LastLogLine().find("cannot be read"), std::string::npos) << r.LastLogLine();
    chmod((dir / "geheim.txt").c_str(), 0644);
  }
  EXPECT_EQ(r.FailCode("read(\"/dev/zero\");"), 4);
  EXPECT_NE(r.LastLogLine().find("not a regular file"), std::string::npos) << r.LastLogLine();
  EXPECT_EQ(r.FailCode("read(1);"), 3);
}

TEST(BuiltinsFilesTest, ExistAndPathPieces) {
  TempDir dir;
  WriteFile(dir / "a.txt", "");
  BuiltinRunner r;
  EXPECT_EQ(r.Eval("exist(" + Lit(dir / "a.txt") + "); exist(" + Lit(dir.path()) + "); exist(" + Lit(dir / "b") +
                   "); exist(\"\"); exist(\"C:\"); exist(\"C\"); exist(\"C:\\Windows\");"),
            "@true@true@false@false@false@false@false");
  EXPECT_EQ(r.FailCode("exist(1);"), 3);
  const std::string windows = "\"C:\\Bilder\\Urlaub\\img.01.jpg\"";
  EXPECT_EQ(r.Eval("p = " + windows + "; filenamepart(p, @DRIVENAME); \"|\"; filenamepart(p, @DIRNAME); \"|\"; "
                   "filenamepart(p, @FILENAME); \"|\"; filenamepart(p, @FILETYPE);"),
            "C|Bilder\\Urlaub|img.01|jpg");
  EXPECT_EQ(r.Eval("p = \"/home/anna/Bilder/Urlaub 2024/IMG_0001.JPG\"; filenamepart(p, @DRIVENAME); \"|\"; "
                   "filenamepart(p, @DIRNAME); \"|\"; filenamepart(p, @FILENAME); \"|\"; filenamepart(p, @FILETYPE);"),
            "|home/anna/Bilder/Urlaub 2024|IMG_0001|JPG");
  EXPECT_EQ(r.Eval("filenamepart(\"bild\", @FILENAME); \"|\"; filenamepart(\"bild\", @FILETYPE); \"|\"; "
                   "filenamepart(\"ab:c/d.e\", @DRIVENAME); \"|\"; filenamepart(\"/x.y\", @DIRNAME); \"|\";"),
            "bild||||");
  EXPECT_EQ(r.FailCode("filenamepart(\"a\", @RED);"), 4);
  EXPECT_EQ(r.FailCode("filenamepart(\"a\", \"dirname\");"), 3);
}

}  // namespace
}  // namespace velmora::script
