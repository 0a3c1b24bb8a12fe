// A run started from the window writes exactly what the same run in batch
// mode writes; batch mode needs no display and loads no window plugin.
#include "support/program_run.h"
#include "ui/window_fixture.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

class BatchAndWindow : public WindowTest {};

TEST_F(BatchAndWindow, WriteTheSameFiles) {
  for (int i = 0; i < 3; ++i) MakePhoto(base_ / "Strand" / ("s" + std::to_string(i) + ".jpg"), 640, 480, i);
  for (int i = 0; i < 2; ++i) MakePhoto(base_ / "Berge" / ("b" + std::to_string(i) + ".jpg"), 480, 640, i + 5);
  UseGallerySettings(out_);
  ui::MainWindow& window = OpenWindow(1);
  window.StartOrStop();
  WaitForRunEnd();
  ASSERT_EQ(window.last_run().result, app::DriverResult::kFinished);
  const auto from_window = FilesBelow(out_);
  window_.reset();
  fs::remove_all(out_);

  const ProgramResult batch = RunVelmora(
      {"/Profile=Voreinstellung", "/Basedir=" + base_.string(), "/Level=1", "/GENERATE_CLONES=1",
       "/CLONE_PATH=" + out_.string(), "/CLONE_SIZE=480", "/THUMBNAILS=1", "/THUMB_SIZE=120", "/GENERATE_HTML=1",
       "/GENERATE_INDEX=1"},
      {.environment = {}, .unprivileged = false, .stderr_file = root_ / "batch.err"});
  ASSERT_EQ(batch.status, 0) << batch.errors;
  const auto from_batch = FilesBelow(out_);
  ASSERT_GT(from_batch.size(), 10u);
  ASSERT_EQ(from_window.size(), from_batch.size());
  for (std::size_t i = 0; i < from_batch.size(); ++i) {
    EXPECT_EQ(from_window[i].first, from_batch[i].first);
    EXPECT_TRUE(from_window[i].second == from_batch[i].second) << from_batch[i].first << " differs";
  }
}

// With no display at all and a platform name that no Qt plugin has, the
// batch run still works: it never creates the window's application. The
// same program without batch items fails there, which shows the check bites.
TEST_F(BatchAndWindow, BatchModeNeedsNoDisplay) {
  MakePhoto(base_ / "A" / "a.jpg", 320, 240, 1);
  const std::vector<std::string> no_display = {"DISPLAY=", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM=velmora-none"};
  const ProgramResult batch = RunVelmora({"/Profile=Voreinstellung", "/Basedir=" + base_.string(), "/Level=1",
                                          "/GENERATE_CLONES=1", "/CLONE_PATH=" + out_.string()},
                                         {.environment = no_display, .unprivileged = false, .stderr_file = root_ / "batch.err"});
  EXPECT_EQ(batch.status, 0) << batch.errors;
  EXPECT_TRUE(fs::exists(out_ / "A" / "a.jpg"));
  EXPECT_EQ(batch.errors.find("platform plugin"), std::string::npos) << batch.errors;

  const ProgramResult window = RunVelmora({}, {.environment = no_display, .unprivileged = false, .stderr_file = root_ / "window.err"});
  EXPECT_NE(window.status, 0);
  EXPECT_NE(window.errors.find("velmora-none"), std::string::npos) << window.errors;
}

}  // namespace
}  // namespace velmora::test
