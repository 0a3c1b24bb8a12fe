// Whole batch runs of the program: clones and thumbnails at the three
// directory levels, the checks that refuse a run, and the promise that
// source photos are never touched.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "run_fixture.h"
#include "lang/language_registry.h"
#include "settings/user_settings.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;



TEST_F(BatchRun, LevelZeroConvertsAndResizesTheImagesOfTheBaseDirectory) {
  MakeImage(base_ / "a.jpg", 800, 600);
  MakeImage(base_ / "b.png", 400, 800);
  MakeImage(base_ / "Sub" / "c.jpg", 300, 300);
  ASSERT_EQ(Run(0, {"/GENERATE_CLONES=1", "/CLONE_PATH=" + out_.string(), "/CLONE_SELECTED_SIDE=1",
                    "/CLONE_SIZE=400", "/PNG=1"}),
            kExitOk)
      << testing::PrintToString(Keys());
  EXPECT_EQ(Identify(out_ / "a.jpg"), "400 300 JPEG");
  EXPECT_EQ(Identify(out_ / "b.jpg"), "200 400 JPEG");
  EXPECT_EQ(Identify(out_ / "thumbs" / "a.jpg"), "120 90 JPEG");
  EXPECT_EQ(Identify(out_ / "thumbs" / "b.jpg"), "60 120 JPEG");
  EXPECT_FALSE(fs::exists(out_ / "Sub"));
  const std::string log = ReadFile(root_ / "run.log");
  EXPECT_NE(log.find("InfLog "), std::string::npos);
  EXPECT_NE(log.find("Clones erzeugt: 2"), std::string::npos) << log;
}

TEST_F(BatchRun, LevelOneKeepsTypesAndNamesClonesByMaskWithoutTheThumbnailFolder) {
  MakeImage(base_ / "Urlaub" / "x.jpg", 1000, 500);
  MakeImage(base_ / "Urlaub" / "y.png", 500, 1000);
  MakeImage(base_ / "thumbs" / "t.jpg", 200, 200);
  fs::create_directories(base_ / "Leer");
  ASSERT_EQ(Run(1, {"/GENERATE_CLONES=1", "/CLONE_PATH=" + out_.string(), "/CLONE_CONVERT=0", "/PNG=1",
                    "/CLONE_RENAME=1", "/CLONE_RENAME_MASK=%_#", "/CLONE_RENAME_DIGITS=3", "/THUMB_SIZE=100"}),
            kExitOk)
      << testing::PrintToString(Keys());
  // Side code 0 and the same type: the clone is the original's bytes.
  EXPECT_EQ(ReadFile(out_ / "Urlaub" / "Urlaub_001.jpg"), ReadFile(base_ / "Urlaub" / "x.jpg"));
  EXPECT_EQ(Identify(out_ / "Urlaub" / "Urlaub_002.png"), "500 1000 PNG");
  EXPECT_EQ(Identify(out_ / "thumbs" / "Urlaub" / "Urlaub_001.jpg"), "100 50 JPEG");
  EXPECT_EQ(Identify(out_ / "thumbs" / "Urlaub" / "Urlaub_002.jpg"), "50 100 JPEG");
  EXPECT_FALSE(fs::exists(out_ / "thumbs" / "thumbs"));
  EXPECT_FALSE(fs::exists(out_ / "Leer"));
}

TEST_F(BatchRun, LevelTwoTakesTheSubSubdirectoriesOnly) {
  MakeImage(base_ / "2024" / "Juni" / "x.jpg", 640, 480);
  MakeImage(base_ / "2024" / "Juli" / "y.jpg", 480, 640);
  MakeImage(base_ / "2024" / "z.jpg", 100, 100);
  MakeImage(base_ / "Einzeln" / "w.jpg", 100, 100);
  ASSERT_EQ(Run(2, {"/GENERATE_CLONES=1", "/CLONE_PATH=" + out_.string(), "/CLONE_SELECTED_SIDE=4",
                    "/CLONE_WIDTH=320", "/CLONE_HEIGHT=320"}),
            kExitOk)
      << testing::PrintToString(Keys());
  EXPECT_EQ(Identify(out_ / "2024" / "Juni" / "x.jpg"), "320 240 JPEG");
  EXPECT_EQ(Identify(out_ / "2024" / "Juli" / "y.jpg"), "240 320 JPEG");
  EXPECT_EQ(Identify(out_ / "thumbs" / "2024" / "Juli" / "y.jpg"), "90 120 JPEG");
  EXPECT_FALSE(fs::exists(out_ / "2024" / "z.jpg"));
  EXPECT_FALSE(fs::exists(out_ / "Einzeln"));
}

