// Whole batch runs of the program over a small generated tree: the pages
// land where the other pages link to, and a second run with "HTML_CHANGED"
// over unchanged photos leaves every page file untouched.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

#include "platform/program_paths.h"
#include "support/temp_dir.h"

namespace velmora::html {
namespace {

namespace fs = std::filesystem;

std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

// Runs the program in batch mode at `level`; returns its standard error.
std::string RunAtLevel(int level, const fs::path& base, const fs::path& out, const std::string& extra,
                       const fs::path& log) {
  const std::string command =
      Quoted(ProgramDirectory() / "velmora") + " /Profile=Voreinstellung " + Quoted("/Basedir=" + base.string()) +
      " /Level=" + std::to_string(level) + " " + Quoted("/CLONE_PATH=" + out.string()) +
      " /THUMBNAILS=1 /THUMB_SIZE=60 /GENERATE_INDEX=1 " + extra + " 2>" + Quoted(log);
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  return velmora::test::ReadFile(log);
}

std::string RunVelmora(const fs::path& base, const fs::path& out, const std::string& extra, const fs::path& log) {
  return RunAtLevel(1, base, out, "/GENERATE_CLONES=1 /GENERATE_FRAME=1 " + extra, log);
}

void MakePhoto(const fs::path& file) {
  fs::create_directories(file.parent_path());
  ASSERT_EQ(std::system(("convert -size 64x48 gradient:red-blue " + Quoted(file)).c_str()), 0);
}

void MakePhotos(const fs::path& base) {
  for (const char* folder : {"Berg", "See"}) {
    fs::create_directories(base / folder);
    for (int n = 1; n <= 3; ++n) {
      const fs::path file = base / folder / ("bild" + std::to_string(n) + ".jpg");
      ASSERT_EQ(std::system(("convert -size 64x48 gradient:red-blue " + Quoted(file)).c_str()), 0);
    }
  }
}

std::map<fs::path, fs::file_time_type> PageTimes(const fs::path& root) {
  std::map<fs::path, fs::file_time_type> times;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (entry.path().extension() == ".html") times[entry.path()] = entry.last_write_time();
  }
  return times;
}

TEST(GalleryRun, SecondRunWithHtmlChangedWritesNoPage) {
  velmora::test::TempDir dir;
  MakePhotos(dir / "photos");
  const fs::path out = dir / "out";
  const std::string first = RunVelmora(dir / "photos", out, "/LAUNCH_BROWSER=0 /HTML_CHANGED=1", dir / "first.txt");
  EXPECT_NE(first.find("HTML-Dateien erzeugt: 10"), std::string::npos) << first;
  EXPECT_TRUE(fs::exists(out / "html/Berg.html"));
  EXPECT_TRUE(fs::exists(out / "html/See/bild3.html"));
  EXPECT_TRUE(fs::exists(out / "html/start.html"));
  EXPECT_TRUE(fs::exists(out / "deco/rechts.gif"));

  // Age every page, so that a rewrite would show in its time.
  for (const auto& [page, time] : PageTimes(out)) fs::last_write_time(page, time - std::chrono::hours(2));
  const auto before = PageTimes(out);
  const std::string second = RunVelmora(dir / "photos", out, "/LAUNCH_BROWSER=0 /HTML_CHANGED=1", dir / "second.txt");
  EXPECT_NE(second.find("HTML-Dateien erzeugt: 0"), std::string::npos) << second;
  EXPECT_EQ(PageTimes(out), before);
}

// The start document is the frame page when there is one, else the index
// page, else the first page written; xdg-open gets it.
TEST(GalleryRun, LaunchBrowserOpensTheStartDocument) {
  velmora::test::TempDir dir;
  MakePhotos(dir / "photos");
  fs::create_directories(dir / "bin");
  velmora::test::WriteFile(dir / "bin/xdg-open", "#!/bin/sh\necho \"$1\" >> " + Quoted(dir / "opened.txt") + "\n");
  fs::permissions(dir / "bin/xdg-open", fs::perms::owner_all);
  const std::string path = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "/usr/bin:/bin";
  ASSERT_EQ(setenv("PATH", ((dir / "bin").string() + ":" + path).c_str(), 1), 0);
  RunVelmora(dir / "photos", dir / "out", "/LAUNCH_BROWSER=1 /GENERATE_FRAME=0", dir / "run.txt");
  RunVelmora(dir / "photos", dir / "out2", "/LAUNCH_BROWSER=1 /GENERATE_FRAME=0 /GENERATE_INDEX=0", dir / "run.txt");
  setenv("PATH", path.c_str(), 1);
  std::string opened;
  for (int i = 0; i < 100 && std::count(opened.begin(), opened.end(), '\n') < 2; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    if (fs::exists(dir / "opened.txt")) opened = velmora::test::ReadFile(dir / "opened.txt");
  }
  EXPECT_NE(opened.find((dir / "out/html/index.html").string() + "\n"), std::string::npos) << opened;
  EXPECT_NE(opened.find((dir / "out2/html/Berg.html").string() + "\n"), std::string::npos) << opened;
}

// Without clones, a.jpg and a.png of one folder get pages and thumbnails of
// their own, and the thumbnail page links to both.
TEST(GalleryRun, SameNamesOfDifferentTypesKeepTheirOwnPagesWithoutClones) {
  velmora::test::TempDir dir;
  MakePhoto(dir / "photos/Berg/a.jpg");
  MakePhoto(dir / "photos/Berg/a.png");
  const fs::path out = dir / "photos";  // without clones the output goes beside the photos
  RunAtLevel(1, dir / "photos", dir / "out", "/GENERATE_CLONES=0 /PNG=1 /LAUNCH_BROWSER=0", dir / "run.txt");
  const std::string jpg_page = velmora::test::ReadFile(out / "html/Berg/a.html");
  const std::string png_page = velmora::test::ReadFile(out / "html/Berg/a_png.html");
  EXPECT_NE(jpg_page.find("Berg/a.jpg\""), std::string::npos) << jpg_page;
  EXPECT_NE(png_page.find("Berg/a.png\""), std::string::npos) << png_page;
  EXPECT_TRUE(fs::exists(out / "thumbs/Berg/a.jpg"));
  EXPECT_TRUE(fs::exists(out / "thumbs/Berg/a_png.jpg"));
  const std::string thumbs = velmora::test::ReadFile(out / "html/Berg.html");
  EXPECT_NE(thumbs.find("Berg/a.html"), std::string::npos) << thumbs;
  EXPECT_NE(thumbs.find("Berg/a_png.html"), std::string::npos) << thumbs;
}

// At level 0 the image pages lie beside the index and thumbnail pages: a
// photo called "index" or "default" must not take their file.
TEST(GalleryRun, PhotoNamedLikeTheIndexOrThumbnailPageGetsAPageOfItsOwn) {
  velmora::test::TempDir dir;
  MakePhoto(dir / "photos/index.jpg");
  MakePhoto(dir / "photos/default.jpg");
  const fs::path out = dir / "photos";
  RunAtLevel(0, dir / "photos", dir / "out", "/GENERATE_CLONES=0 /LAUNCH_BROWSER=0", dir / "run.txt");
  const std::string index = velmora::test::ReadFile(out / "html/index.html");
  const std::string thumbs = velmora::test::ReadFile(out / "html/default.html");
  EXPECT_NE(index.find("default.html"), std::string::npos) << index;
  EXPECT_EQ(index.find("index.jpg"), std::string::npos) << index;
  EXPECT_NE(thumbs.find("\"index_jpg.html\""), std::string::npos) << thumbs;
  EXPECT_NE(thumbs.find("\"default_jpg.html\""), std::string::npos) << thumbs;
  EXPECT_NE(velmora::test::ReadFile(out / "html/index_jpg.html").find("\"../index.jpg\""), std::string::npos);
  EXPECT_NE(velmora::test::ReadFile(out / "html/default_jpg.html").find("\"../default.jpg\""), std::string::npos);
}

// A killed run leaves hidden temporary twins; the next run removes those of
// gone processes in its output folders and nothing else.
TEST(GalleryRun, LeftoverTemporariesOfAKilledRunGoFromTheOutputFoldersOnly) {
  velmora::test::TempDir dir;
  MakePhotos(dir / "photos");
  const fs::path out = dir / "out";
  const std::string dead = ".bild1.jpg.999999999-3.tmp";  // beyond any process id
  const std::string alive = ".bild2.jpg." + std::to_string(getpid()) + "-0.tmp";
  const std::vector<fs::path> leftovers = {out / "Berg" / dead, out / "thumbs/See" / dead,
                                           out / "html/.Berg.html.999999999-0.tmp",
                                           out / "html/See/.bild3.html.999999999-7.tmp",
                                           out / "deco/.velmora-0123456789abcdef.999999999-2.tmp"};
  const std::vector<fs::path> kept = {dir / "photos/Berg" / dead, out / "Berg" / alive, out / "Berg/.notes.txt.tmp",
                                      out / "Berg/.x.jpg.12-a.tmp", out / "Berg/x.jpg.999999999-3.tmp"};
  for (const fs::path& file : leftovers) velmora::test::WriteFile(file, "half");
  for (const fs::path& file : kept) velmora::test::WriteFile(file, "keep");
  RunVelmora(dir / "photos", out, "/LAUNCH_BROWSER=0 /HTML_CHANGED=1", dir / "run.txt");
  for (const fs::path& file : leftovers) EXPECT_FALSE(fs::exists(file)) << file;
  for (const fs::path& file : kept) EXPECT_TRUE(fs::exists(file)) << file;
  std::vector<fs::path> hidden;
  for (const auto& entry : fs::recursive_directory_iterator(out)) {
    const std::string name = entry.path().filename().string();
    if (name.ends_with("-0.tmp") || name.ends_with("-1.tmp")) hidden.push_back(entry.path());
  }
  EXPECT_EQ(hidden, std::vector<fs::path>{out / "Berg" / alive});
}

}  // namespace
}  // namespace velmora::html
