// Runs of the real program into faults a user meets: a read-only clone
// folder, a full disk while pages are written, a stop signal from outside,
// names at the file system's limit, folders that cannot be read or named,
// and names that carry control characters. Each fault must be a message with
// its reason, exit status 3 (not silence, not "stopped"), and no output may
// be left half-written.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "app/photo_tree.h"
#include "platform/temporary_files.h"
#include "support/program_run.h"
#include "support/temp_dir.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

std::size_t Count(const std::string& text, const std::string& what) {
  std::size_t count = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
  return count;
}

std::vector<fs::path> HiddenFilesBelow(const fs::path& folder) {
  std::vector<fs::path> hidden;
  for (const auto& [name, bytes] : FilesBelow(folder)) {
    if (fs::path(name).filename().string().front() == '.') hidden.push_back(name);
  }
  return hidden;
}

class Faults : public ::testing::Test {
 protected:
  void SetUp() override {
    UseHomeBelow(root_.path());
  }

  std::vector<std::string> Arguments(const fs::path& base, int level, std::vector<std::string> more) const {
    std::vector<std::string> arguments = {"/Profile=Voreinstellung", "/Basedir=" + base.string(),
                                          "/Level=" + std::to_string(level), "/LAUNCH_BROWSER=0",
                                          "/Logfile=" + (root_ / "run.log").string()};
    arguments.insert(arguments.end(), more.begin(), more.end());
    return arguments;
  }

  ProgramOptions Options(bool unprivileged = false) const {
    ProgramOptions options;
    options.stderr_file = root_ / "stderr.txt";
    options.unprivileged = unprivileged;
    return options;
  }

  std::string Log() const { return ReadFile(root_ / "run.log"); }

  TempDir root_;
  fs::path base_ = root_ / "Fotos";
  fs::path out_ = root_ / "Galerie";
};

TEST_F(Faults, ReadOnlyCloneFolderIsReportedWithItsReasonAndNothingIsWritten) {
  MakePhoto(base_ / "A" / "p1.jpg");
  MakePhoto(base_ / "A" / "p2.jpg");
  fs::create_directories(out_);
  fs::permissions(out_, fs::perms::owner_read | fs::perms::owner_exec);
  const ProgramResult result =
      RunVelmora(Arguments(base_, 1,
                           {"/GENERATE_CLONES=1", "/CLONE_PATH=" + out_.string(), "/THUMBNAILS=1",
                            "/GENERATE_HTML=1", "/GENERATE_INDEX=1"}),
                 Options(true));
  fs::permissions(out_, fs::perms::owner_all);
  EXPECT_EQ(result.status, 3) << result.errors;
  EXPECT_NE(result.errors.find("Permission denied"), std::string::npos) << result.errors;
  EXPECT_NE(Log().find("Permission denied"), std::string::npos);
  EXPECT_TRUE(FilesBelow(out_).empty());
}