TEST_F(BatchRun, ThumbnailsWithoutClonesGoBesideTheSources) {
  MakeImage(base_ / "Alben" / "a.jpg", 300, 200);
  ASSERT_EQ(Run(1, {"/THUMB_SELECTED_SIDE=4", "/THUMB_WIDTH=100", "/THUMB_HEIGHT=100", "/THUMB_FRAMEFILL=1"}),
            kExitOk);
  EXPECT_EQ(Identify(base_ / "thumbs" / "Alben" / "a.jpg"), "100 100 JPEG");
}

TEST_F(BatchRun, OnlyIfNewerKeepsUpToDateClonesButRemakesABrokenOne) {
  MakeImage(base_ / "A" / "a.jpg", 600, 400);
  MakeImage(base_ / "A" / "b.jpg", 600, 400);
  const std::vector<std::string> overrides = {"/GENERATE_CLONES=1", "/CLONE_PATH=" + out_.string(),
                                              "/CLONE_SELECTED_SIDE=1", "/CLONE_SIZE=300",
                                              "/CLONE_ONLY_IF_NEWER=1"};
  ASSERT_EQ(Run(1, overrides), kExitOk);
  const auto first = Snapshot(out_);
  // What a killed run can leave: a temporary file beside a clone, never a
  // part-written clone under its own name; and after a power cut a clone
  // whose data never reached the disk. Neither may pass for an up-to-date clone.
  WriteFile(out_ / "A" / ".a.jpg.123.tmp", "half");
  WriteFile(out_ / "A" / "b.jpg", "");
  ASSERT_EQ(Run(1, overrides), kExitOk);
  const auto second = Snapshot(out_);
  EXPECT_EQ(second.at((out_ / "A" / "a.jpg").string()), first.at((out_ / "A" / "a.jpg").string()));
  EXPECT_EQ(Identify(out_ / "A" / "b.jpg"), "300 200 JPEG");
  EXPECT_NE(ReadFile(root_ / "run.log").find("Clones erzeugt: 1"), std::string::npos);
}

TEST_F(BatchRun, ImageFilterDecidesPerFile) {
  MakeImage(base_ / "A" / "keep.jpg", 200, 100);
  MakeImage(base_ / "A" / "drop.jpg", 200, 100);
  ASSERT_EQ(Run(1, {"/GENERATE_CLONES=1", "/CLONE_PATH=" + out_.string(),
                    "/IMAGE_ORACLE=if (file_original == \"keep\" && dimx_original == 200) { return @TRUE; }"}),
            kExitOk)
      << testing::PrintToString(Keys());
  EXPECT_TRUE(fs::exists(out_ / "A" / "keep.jpg"));
  EXPECT_FALSE(fs::exists(out_ / "A" / "drop.jpg"));

  EXPECT_EQ(Run(1, {"/GENERATE_CLONES=1", "/CLONE_PATH=" + out_.string(), "/IMAGE_ORACLE=return @FALSE;"}),
            kExitRunFailed);
  EXPECT_EQ(Keys(), std::vector<std::string>{"ErrNothingToDo"});

  EXPECT_EQ(Run(1, {"/IMAGE_ORACLE=thumbs();"}), kExitRunFailed);
  ASSERT_FALSE(shown_.empty());
  EXPECT_EQ(shown_[0].key, "ErrMissingFunction");
}

TEST_F(BatchRun, ImagesThatCannotBeReadAreReportedAndTheRunGoesOn) {
  MakeImage(base_ / "A" / "a.jpg", 200, 100);
  WriteFile(base_ / "A" / "b.jpg", "not a picture");
  EXPECT_EQ(Run(1, {"/GENERATE_CLONES=1", "/CLONE_PATH=" + out_.string(), "/CLONE_SELECTED_SIDE=1"}),
            kExitMessagesShown);
  ASSERT_EQ(shown_.size(), 1u);
  EXPECT_EQ(shown_[0].text.rfind("Image-Error 10", 0), 0u) << shown_[0].text;
  EXPECT_NE(shown_[0].text.find("b.jpg"), std::string::npos);
  EXPECT_TRUE(fs::exists(out_ / "A" / "a.jpg"));
}

