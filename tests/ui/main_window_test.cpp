// The main window driven as a user drives it: choose a tree, untick a
// folder, start, watch, stop, start again, open the gallery.
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTreeWidgetItem>

#include "app/run/selection_tree.h"
#include "platform/native_path.h"
#include "settings/user_settings.h"
#include "settings/working_settings.h"
#include "ui/run_panel.h"
#include "ui/selection_view.h"
#include "ui/window_fixture.h"
#include "ui/window_menus.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

class MainWindowTest : public WindowTest {
 protected:
  // Clones at nearly full size take long enough to watch and stop the run.
  void UseSlowGallerySettings() {
    UseGallerySettings(out_);
    settings::SetWorkingSetting("CLONE_SIZE", "2200");
    settings::SetWorkingSetting("CLONE_QUALITY", "95");
  }
};

TEST_F(MainWindowTest, UntickStartStopStartAndOpenTheGallery) {
  for (int i = 0; i < 14; ++i) MakePhoto(base_ / "Anreise" / ("a" + std::to_string(i) + ".jpg"), 2400, 1800, i);
  for (int i = 0; i < 2; ++i) MakePhoto(base_ / "Baustelle" / ("b" + std::to_string(i) + ".jpg"), 320, 240, i);
  for (int i = 0; i < 4; ++i) MakePhoto(base_ / "Cafe" / ("c" + std::to_string(i) + ".jpg"), 800, 600, i);
  UseSlowGallerySettings();
  ui::MainWindow& window = OpenWindow(1);
  ui::SelectionView* view = window.selection_view();

  // The counts are shown per folder, and every folder starts ticked.
  const int anreise = view->FindRelative("Anreise");
  const int baustelle = view->FindRelative("Baustelle");
  ASSERT_GE(anreise, 0);
  ASSERT_GE(baustelle, 0);
  EXPECT_EQ(view->ItemOf(anreise)->text(0), "Anreise (14)");
  EXPECT_EQ(view->ItemOf(baustelle)->text(0), "Baustelle (2)");
  EXPECT_EQ(view->ItemOf(baustelle)->checkState(0), Qt::Checked);

  // Unticking a folder is remembered in the base folder's selection file at once.
  view->ItemOf(baustelle)->setCheckState(0, Qt::Unchecked);
  EXPECT_FALSE(window.tree().node(baustelle).checked);
  const fs::path selection = base_ / "Voreinstellung.vls";
  ASSERT_TRUE(fs::exists(selection));
  EXPECT_EQ(ReadFile(selection), (base_ / "Baustelle").string() + "\r\n");

  // Start: the preview and the progress change while the run goes.
  ASSERT_TRUE(window.start_button()->isEnabled());
  QTest::mouseClick(window.start_button(), Qt::LeftButton);
  ASSERT_TRUE(window.running());
  EXPECT_FALSE(window.selection_view()->ItemOf(anreise)->icon(0).isNull()) << "folders of the run carry a mark";
  ui::RunPanel* panel = window.run_panel();
  ASSERT_TRUE(QTest::qWaitFor([panel] { return panel->PreviewNumber() >= 1 && panel->HasPreview(); }, 60000));
  const QString first = panel->ProgressText();
  EXPECT_TRUE(first.contains("Verzeichnis 1 von 2: Anreise")) << first.toStdString();
  ASSERT_TRUE(QTest::qWaitFor([panel, &first] { return panel->ProgressText() != first; }, 60000));
  EXPECT_EQ(window.start_button()->text(), "Stopp");

  // Stop: the run ends after the current image, with its summary.
  QTest::mouseClick(window.start_button(), Qt::LeftButton);
  WaitForRunEnd();
  EXPECT_EQ(window.last_run().result, app::DriverResult::kCancelled);
  EXPECT_LT(window.last_run().counters.ImagesHandled, 18);
  EXPECT_FALSE(panel->SummaryText().isEmpty());
  EXPECT_EQ(window.start_button()->text(), "Start");

  // Start again: this time to the end.
  QTest::mouseClick(window.start_button(), Qt::LeftButton);
  WaitForRunEnd();
  EXPECT_EQ(window.last_run().result, app::DriverResult::kFinished);
  EXPECT_EQ(window.last_run().counters.ImagesDone, 18);
  EXPECT_TRUE(panel->SummaryText().contains("18")) << panel->SummaryText().toStdString();
  EXPECT_EQ(view->ItemOf(anreise)->checkState(0), Qt::Checked);
  EXPECT_EQ(window.tree().node(anreise).mark, app::kMarkNeutral);
  EXPECT_TRUE(fs::exists(out_ / "Anreise" / "a0.jpg"));
  EXPECT_TRUE(fs::exists(out_ / "Cafe" / "c3.jpg"));
  EXPECT_FALSE(fs::exists(out_ / "Baustelle")) << "the unticked folder is left out";

  // The summary's button opens the gallery's start page.
  ASSERT_TRUE(panel->OpenGalleryButton()->isEnabled());
  QTest::mouseClick(panel->OpenGalleryButton(), Qt::LeftButton);
  ASSERT_EQ(opened_.size(), 1u);
  EXPECT_TRUE(opened_[0].isLocalFile());
  EXPECT_TRUE(fs::exists(opened_[0].toLocalFile().toStdString())) << opened_[0].toString().toStdString();
  EXPECT_TRUE(messages_.empty()) << messages_.front();

  // A new window over the same folder finds the folder unticked again.
  window_.reset();
  ui::MainWindow& again = OpenWindow(1);
  EXPECT_EQ(again.selection_view()->ItemOf(again.selection_view()->FindRelative("Baustelle"))->checkState(0),
            Qt::Unchecked);
}

