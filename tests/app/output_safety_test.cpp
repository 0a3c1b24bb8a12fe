// Whole batch runs that try to make the program write or delete outside its
// clone folder: hostile output names, renamed names with paths, symbolic
// links into the photos, cleaning of foreign folders, garbage numbers.
// Every photo and every foreign file must come out byte for byte as it was.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/run/output_guard.h"
#include "app/run/output_names.h"
#include "app/run/setting_ranges.h"
#include "run_fixture.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

// A batch run over two albums with a foreign folder beside the base folder.
class HostileRun : public BatchRun {
 protected:
  void SetUp() override {
    BatchRun::SetUp();
    MakeImage(base_ / "A" / "IMG_0001.jpg", 640, 480);
    MakeImage(base_ / "A" / "IMG_0002.jpg", 480, 640);
    WriteFile(victim_ / "keep.txt", "keep");
    WriteFile(victim_ / ".hidden", "dot");
    photos_ = Snapshot(base_);
  }

  // Nothing of the photos nor of the foreign folder changed.
  void ExpectUntouched() {
    const auto now = Snapshot(base_);
    for (const auto& [file, facts] : photos_) {
      ASSERT_TRUE(now.count(file)) << file;
      EXPECT_EQ(now.at(file), facts) << file;
    }
    EXPECT_EQ(ReadFile(victim_ / "keep.txt"), "keep");
    EXPECT_EQ(ReadFile(victim_ / ".hidden"), "dot");
  }

  std::string Log() const { return ReadFile(root_ / "run.log"); }

  fs::path victim_ = root_ / "victim";
  std::map<std::string, std::pair<std::string, std::int64_t>> photos_;
};

struct Refusal {
  std::vector<std::string> overrides;
  std::string key;
};

TEST_F(HostileRun, OutputNamesThatLeaveTheCloneFolderRefuseTheRun) {
  const std::string clones = "/CLONE_PATH=" + out_.string();
  const std::vector<Refusal> cases = {
      {{"/THUMB_DIRNAME=../victim", "/THUMBDIR_CLEAN=1"}, "ErrThumbDirInvalidCharacter"},
      {{"/THUMB_DIRNAME=/..", "/THUMBDIR_CLEAN=1"}, "ErrThumbDirInvalidCharacter"},
      {{"/THUMB_DIRNAME=..", "/THUMBDIR_CLEAN=1"}, "ErrThumbDirInvalidCharacter"},
      {{"/THUMB_DIRNAME="}, "ErrThumbDirMissingName"},
      {{"/GENERATE_CLONES=1", clones, "/THUMB_DIRNAME=" + victim_.string(), "/THUMBDIR_CLEAN=1"},
       "ErrThumbDirInvalidCharacter"},
      {{"/GENERATE_HTML=1", "/HTML_BASE=../victim", "/HTML_DIRCLEAN=1"}, "ErrHTMLDirInvalidCharacter"},
      {{"/GENERATE_HTML=1", "/HTML_BASE=."}, "ErrHTMLDirInvalidCharacter"},
      {{"/GENERATE_HTML=1", "/HTML_BASE="}, "ErrHTMLDirMissingName"},
      {{"/GENERATE_HTML=1", "/HTML_EXTENSION=html/../../x"}, "ErrHTMLExtInvalidCharacter"},
      {{"/GENERATE_HTML=1", "/HTML_EXTENSION="}, "ErrHTMLExtMissingName"},
      {{"/GENERATE_HTML=1", "/GENERATE_INDEX=1", "/HTML_INDEX_FILENAME=../../victim/keep"}, "ErrIndexInvalidCharacter"},
      {{"/GENERATE_HTML=1", "/HTML_INDEX_FILENAME="}, "ErrIndexMissingName"},
      {{"/GENERATE_HTML=1", "/GENERATE_FRAME=1", "/HTML_FRAME_FILENAME=/tmp/x"}, "ErrFrameInvalidCharacter"},
      {{"/GENERATE_HTML=1", "/HTML_FRAME_FILENAME="}, "ErrFrameMissingName"},
      {{"/GENERATE_HTML=1", "/HTML_DEFAULT=../x"}, "ErrHTMLDefaultInvalidCharacter"},
      {{"/GENERATE_HTML=1", "/GIF=1", "/DECO_PATH=./A"}, "ErrDecoInvalidCharacter"},
      {{"/GENERATE_HTML=1", "/DECO_PATH=../victim"}, "ErrDecoInvalidCharacter"},
      {{"/GENERATE_HTML=1", "/DECO_PATH="}, "ErrDecoMissingName"},
  };
  for (const Refusal& refusal : cases) {
    EXPECT_EQ(Run(1, refusal.overrides), kExitRunFailed) << refusal.key;
    EXPECT_EQ(Keys(), std::vector<std::string>{refusal.key}) << testing::PrintToString(refusal.overrides);
    ExpectUntouched();
  }
  EXPECT_FALSE(fs::exists(out_));
  EXPECT_FALSE(fs::exists(base_ / "thumbs"));
  EXPECT_FALSE(fs::exists(base_ / "html"));
}