// Every check refuses the run with its own message and a failing exit status.
struct CheckCase {
  std::vector<std::string> overrides;
  std::string key;
};

TEST_F(BatchRun, EveryFailingCheckGivesItsMessage) {
  MakeImage(base_ / "A" / "a.jpg", 100, 100);
  const std::string clones = "/CLONE_PATH=" + out_.string();
  const std::vector<CheckCase> cases = {
      {{"/GENERATE_CLONES=1", "/CLONE_PATH="}, "ErrClonesMissingDir"},
      {{"/GENERATE_CLONES=1", clones, "/CLONE_RENAME=1", "/CLONE_RENAME_MASK="}, "ErrRenameClonesMaskMissing"},
      {{"/GENERATE_CLONES=1", clones, "/CLONE_RENAME=1", "/CLONE_RENAME_MASK=bild"}, "ErrRenameClonesNotUnique"},
      {{"/GENERATE_CLONES=1", clones, "/CLONE_RENAME=1", "/CLONE_RENAME_MASK=a:b_#"}, "ErrRenameClonesNameInvalid"},
      {{"/GENERATE_CLONES=1", clones, "/CLONE_RENAME=1", "/CLONE_RENAME_MASK=$_#", "/CLONE_RENAME_FIND=a,b",
        "/CLONE_RENAME_REPLACE=x"},
       "ErrRenameClonesFindReplaceCount"},
      {{"/GENERATE_HTML=1", "/DECO_COPY=0", "/GENERATE_THUMBPAGES=0", "/GENERATE_PICPAGE=0"}, "ErrHTMLNothingToDo"},
      {{"/GENERATE_HTML=1", "/DECO_SOURCE="}, "ErrDecoMissingSource"},
      {{"/GENERATE_HTML=1", "/DECO_SOURCE=/nonexistent/velmora-deco"}, "ErrDecoSourceNotExist"},
      {{"/JPG=0"}, "ErrNothingToDo"},
  };
  for (const CheckCase& check : cases) {
    EXPECT_EQ(Run(1, check.overrides), kExitRunFailed) << check.key;
    EXPECT_EQ(Keys(), std::vector<std::string>{check.key}) << check.key;
  }
  EXPECT_FALSE(fs::exists(out_));
  EXPECT_FALSE(fs::exists(base_ / "thumbs"));
}

// A mask of an output that is not made cannot refuse the run: a profile
// with renamed thumbnails must still make clones alone.
TEST_F(BatchRun, RenameSettingsOfOutputsThatAreNotMadeAreNotChecked) {
  MakeImage(base_ / "A" / "a.jpg", 100, 100);
  const std::string clones = "/CLONE_PATH=" + out_.string();
  EXPECT_EQ(Run(1, {"/GENERATE_CLONES=1", clones, "/THUMBNAILS=0", "/THUMB_RENAME=1", "/THUMB_RENAME_MASK="}),
            kExitOk)
      << testing::PrintToString(Keys());
  EXPECT_TRUE(fs::exists(out_ / "A" / "a.jpg"));
  EXPECT_EQ(Run(1, {"/THUMBNAILS=1", "/THUMB_RENAME=1", "/THUMB_RENAME_MASK="}), kExitRunFailed);
  EXPECT_EQ(Keys(), std::vector<std::string>{"ErrRenameClonesMaskMissing"});
}

TEST_F(BatchRun, RememberedSelectionSwitchesFoldersOffUntilNothingIsLeft) {
  MakeImage(base_ / "A" / "a.jpg", 100, 100);
  MakeImage(base_ / "B" / "b.jpg", 100, 100);
  settings::WriteUserSetting("LastSession", "profilelastselection", "1");
  WriteFile(base_ / "Voreinstellung.vls", (base_ / "B").string() + "\r\n" + (base_ / "weg").string() + "\r\n");
  ASSERT_EQ(Run(1, {"/GENERATE_CLONES=1", "/CLONE_PATH=" + out_.string()}), kExitOk);
  EXPECT_TRUE(fs::exists(out_ / "A" / "a.jpg"));
  EXPECT_FALSE(fs::exists(out_ / "B"));
  EXPECT_EQ(settings::ReadUserSetting("ProfilesLastData", "Voreinstellung"), base_.string());

  WriteFile(base_ / "Voreinstellung.vls", (base_ / "A").string() + "\r\n" + (base_ / "B").string() + "\r\n");
  EXPECT_EQ(Run(1, {"/GENERATE_CLONES=1", "/CLONE_PATH=" + out_.string()}), kExitRunFailed);
  EXPECT_EQ(Keys(), std::vector<std::string>{"ErrNothingToDo"});
}

