// The pieces of a run on their own: link encoding, clone names, context
// variables, the selection tree and its file, the progress line, and the
// stop request seen by a running generation.
#include <gtest/gtest.h>

#include <csignal>

#include "app/run/context_variables.h"
#include "app/run/file_patterns.h"
#include "app/run/image_scan.h"
#include "app/run/output_cleaning.h"
#include "app/run/progress_line.h"
#include "app/run/run_driver.h"
#include "app/run/selection_tree.h"
#include "app/run/stop_request.h"
#include "run_fixture.h"
#include "image/clone_list/clone_list.h"
#include "settings/profile_data.h"
#include "settings/working_settings.h"

namespace velmora::app {
namespace {

namespace fs = std::filesystem;

TEST(ImageTypes, PatternsAndTypesFollowTheSwitchedOnTypes) {
  const std::vector<EnabledImageType> types = {{"JPG,JPEG", 6}, {"PNG", 10}};
  EXPECT_EQ(ImageTypeOfName("a.jpeg", types), 6);
  EXPECT_EQ(ImageTypeOfName("a.Png", types), 10);
  EXPECT_EQ(ImageTypeOfName("a.tif", types), 0);
}

TEST(ContextVariables, ImageRecordSetsSizesAndAnEmptyDateWithoutTime) {
  script::Program program;
  RunContext context;
  context.Build(program);
  image::RLImageFile record;
  record.Original.Name = "a";
  record.Original.Size = 1536;
  record.Clone.Size = 3 * 1024 * 1024;
  record.Clone.Width = 640;
  record.Clone.Height = 480;
  context.SetImage(record, false);
  EXPECT_DOUBLE_EQ(context.Get(Ctx::size_kbyte).real(), 1.5);
  EXPECT_EQ(context.Get(Ctx::date).text(), "");
  EXPECT_EQ(context.Get(Ctx::time).text(), "");
  context.SetImage(record, true);
  EXPECT_DOUBLE_EQ(context.Get(Ctx::size_mbyte).real(), 3.0);
  EXPECT_EQ(context.Get(Ctx::dim).text(), "640 x 480");
  // Totals beyond 32 bits are not wrapped round.
  context.Set(Ctx::size_byte_all, std::int64_t{5} << 32);
  EXPECT_DOUBLE_EQ(context.Get(Ctx::size_byte_all).real(), static_cast<double>(std::int64_t{5} << 32));
  EXPECT_EQ(context.Get(Ctx::html).text(), "html");
  EXPECT_TRUE(program.globals().Find("thumb_ref")->readonly);
}

TEST(ProgressLine, ShowsCountsBytesTimeAndTheRestWithinTheWidth) {
  const std::string line = ProgressLine("Reise", 2, 3, 50, 100, 50 << 20, 100 << 20, 30'000, 200);
  EXPECT_EQ(line, "Reise  [2/3] image 50 of 100, 50.0 MB of 100.0 MB, 0:30, about 0:30 left");
  EXPECT_EQ(ProgressLine(std::string(40, 'x'), 1, 1, 0, 1, 0, 1, 0, 200).substr(0, 31), std::string(29, 'x') + "~ ");
  EXPECT_EQ(ProgressLine("Reise", 2, 3, 50, 100, 50 << 20, 100 << 20, 30'000, 11).size(), 10u);
  EXPECT_EQ(FormatDuration(3723), "1:02:03");
}

TEST(OutputCleaning, PathWithinComparesWholeComponents) {
  EXPECT_TRUE(PathWithin("/a/b/c", "/a/b"));
  EXPECT_TRUE(PathWithin("/a/b", "/a/b/"));
  EXPECT_FALSE(PathWithin("/a/bc", "/a/b"));
  EXPECT_FALSE(PathWithin("/a", "/a/b"));
}

class Tree : public test::BatchRun {
 protected:
  void Build(int level) {
    const ImageScan scan(settings::WorkingSettings(), nullptr);
    TreeOptions options;
    options.level = level;
    options.excluded_names = {"thumbs", "deco", "html"};
    tree_.Build(base_.string(), options, scan);
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& node : tree_.nodes()) texts.push_back(node.text);
    return texts;
  }
  // Working settings of a run that makes clones only, into out_.
  void UseCloneSettings() {
    settings::ResetToDefaults();
    settings::CopyStoredToWorking();
    settings::SetWorkingSetting("GENERATE_HTML", "0");
    settings::SetWorkingSetting("GENERATE_CLONES", "1");
    settings::SetWorkingSetting("CLONE_PATH", out_.string());
  }
  // One run of the driver over the tree built before, at level 1.
  DriverResult Drive(RunProgress& progress) {
    startup_.DirLevel = 1;
    NoPageWriter pages;
    RunDriver driver(startup_, tree_, pages, progress);
    const DriverResult result = driver.StartOrStop(Cp1252Text(base_.string()));
    counters_ = driver.counters();
    return result;
  }
  SelectionTree tree_;
  StartupState startup_;
  RunCounters counters_;
};

TEST_F(Tree, LevelOneShowsFoldersWithImagesButNeverTheOutputFolders) {
  settings::ResetToDefaults();
  settings::CopyStoredToWorking();
  MakeImage(base_ / "b" / "1.jpg", 10, 10);
  MakeImage(base_ / "A" / "1.jpg", 10, 10);
  MakeImage(base_ / "A" / "2.JPG", 10, 10);
  MakeImage(base_ / "thumbs" / "1.jpg", 10, 10);
  fs::create_directories(base_ / "leer");
  Build(1);
  EXPECT_EQ(Texts(), (std::vector<std::string>{base_.string() + " (3)", "A (2)", "b (1)"}));
  EXPECT_EQ(tree_.node(1).key, "K" + (base_ / "A").string());
  EXPECT_TRUE(tree_.node(1).bold && tree_.node(1).checked);
}

TEST_F(Tree, LevelTwoShowsAFolderOnlyWithSubfoldersThatHoldImages) {
  settings::ResetToDefaults();
  settings::CopyStoredToWorking();
  MakeImage(base_ / "P" / "Q" / "1.jpg", 10, 10);
  MakeImage(base_ / "S" / "1.jpg", 10, 10);
  fs::create_directories(base_ / "S" / "leer");
  Build(2);
  EXPECT_EQ(Texts(), (std::vector<std::string>{base_.string() + " (1)", "P (1)", "Q (1)"}));
  EXPECT_EQ(tree_.node(1).children, std::vector<int>{2});
}

TEST_F(Tree, SelectionFileSwitchesFoldersOffAndIgnoresUnknownLines) {
  settings::ResetToDefaults();
  settings::CopyStoredToWorking();
  MakeImage(base_ / "A" / "1.jpg", 10, 10);
  MakeImage(base_ / "B" / "1.jpg", 10, 10);
  Build(1);
  const fs::path file = root_ / "sel.vls";
  test::WriteFile(file, (base_ / "B").string() + "\r\n" + (base_ / "weg").string() + "\r\n");
  tree_.ApplyDeselection(file);
  EXPECT_TRUE(tree_.node(1).checked);
  EXPECT_FALSE(tree_.node(2).checked);
  ASSERT_TRUE(tree_.WriteDeselection(file));
  EXPECT_EQ(test::ReadFile(file), (base_ / "B").string() + "\r\n");
  tree_.node(2).checked = true;
  ASSERT_TRUE(tree_.WriteDeselection(file));
  EXPECT_FALSE(fs::exists(file));
}

// Ctrl-C during a run: the run stops before the next image, still writes
// its summary and reports the cancel.
class StopOnFirstImage final : public RunProgress {
 public:
  void Start(std::int32_t, std::int32_t, std::int64_t) override {}
  void Text(std::string_view) override {}
  void Directory(std::string_view, std::int32_t) override { ++directories; }
  void Image(std::int32_t, std::int64_t) override {
    if (++images == 1) std::raise(SIGINT);
  }
  void Finish() override { finished = true; }
  int directories = 0, images = 0;
  bool finished = false;
};

TEST_F(Tree, InterruptStopsTheRunAtTheNextImageAndItsSummaryIsStillWritten) {
  UseCloneSettings();
  for (const char* name : {"1.jpg", "2.jpg", "3.jpg"}) MakeImage(base_ / "A" / name, 50, 50);
  MakeImage(base_ / "B" / "1.jpg", 50, 50);
  Build(1);
  InstallStopRequestHandler();
  StopOnFirstImage progress;
  EXPECT_EQ(Drive(progress), DriverResult::kCancelled);
  EXPECT_EQ(progress.images, 1);
  EXPECT_EQ(progress.directories, 1);
  EXPECT_TRUE(progress.finished);
  EXPECT_EQ(counters_.ClonesWritten, 1);
  EXPECT_TRUE(startup_.CancelRequested);
  for (const auto& node : tree_.nodes()) EXPECT_EQ(node.mark, "checked_alle");
  ClearStopRequest();
}

// What a window hears besides the counts: the file that shows each image
// (its thumbnail) and the closing summary.
class PictureProgress final : public RunProgress {
 public:
  void Start(std::int32_t, std::int32_t, std::int64_t) override {}
  void Text(std::string_view) override {}
  void Directory(std::string_view, std::int32_t) override {}
  void Image(std::int32_t, std::int64_t) override {}
  void Finish() override {}
  bool ShowsPictures() const override { return true; }
  void Picture(const fs::path& original, const fs::path& shown) override { pictures.emplace_back(original, shown); }
  void Summary(std::string_view text) override { summary = text; }
  std::vector<std::pair<fs::path, fs::path>> pictures;
  std::string summary;
};

// The window's stop button: the run stops as after a first Ctrl-C, and the
// next run starts without the old request.
TEST_F(Tree, StopRequestFromTheWindowStopsTheRunAndIsClearedForTheNext) {
  UseCloneSettings();
  for (const char* name : {"1.jpg", "2.jpg"}) MakeImage(base_ / "A" / name, 50, 50);
  Build(1);
  ClearStopRequest();
  RequestStop();
  RequestStop();  // a second request never ends the program
  EXPECT_TRUE(StopRequested());
  PictureProgress stopped;
  EXPECT_EQ(Drive(stopped), DriverResult::kCancelled);
  EXPECT_EQ(counters_.ImagesHandled, 0);
  EXPECT_TRUE(stopped.pictures.empty());
  EXPECT_FALSE(stopped.summary.empty()) << "a stopped run still has its summary";
  ClearStopRequest();
  EXPECT_FALSE(StopRequested());
  startup_.CancelRequested = false;
  PictureProgress progress;
  EXPECT_EQ(Drive(progress), DriverResult::kFinished);
  EXPECT_EQ(counters_.ClonesWritten, 2);
  ASSERT_EQ(progress.pictures.size(), 2u);
  EXPECT_EQ(progress.pictures[0].first, base_ / "A" / "1.jpg");
  EXPECT_EQ(progress.pictures[0].second, out_ / "thumbs" / "A" / "1.jpg") << "the thumbnail, the smallest output";
  EXPECT_NE(progress.summary.find("2"), std::string::npos);
  EXPECT_EQ(progress.summary.find('\r'), std::string::npos) << "lines end in LF for a window";
}

TEST_F(Tree, CloneListEffectsChangeTheClone) {
  UseCloneSettings();
  settings::SetWorkingSetting("THUMBNAILS", "0");
  auto effect = std::make_unique<image::CBildEffekt>();
  effect->SetEffectCode(image::effect_code::kGrayscale);
  settings::WorkingCloneList().Add(std::move(effect));
  fs::create_directories(base_ / "A");
  ASSERT_EQ(std::system(("convert -size 64x64 xc:red '" + (base_ / "A" / "rot.png").string() + "'").c_str()), 0);
  settings::SetWorkingSetting("PNG", "1");
  Build(1);
  SilentProgress progress;
  EXPECT_EQ(Drive(progress), DriverResult::kFinished);
  settings::WorkingCloneList().Clear();
  const std::string gray = test::BatchRun::Identify(out_ / "A" / "rot.jpg");
  EXPECT_EQ(gray.substr(0, 5), "64 64");
  // Red turned grey: the three channels of the clone's pixel agree.
  const std::string command = "convert '" + (out_ / "A" / "rot.jpg").string() +
                              "' -format '%[fx:abs(r-g)<0.05&&abs(g-b)<0.05]' info:";
  std::FILE* pipe = popen(command.c_str(), "r");
  char answer[8] = {};
  ASSERT_NE(pipe, nullptr);
  ASSERT_GT(std::fread(answer, 1, sizeof answer - 1, pipe), 0u);
  pclose(pipe);
  EXPECT_EQ(std::string(answer), "1");
}

// The start button pressed again during a run: a stop request, not a second run.
class PressStartAgain final : public RunProgress {
 public:
  void Start(std::int32_t, std::int32_t, std::int64_t) override {}
  void Text(std::string_view) override {}
  void Directory(std::string_view, std::int32_t) override {}
  void Image(std::int32_t, std::int64_t) override {
    if (++images == 1) second = driver->StartOrStop(Cp1252Text::Ascii("/elsewhere"));
  }
  void Finish() override {}
  RunDriver* driver = nullptr;
  DriverResult second = DriverResult::kFinished;
  int images = 0;
};

TEST_F(Tree, StartDuringARunRequestsTheStop) {
  UseCloneSettings();
  for (const char* name : {"1.jpg", "2.jpg"}) MakeImage(base_ / "A" / name, 50, 50);
  Build(1);
  startup_.DirLevel = 1;
  startup_.BatchMode = true;
  PressStartAgain progress;
  NoPageWriter pages;
  RunDriver driver(startup_, tree_, pages, progress);
  progress.driver = &driver;
  EXPECT_EQ(driver.StartOrStop(Cp1252Text(base_.string())), DriverResult::kCancelled);
  EXPECT_EQ(progress.second, DriverResult::kStopRequested);
  EXPECT_EQ(progress.images, 1);
  EXPECT_FALSE(startup_.BatchMode);
  EXPECT_EQ(driver.state().BaseDir.bytes(), base_.string());
}

TEST_F(Tree, StampPictureThatCannotBeReadRefusesTheRun) {
  UseCloneSettings();
  auto stamp = std::make_unique<image::CImageStamp>();
  stamp->SetName((root_ / "fehlt.png").string());
  settings::WorkingCloneList().Add(std::move(stamp));
  MakeImage(base_ / "A" / "a.jpg", 50, 50);
  Build(1);
  SilentProgress progress;
  EXPECT_EQ(Drive(progress), DriverResult::kCheckFailed);
  settings::WorkingCloneList().Clear();
  ASSERT_EQ(shown_.size(), 1u);
  EXPECT_EQ(shown_[0].key, "ErrImagestamp");
  EXPECT_NE(shown_[0].text.find("fehlt.png"), std::string::npos);
  EXPECT_FALSE(fs::exists(out_ / "A"));
}

}  // namespace
}  // namespace velmora::app