TEST_F(HostileRun, GarbageNumbersRefuseTheRunInsteadOfWritingTinyPictures) {
  const std::string clones = "/CLONE_PATH=" + out_.string();
  const std::vector<Refusal> cases = {
      {{"/GENERATE_CLONES=1", clones, "/CLONE_SELECTED_SIDE=1", "/CLONE_SIZE=abc"}, "ErrClonesDimension"},
      {{"/GENERATE_CLONES=1", clones, "/CLONE_SELECTED_SIDE=1", "/CLONE_SIZE=-50"}, "ErrClonesDimension"},
      {{"/GENERATE_CLONES=1", clones, "/CLONE_SELECTED_SIDE=1", "/CLONE_SIZE=0"}, "ErrClonesDimension"},
      {{"/GENERATE_CLONES=1", clones, "/CLONE_SELECTED_SIDE=4", "/CLONE_HEIGHT=99"}, "ErrClonesDimension"},
      {{"/GENERATE_CLONES=1", clones, "/CLONE_SELECTED_SIDE=9"}, "ErrClonesDimension"},
      {{"/GENERATE_CLONES=1", clones, "/CLONE_QUALITY=0"}, "ErrQualityInvalid"},
      {{"/GENERATE_CLONES=1", clones, "/CLONE_MAXSIZE=1", "/CLONE_MAXSIZEBYTES=12"}, "ErrClonesMaxSize"},
      {{"/THUMB_SIZE=99999999999999999999"}, "ErrThumbDimension"},
      {{"/THUMB_SIZE=12.5"}, "ErrThumbDimension"},
      {{"/THUMB_SELECTED_SIDE=2", "/THUMB_WIDTH=19"}, "ErrThumbDimension"},
      {{"/THUMB_QUALITY=101"}, "ErrQualityInvalid"},
      {{"/THUMB_FORMAT=GIF"}, "ErrOutputFormatInvalid"},
      {{"/GENERATE_CLONES=1", clones, "/CLONE_FORMAT=webp2"}, "ErrOutputFormatInvalid"},
      {{"/THUMB_DENSITY=5"}, "ErrThumbDimension"},
      {{"/THUMB_DENSITY=-1"}, "ErrThumbDimension"},
      {{"/GENERATE_HTML=1", "/THUMBS_PER_LINE=0"}, "ErrCountPicPerLine"},
      {{"/GENERATE_HTML=1", "/HTML_SPLIT=1", "/LINES_PER_PAGE=x"}, "ErrCountLinesPerFile"},
      {{"/GENERATE_HTML=1", "/GENERATE_INDEX=1", "/HTML_INDEX_ENTRIES_PER_LINE=-1"}, "ErrIndexCountEntriesPerLine"},
  };
  for (const Refusal& refusal : cases) {
    EXPECT_EQ(Run(1, refusal.overrides), kExitRunFailed) << refusal.key;
    EXPECT_EQ(Keys(), std::vector<std::string>{refusal.key}) << testing::PrintToString(refusal.overrides);
  }
  EXPECT_FALSE(fs::exists(out_));
  EXPECT_FALSE(fs::exists(base_ / "thumbs"));
  // A size the side code does not read is not the run's business.
  EXPECT_EQ(Run(1, {"/GENERATE_CLONES=1", clones, "/CLONE_SELECTED_SIDE=1", "/CLONE_SIZE=320", "/CLONE_WIDTH=abc"}),
            kExitOk)
      << testing::PrintToString(Keys());
  EXPECT_EQ(Identify(out_ / "A" / "IMG_0001.jpg"), "320 240 JPEG");
}