// Without clones the pages go below the base folder; a disk that fills up
// half-way through them must cost pages, never leave half of one, and must
// not end the run as if the user had stopped it.
TEST_F(Faults, FullDiskWhilePagesAreWrittenNamesEveryLostPageAndLeavesNoHalfPage) {
  for (const char* name : {"p1.jpg", "p2.jpg", "p3.jpg", "p4.jpg"}) MakePhoto(base_ / "A" / name);
  const std::vector<std::string> pages_only = {"/GENERATE_CLONES=0", "/THUMBNAILS=0",        "/GENERATE_HTML=1",
                                               "/GENERATE_PICPAGE=1", "/GENERATE_INDEX=1",   "/DECO_COPY=0",
                                               "/PRINT_DATE=0",       "/HTML_BILD_PRINT_DATE=0"};
  ASSERT_EQ(RunVelmora(Arguments(base_, 1, pages_only), Options()).status, 0);
  const auto complete = FilesBelow(base_ / "html");
  ASSERT_EQ(complete.size(), 6u);  // four image pages, the thumbnail page, the index page
  std::size_t total = 0;
  for (const auto& [name, text] : complete) {
    ASSERT_TRUE(IsCompletePage(text)) << name;
    total += text.size();
  }
  fs::remove_all(base_ / "html");

  ProgramOptions options = Options();
  options.environment = {"LD_PRELOAD=" VELMORA_FAKE_FULL_DISK, "VELMORA_FAKE_DISK_BYTES=" + std::to_string(total / 2),
                         "ASAN_OPTIONS=verify_asan_link_order=0:detect_leaks=0"};
  const ProgramResult result = RunVelmora(Arguments(base_, 1, pages_only), options);
  EXPECT_EQ(result.status, 3) << result.errors;
  EXPECT_NE(result.errors.find("No space left on device"), std::string::npos) << result.errors;
  const auto written = FilesBelow(base_ / "html");
  EXPECT_LT(written.size(), complete.size());
  for (const auto& [name, text] : complete) {
    const auto found = written.find(name);
    if (found != written.end()) {
      EXPECT_EQ(found->second, text) << name;
    } else {
      EXPECT_NE(result.errors.find(fs::path(name).filename().string()), std::string::npos) << name;
    }
  }
  EXPECT_TRUE(HiddenFilesBelow(base_ / "html").empty());
}

// A service manager's SIGTERM and a closed terminal's SIGHUP end the run as
// Ctrl-C does: after the current image, with the summary, status 130.
TEST_F(Faults, SigtermAndSighupStopTheRunAfterTheCurrentImage) {
  MakePhoto(base_ / "A" / "p00.jpg", 1600, 1200);
  constexpr int kPhotos = 30;
  for (int n = 1; n < kPhotos; ++n) {
    fs::copy_file(base_ / "A" / "p00.jpg", base_ / "A" / ("p" + std::to_string(100 + n) + ".jpg"));
  }
  for (const int signal : {SIGTERM, SIGHUP}) {
    fs::remove_all(out_);
    const pid_t pid = StartVelmora(Arguments(base_, 1,
                                             {"/GENERATE_CLONES=1", "/CLONE_PATH=" + out_.string(), "/THUMBNAILS=1",
                                              "/GENERATE_HTML=1", "/GENERATE_INDEX=1"}),
                                   Options());
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!fs::exists(out_ / "A" / "p00.jpg") && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    kill(pid, signal);
    EXPECT_EQ(WaitForExit(pid), 130) << signal;
    const std::string errors = ReadFile(root_ / "stderr.txt");
    EXPECT_NE(errors.find("Clones erzeugt:"), std::string::npos) << errors;
    const auto written = FilesBelow(out_);
    std::size_t clones = 0;
    for (const auto& [name, bytes] : written) {
      if (name.starts_with("A/")) ++clones;
      if (name.ends_with(".html")) {
        EXPECT_TRUE(IsCompletePage(bytes)) << name;
      }
    }
    EXPECT_GE(clones, 1u);
    EXPECT_LT(clones, static_cast<std::size_t>(kPhotos)) << "the run was not stopped";
    EXPECT_TRUE(HiddenFilesBelow(out_).empty());
  }
}

TEST_F(Faults, NamesUpToTheFileSystemLimitGetTheirOutputs) {
  const std::string stem(246, 'n');  // 250 bytes with ".jpg", 251 as a page
  MakePhoto(base_ / "A" / (stem + ".jpg"));
  const ProgramResult result = RunVelmora(
      Arguments(base_, 1,
                {"/GENERATE_CLONES=1", "/CLONE_PATH=" + out_.string(), "/THUMBNAILS=1", "/GENERATE_HTML=1"}),
      Options());
  EXPECT_EQ(result.status, 0) << result.errors;
  EXPECT_TRUE(DecodesCleanly(out_ / "A" / (stem + ".jpg")));
  EXPECT_TRUE(DecodesCleanly(out_ / "thumbs" / "A" / (stem + ".jpg")));
  EXPECT_TRUE(fs::exists(out_ / "html" / "A" / (stem + ".html")));
}