TEST_F(BatchRun, CloneDirectoryEqualToTheBaseDirectoryInAnotherCaseIsRefused) {
  MakeImage(base_ / "A" / "a.jpg", 100, 100);
  std::string upper = base_.string();
  upper.replace(upper.size() - 5, 5, "FOTOS");
  EXPECT_EQ(Run(1, {"/GENERATE_CLONES=1", "/CLONE_PATH=" + upper}), kExitRunFailed);
  EXPECT_EQ(Keys(), std::vector<std::string>{"ErrClonesDirIsBase"});
  EXPECT_FALSE(fs::exists(base_ / "A" / "thumbs"));
}

TEST_F(BatchRun, HtmlOffIgnoresThePageSettingsAndAMissingBaseDirectoryIsReported) {
  MakeImage(base_ / "A" / "a.jpg", 100, 100);
  EXPECT_EQ(Run(1, {"/GENERATE_THUMBPAGES=0", "/GENERATE_PICPAGE=0"}), kExitOk);
  EXPECT_TRUE(shown_.empty());
  base_ = root_ / "fehlt";
  EXPECT_EQ(Run(1, {}), kExitRunFailed);
  EXPECT_EQ(Keys(), (std::vector<std::string>{"ErrBasedirNotAvailable", "ErrNothingToDo"}));
}

// Start-up shows what is wrong with the base directory or the image filter and
// goes on; the run driver then makes its checks in their order.
TEST_F(BatchRun, StartUpErrorsAreShownAndTheRunDriverStillChecks) {
  MakeImage(base_ / "A" / "a.jpg", 100, 100);
  const std::vector<std::string> bad_mask = {"/GENERATE_CLONES=1", "/CLONE_PATH=" + out_.string(), "/CLONE_RENAME=1",
                                             "/CLONE_RENAME_MASK="};
  std::vector<std::string> overrides = bad_mask;
  overrides.push_back("/IMAGE_ORACLE=thumbs();");
  EXPECT_EQ(Run(1, overrides), kExitRunFailed);
  EXPECT_EQ(Keys(), (std::vector<std::string>{"ErrMissingFunction", "ErrRenameClonesMaskMissing"}));

  const fs::path real_base = base_;
  base_ = root_ / "fehlt";
  EXPECT_EQ(Run(1, bad_mask), kExitRunFailed);
  EXPECT_EQ(Keys(), (std::vector<std::string>{"ErrBasedirNotAvailable", "ErrRenameClonesMaskMissing"}));
  EXPECT_FALSE(fs::exists(out_));
  EXPECT_FALSE(fs::exists(base_));
  base_ = real_base;
}

TEST_F(BatchRun, SourcesSurviveEveryCleaningOptionWithTheCloneDirectoryInsideTheBase) {
  MakeImage(base_ / "a.jpg", 400, 300);
  MakeImage(base_ / "A" / "x.jpg", 400, 300);
  MakeImage(base_ / "A" / "y.png", 300, 400);
  const auto before = Snapshot(base_);
  const fs::path inside = base_ / "Galerie";
  for (int level : {0, 1, 1}) {
    EXPECT_EQ(Run(level, {"/GENERATE_CLONES=1", "/CLONE_PATH=" + inside.string(), "/CLONE_DIRCLEAN=1",
                          "/THUMBDIR_CLEAN=1", "/HTML_DIRCLEAN=1", "/GENERATE_HTML=1", "/PNG=1",
                          "/CLONE_PRESERVE_DATE=1", "/CLONE_SELECTED_SIDE=1", "/CLONE_SIZE=200"}),
              kExitOk)
        << testing::PrintToString(Keys());
  }
  const auto after = Snapshot(base_);
  for (const auto& [file, facts] : before) {
    ASSERT_TRUE(after.count(file)) << file;
    EXPECT_EQ(after.at(file), facts) << file;
  }
  // The clone folder is not a source of the next run.
  EXPECT_TRUE(fs::exists(inside / "A" / "x.jpg"));
  EXPECT_FALSE(fs::exists(inside / "Galerie"));
  EXPECT_FALSE(fs::exists(inside / "thumbs" / "Galerie"));
}