// The window keeps handling events while a run goes: a timer that should
// tick every 20 ms never waits long.
TEST_F(MainWindowTest, StaysResponsiveDuringARun) {
  for (int i = 0; i < 8; ++i) MakePhoto(base_ / "A" / ("a" + std::to_string(i) + ".jpg"), 1600, 1200, i);
  UseGallerySettings(out_);
  ui::MainWindow& window = OpenWindow(1);
  QElapsedTimer clock;
  qint64 last = 0, longest = 0;
  QTimer ticker;
  ticker.setInterval(20);
  QObject::connect(&ticker, &QTimer::timeout, [&] {
    longest = std::max(longest, clock.elapsed() - last);
    last = clock.elapsed();
  });
  clock.start();
  ticker.start();
  window.StartOrStop();
  WaitForRunEnd();
  ticker.stop();
  EXPECT_EQ(window.last_run().result, app::DriverResult::kFinished);
  EXPECT_LT(longest, 400) << "the window froze for " << longest << " ms";
}

TEST_F(MainWindowTest, ClosingDuringARunOnlyStopsIt) {
  for (int i = 0; i < 12; ++i) MakePhoto(base_ / "A" / ("a" + std::to_string(i) + ".jpg"), 2400, 1800, i);
  UseSlowGallerySettings();
  ui::MainWindow& window = OpenWindow(1);
  window.StartOrStop();
  ASSERT_TRUE(QTest::qWaitFor([&window] { return window.run_panel()->PreviewNumber() >= 1; }, 60000));
  EXPECT_FALSE(window.close()) << "the window stays open to show the summary";
  WaitForRunEnd();
  EXPECT_EQ(window.last_run().result, app::DriverResult::kCancelled);
  EXPECT_TRUE(window.isVisible());
}

TEST_F(MainWindowTest, SwitchingToEnglishRelabelsTheOpenWindow) {
  MakePhoto(base_ / "A" / "a.jpg", 64, 48, 1);
  ui::MainWindow& window = OpenWindow(1);
  const auto label_texts = [&window] {
    QStringList texts;
    for (QLabel* label : window.findChildren<QLabel*>()) texts << label->text();
    return texts;
  };
  EXPECT_TRUE(label_texts().contains("Basisverzeichnis"));
  EXPECT_EQ(window.level_chooser()->itemText(1), "Bilder in den Unterverzeichnissen");
  QMenu* languages = window.findChild<ui::WindowMenus*>()->language_menu();
  QAction* english = nullptr;
  QAction* german = nullptr;
  for (QAction* action : languages->actions()) {
    if (action->data().toString() == "en") english = action;
    if (action->data().toString() == "de") german = action;
  }
  ASSERT_NE(english, nullptr);
  ASSERT_NE(german, nullptr);
  english->trigger();
  WaitForTree();
  EXPECT_TRUE(label_texts().contains("Base directory"));
  EXPECT_EQ(window.level_chooser()->itemText(1), "Images in the subdirectories");
  EXPECT_EQ(window.level_chooser()->currentIndex(), 1) << "relabelling keeps the choice";
  EXPECT_EQ(languages->title(), "Language");
  EXPECT_EQ(settings::ReadUserSetting("Administration", "language"), "en");
  german->trigger();
  WaitForTree();
  EXPECT_TRUE(label_texts().contains("Basisverzeichnis"));
}

TEST_F(MainWindowTest, TheNextWindowComesBackWithTheLastSession) {
  MakePhoto(base_ / "A" / "B" / "a.jpg", 64, 48, 1);
  ui::MainWindow& window = OpenWindow(2);
  window.resize(760, 580);
  ASSERT_TRUE(window.close());
  window_.reset();
  window_ = std::make_unique<ui::MainWindow>(app::ProgramStartupState());
  WaitForTree();
  EXPECT_EQ(window_->base(), base_.string());
  EXPECT_EQ(window_->level_chooser()->currentIndex(), 2);
  EXPECT_EQ(window_->size(), QSize(760, 580));
  ASSERT_EQ(window_->tree().nodes().size(), 3u) << "base, A and A/B at level 2";
}

TEST_F(MainWindowTest, AFolderThatCannotBeUsedIsRefusedWithItsMessage) {
  MakePhoto(base_ / "A" / "a.jpg", 64, 48, 1);
  ui::MainWindow& window = OpenWindow(1);
  EXPECT_FALSE(window.SetBaseDirectory(QString::fromStdString((root_ / "fehlt").string())));
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_NE(messages_[0].find("fehlt"), std::string::npos);
  EXPECT_EQ(window.base(), base_.string()) << "the last good folder stays";
}

}  // namespace
}  // namespace velmora::test