// A folder named outside Windows-1252, one whose name is no UTF-8 at all and
// one that cannot be read: each is named once, with its reason, and the
// run's other folders are done.
TEST_F(Faults, FoldersThatCannotBeReadOrNamedAreReportedOnceEach) {
  for (const int level : {1, 2}) {
    const fs::path base = root_ / ("Level" + std::to_string(level));
    const fs::path albums = level == 1 ? base : base / "Jahr";
    const fs::path out = root_ / ("Out" + std::to_string(level));
    MakePhoto(albums / "Gut" / "p.jpg");
    MakePhoto(albums / "Gut" / "\xE6\x97\xA5.jpg");
    MakePhoto(albums / "\xE6\x97\xA5\xE6\x9C\xAC" / "p.jpg");
    MakePhoto(albums / "\xFF\xFE" "Kaputt" / "p.jpg");
    MakePhoto(albums / "Zu" / "p.jpg");
    fs::permissions(albums / "Zu", fs::perms::none);
    const ProgramResult result = RunVelmora(
        Arguments(base, level, {"/GENERATE_CLONES=1", "/CLONE_PATH=" + out.string(), "/THUMBNAILS=0"}),
        Options(true));
    fs::permissions(albums / "Zu", fs::perms::owner_all);
    EXPECT_EQ(result.status, 3) << result.errors;
    EXPECT_EQ(Count(result.errors, "\\u{65E5}\\u{672C}"), 1u) << result.errors;
    EXPECT_EQ(Count(result.errors, "\\xFF\\xFEKaputt"), 1u) << result.errors;
    EXPECT_EQ(Count(result.errors, "\\u{65E5}.jpg"), 1u) << result.errors;
    EXPECT_EQ(Count(result.errors, (albums / "Zu").string() + "\n"), 1u) << result.errors;
    EXPECT_NE(result.errors.find("Permission denied"), std::string::npos) << result.errors;
    const fs::path album_out = level == 1 ? out / "Gut" : out / "Jahr" / "Gut";
    EXPECT_TRUE(DecodesCleanly(album_out / "p.jpg"));
  }
}

TEST_F(Faults, ControlCharactersInNamesNeitherForgeLogLinesNorReachTheTerminal) {
  MakePhoto(base_ / "A" / "gut.jpg");
  WriteFile(base_ / "A" / "kaputt\n2001-01-01 00:00:00 Run END\x1B[2J.jpg", "no picture at all");
  const ProgramResult result =
      RunVelmora(Arguments(base_, 1, {"/GENERATE_CLONES=1", "/CLONE_PATH=" + out_.string()}), Options());
  EXPECT_EQ(result.status, 3) << result.errors;
  EXPECT_EQ(result.errors.find('\x1B'), std::string::npos);
  EXPECT_NE(result.errors.find("kaputt\\x0A2001-01-01 00:00:00 Run END\\x1B[2J.jpg"), std::string::npos)
      << result.errors;
  const std::string log = Log();
  EXPECT_EQ(log.find("\n2001-"), std::string::npos) << log;
  EXPECT_EQ(log.find('\x1B'), std::string::npos);
}

// The refusal to empty a folder that holds the photos is a text of the
// language tables like any other, so its umlaut arrives whole.
TEST_F(Faults, RefusalToCleanTheFolderOfThePhotosSpeaksProperUtf8) {
  MakePhoto(base_ / "A" / "p.jpg");
  const ProgramResult result = RunVelmora(
      Arguments(base_, 1, {"/GENERATE_CLONES=1", "/CLONE_PATH=" + root_.path().string(), "/CLONE_DIRCLEAN=1"}),
      Options());
  EXPECT_EQ(result.status, 1) << result.errors;
  EXPECT_NE(result.errors.find("enth\xC3\xA4lt Originalbilder"), std::string::npos) << result.errors;
  EXPECT_EQ(result.errors.find("\xC3\x83"), std::string::npos) << result.errors;
}

}  // namespace
}  // namespace velmora::test