TEST_F(BatchRun, CloneDirectoryInsideAnAlbumLeavesTheAlbumInTheRun) {
  MakeImage(base_ / "A" / "x.jpg", 100, 100);
  const fs::path inside = base_ / "A" / "Kopien";
  for (int run = 0; run < 2; ++run) {
    ASSERT_EQ(Run(1, {"/GENERATE_CLONES=1", "/CLONE_PATH=" + inside.string()}), kExitOk);
  }
  EXPECT_TRUE(fs::exists(inside / "A" / "x.jpg"));
  EXPECT_FALSE(fs::exists(inside / "A" / "Kopien"));
}

TEST_F(BatchRun, CleaningACloneDirectoryThatHoldsTheBaseIsRefused) {
  MakeImage(base_ / "A" / "x.jpg", 100, 100);
  WriteFile(root_ / "keep.txt", "mine");
  const auto before = Snapshot(base_);
  EXPECT_EQ(Run(1, {"/GENERATE_CLONES=1", "/CLONE_PATH=" + root_.path().string(), "/CLONE_DIRCLEAN=1"}), kExitRunFailed);
  ASSERT_EQ(shown_.size(), 1u);
  EXPECT_EQ(shown_[0].key, "ErrCleanHoldsSources");
  EXPECT_EQ(ReadFile(root_ / "keep.txt"), "mine");
  EXPECT_EQ(Snapshot(base_), before);
}

TEST_F(BatchRun, OldOutputGoesToTheTrashWhenTheUserAskedForIt) {
  MakeImage(base_ / "A" / "x.jpg", 100, 100);
  WriteFile(out_ / "alt.jpg", "old output");
  settings::WriteUserSetting("LastSession", "deleteoption", "1");
  ASSERT_EQ(Run(1, {"/GENERATE_CLONES=1", "/CLONE_PATH=" + out_.string(), "/CLONE_DIRCLEAN=1"}), kExitOk);
  EXPECT_FALSE(fs::exists(out_ / "alt.jpg"));
  EXPECT_EQ(ReadFile(root_ / "data" / "Trash" / "files" / "alt.jpg"), "old output");
  const std::string info = ReadFile(root_ / "data" / "Trash" / "info" / "alt.jpg.trashinfo");
  EXPECT_EQ(info.rfind("[Trash Info]\nPath=", 0), 0u);
  EXPECT_NE(info.find("/Galerie/alt.jpg\nDeletionDate="), std::string::npos) << info;
  EXPECT_TRUE(fs::exists(out_ / "A" / "x.jpg"));
}

// A new user on an English desktop reads English; once a language is stored,
// that choice wins over the desktop's.
TEST_F(BatchRun, LanguageFollowsTheLocaleUntilAChoiceIsStored) {
  MakeImage(base_ / "A" / "a.jpg", 100, 100);
  setenv("LC_ALL", "", 1);
  setenv("LC_MESSAGES", "", 1);
  setenv("LANG", "en_GB.UTF-8", 1);
  EXPECT_EQ(Run(1, {"/Profile=Default"}), kExitOk) << testing::PrintToString(Keys());
  EXPECT_EQ(lang::CurrentLanguage().ID(), "en");
  EXPECT_EQ(settings::ReadUserSetting("Administration", "language"), "");
  EXPECT_NE(ReadFile(root_ / "run.log").find("Directories: 1"), std::string::npos);

  settings::WriteUserSetting("Administration", "language", "de");
  EXPECT_EQ(Run(1, {}), kExitOk) << testing::PrintToString(Keys());
  EXPECT_EQ(lang::CurrentLanguage().ID(), "de");
  EXPECT_EQ(settings::ReadUserSetting("Administration", "language"), "de");
  setenv("LC_ALL", "C.UTF-8", 1);
}

}  // namespace
}  // namespace velmora::test