TEST_F(HostileRun, RenamedNamesWithAPathSkipThePhotoAndNeverReplaceTheSource) {
  const std::string clones = "/CLONE_PATH=" + out_.string();
  // Only IMG_0001 turns into a path: it is skipped, IMG_0002 is cloned.
  EXPECT_EQ(Run(1, {"/GENERATE_CLONES=1", clones, "/CLONE_SELECTED_SIDE=1", "/CLONE_SIZE=320", "/CLONE_RENAME=1",
                    "/CLONE_RENAME_MASK=$", "/CLONE_RENAME_FIND=IMG_0001",
                    "/CLONE_RENAME_REPLACE=../../" + base_.filename().string() + "/A/IMG_0001"}),
            kExitMessagesShown);
  EXPECT_EQ(Keys(), std::vector<std::string>{"ErrRenamedNameInvalid"});
  ExpectUntouched();
  EXPECT_EQ(Identify(out_ / "A" / "IMG_0002.jpg"), "240 320 JPEG");
  EXPECT_FALSE(fs::exists(out_ / "thumbs" / "A" / "IMG_0001.jpg"));
  EXPECT_NE(Log().find("Clones erzeugt: 1"), std::string::npos);

  // Thumbnail masks get the start-of-run checks of clone masks.
  const std::vector<Refusal> cases = {
      {{"/THUMB_RENAME=1", "/THUMB_RENAME_MASK=../../../" + base_.filename().string() + "/A/$"},
       "ErrRenameClonesNameInvalid"},
      {{"/THUMB_RENAME=1", "/THUMB_RENAME_MASK="}, "ErrRenameClonesMaskMissing"},
      {{"/THUMB_RENAME=1", "/THUMB_RENAME_MASK=thumb"}, "ErrRenameClonesNotUnique"},
      {{"/THUMB_RENAME=1", "/THUMB_RENAME_MASK=$", "/THUMB_RENAME_FIND=a,b,c", "/THUMB_RENAME_REPLACE=x"},
       "ErrRenameClonesFindReplaceCount"},
  };
  for (const Refusal& refusal : cases) {
    EXPECT_EQ(Run(1, refusal.overrides), kExitRunFailed) << refusal.key;
    EXPECT_EQ(Keys(), std::vector<std::string>{refusal.key}) << refusal.key;
    ExpectUntouched();
  }
  EXPECT_FALSE(fs::exists(base_ / "thumbs" / "A" / ".jpg"));
}

TEST_F(HostileRun, ClonesIntoThePhotoFoldersRefuseTheRunBeforeAnythingIsWritten) {
  // A's clone folder is a link to A itself: A's clones would be A's photos.
  fs::create_directories(out_);
  fs::create_directory_symlink(base_ / "A", out_ / "A");
  EXPECT_EQ(Run(1, {"/GENERATE_CLONES=1", "/CLONE_PATH=" + out_.string(), "/CLONE_SIZE=100", "/THUMBNAILS=1"}),
            kExitRunFailed);
  EXPECT_EQ(Keys(), std::vector<std::string>{"ErrOutputHoldsSources"});
  ExpectUntouched();
  EXPECT_FALSE(fs::exists(out_ / "thumbs"));
}

TEST_F(HostileRun, AnOutputThatIsALinkToAPhotoSkipsThatPhoto) {
  // An earlier hand put a link to the photo where its clone would go.
  fs::create_directories(out_ / "A");
  fs::create_symlink(base_ / "A" / "IMG_0001.jpg", out_ / "A" / "IMG_0001.jpg");
  EXPECT_EQ(Run(1, {"/GENERATE_CLONES=1", "/CLONE_PATH=" + out_.string(), "/CLONE_SELECTED_SIDE=1", "/CLONE_SIZE=100"}),
            kExitMessagesShown);
  EXPECT_EQ(Keys(), std::vector<std::string>{"ErrOutputRefused"});
  EXPECT_TRUE(fs::is_symlink(out_ / "A" / "IMG_0001.jpg"));
  EXPECT_EQ(Identify(out_ / "A" / "IMG_0002.jpg"), "75 100 JPEG");
  ExpectUntouched();
}

TEST_F(HostileRun, PagesAndDecorationThroughASymbolicLinkNeverReplaceAPhoto) {
  // The HTML folder is a link back to the photos and pages are called .jpg.
  fs::create_symlink(base_ / "A", base_ / "html");
  MakeImage(base_ / "A" / "home.gif", 32, 32);
  MakeImage(base_ / "B" / "x.gif", 32, 32);
  fs::create_symlink(base_ / "B", base_ / "deco");
  // What looks like the leftover of a killed run is no business of ours in a photo folder.
  const fs::path leftover = base_ / "A" / ".velmora-0123456789abcdef.999999999-1.tmp";
  WriteFile(leftover, "not ours");
  photos_ = Snapshot(base_);
  Run(1, {"/GENERATE_HTML=1", "/HTML_EXTENSION=jpg", "/DECO_COPY=0", "/THUMBNAILS=0"});
  EXPECT_NE(std::find(Keys().begin(), Keys().end(), "ErrOutputRefused"), Keys().end()) << testing::PrintToString(Keys());
  ExpectUntouched();
  EXPECT_TRUE(fs::exists(leftover));
  // Decoration files into a photo folder of the run.
  EXPECT_EQ(Run(1, {"/GENERATE_HTML=1", "/GIF=1", "/THUMBNAILS=0"}), kExitMessagesShown);
  EXPECT_EQ(Keys(), std::vector<std::string>{"ErrOutputRefused"});
  ExpectUntouched();
}

TEST_F(HostileRun, CleaningListsWhatGoesAndRefusesHomeAndFoldersOutsideTheClones) {
  const std::string clones = "/CLONE_PATH=" + out_.string();
  WriteFile(out_ / "old.jpg", "old");
  WriteFile(out_ / "oldfolder" / "x.txt", "x");
  ASSERT_EQ(Run(1, {"/GENERATE_CLONES=1", clones, "/CLONE_DIRCLEAN=1"}), kExitOk) << testing::PrintToString(Keys());
  const std::string log = Log();
  EXPECT_NE(log.find("Cleaning removed " + (out_ / "old.jpg").string()), std::string::npos) << log;
  EXPECT_NE(log.find("Cleaning removed " + (out_ / "oldfolder").string()), std::string::npos) << log;
  const std::size_t summary = log.find("InfCleaned ");
  ASSERT_NE(summary, std::string::npos) << log;
  const std::string line = log.substr(summary, log.find('\n', summary) - summary);
  EXPECT_NE(line.find("entfernt: 2"), std::string::npos) << line;

  // A thumbnail folder that is a link to a foreign folder is not emptied.
  fs::remove_all(out_ / "thumbs");
  fs::create_symlink(victim_, out_ / "thumbs");
  EXPECT_EQ(Run(1, {"/GENERATE_CLONES=1", clones, "/THUMBDIR_CLEAN=1"}), kExitRunFailed);
  EXPECT_EQ(Keys(), std::vector<std::string>{"ErrCleanRefused"});
  ExpectUntouched();

  // The home folder as clone folder is never emptied.
  const fs::path home = root_ / "home";
  WriteFile(home / ".bashrc", "mine");
  const char* previous = std::getenv("HOME");
  const std::string saved = previous ? previous : "";
  setenv("HOME", home.c_str(), 1);
  const int status = Run(1, {"/GENERATE_CLONES=1", "/CLONE_PATH=" + home.string(), "/CLONE_DIRCLEAN=1"});
  if (previous) setenv("HOME", saved.c_str(), 1);
  else unsetenv("HOME");
  EXPECT_EQ(status, kExitRunFailed);
  EXPECT_EQ(Keys(), std::vector<std::string>{"ErrCleanRefused"});
  EXPECT_EQ(ReadFile(home / ".bashrc"), "mine");
}

TEST(OutputGuard, ResolvesDotsLinksAndSeparatorsBeforeItAnswers) {
  TempDir root;
  const fs::path base = root / "base";
  fs::create_directories(base / "A");
  fs::create_directories(root / "out");
  fs::create_symlink(base / "A", root / "out" / "link");
  const app::OutputGuard guard(base, {base, base / "A/"}, {"*.JPG"});
  EXPECT_TRUE(guard.MayWrite(base / "thumbs" / "A" / "x.jpg"));
  EXPECT_TRUE(guard.MayWrite(base / "A" / "page.html"));
  EXPECT_FALSE(guard.MayWrite(base / "A" / "p1.jpg"));
  EXPECT_FALSE(guard.MayWrite(base / "A" / "P1.Jpg"));
  EXPECT_FALSE(guard.MayWrite(base / "html" / ".." / "A" / "." / "p1.jpg"));
  EXPECT_FALSE(guard.MayWrite(base / "A"));
  EXPECT_FALSE(guard.MayWrite(root / "elsewhere.html"));
  EXPECT_FALSE(guard.MayWrite(base / ".." / "elsewhere.html"));
  const app::OutputGuard clones(root / "out/", {base, base / "A"}, {"*.JPG"});
  EXPECT_TRUE(clones.MayWrite(root / "out" / "A" / "p1.jpg"));
  EXPECT_FALSE(clones.MayWrite(root / "out" / "link" / "p1.jpg"));
  // The clone folder itself is no file to write.
  EXPECT_FALSE(clones.MayWrite(root / "out" / "."));
  EXPECT_FALSE(clones.MayClean(root / "out" / "link"));
  EXPECT_TRUE(clones.MayClean(root / "out" / "thumbs/"));
  EXPECT_FALSE(app::OutputGuard().MayWrite(root / "out" / "x.html"));
}

TEST(OutputSettings, NamesAndWholeNumbers) {
  EXPECT_TRUE(app::IsPlainName("thumbs"));
  EXPECT_TRUE(app::IsPlainName(".hidden"));
  for (const char* bad : {".", "..", "a/b", "a\\b", "/", " x", "x ", "$x", ""}) {
    EXPECT_FALSE(app::IsPlainName(bad)) << bad;
  }
  EXPECT_EQ(app::ReadWholeNumber(" 640 "), 640);
  EXPECT_EQ(app::ReadWholeNumber("+5"), 5);
  EXPECT_EQ(app::ReadWholeNumber("-50"), -50);
  for (const char* bad : {"", "abc", "12abc", "1.5", "99999999999999999999", "- 5"}) {
    EXPECT_FALSE(app::ReadWholeNumber(bad)) << bad;
  }
}

}  // namespace
}  // namespace velmora::test
