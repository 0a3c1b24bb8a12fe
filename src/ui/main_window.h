// The main window: base directory (chooser and recent list), level, profile,
// the selection tree, the start/stop button and the run panel. The window
// is named "Startdialog" like its language section.
#pragma once

#include <QMainWindow>
#include <filesystem>
#include <QTimer>
#include <memory>
#include <string>

#include "app/startup_state.h"
#include "ui/message_boxes.h"
#include "ui/run_worker.h"
#include "ui/tree_builder.h"
#include "ui/window_session.h"

class QComboBox;
class QLabel;
class QPushButton;
class QSplitter;

namespace velmora::ui {

class RunPanel;
class SelectionView;
class WindowMenus;

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(app::StartupState& startup, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Makes `path` (a folder name as the desktop gives it) the base directory
  // and builds its tree in the background; false when the name cannot be
  // used (its message was shown).
  bool SetBaseDirectory(const QString& path);
  void SetLevel(int level);
  // The start button: starts a run, or asks the running one to stop.
  void StartOrStop();

  const std::string& base() const { return base_; }
  bool running() const { return worker_->running(); }
  bool building() const { return builder_->busy(); }
  SelectionView* selection_view() const { return view_; }
  RunPanel* run_panel() const { return panel_; }
  QPushButton* start_button() const { return start_; }
  QComboBox* level_chooser() const { return level_; }
  QComboBox* profile_chooser() const { return profile_; }
  app::SelectionTree& tree() { return builder_->tree(); }
  const RunOutcome& last_run() const { return worker_->outcome(); }

 signals:
  void treeShown();
  void runFinished();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildTree();
  void OnTreeBuilt();
  void OnRunFinished();
  void PollProgress();
  void FillProfiles();
  void FillLevels();
  void FillHistory();
  void OnProfileChosen(int index);
  void OnProfileChanged();
  void OnLanguageChanged();
  void ChooseBaseDirectory();
  void UpdateControls();
  void ShowTreeStatus();
  void SaveSelection();
  // The first ticked folder with photos, native; empty while counting or when none is.
  std::filesystem::path FirstTickedFolder() const;
  void RestoreSession();
  void StoreSession();

  app::StartupState& startup_;
  // Declared before the message boxes, so destroyed after them: a run that
  // still asks gets its default answer while the window waits for it.
  RunWorker* worker_;
  TreeBuilder* builder_;
  std::unique_ptr<MessageBoxes> messages_;
  WindowSession session_;
  std::string base_;
  QComboBox* base_chooser_;
  QPushButton* browse_;
  QComboBox* level_;
  QComboBox* profile_;
  QPushButton* start_;
  QSplitter* splitter_;
  SelectionView* view_;
  RunPanel* panel_;
  QLabel* status_;
  WindowMenus* menus_;
  QTimer poll_;
  bool filling_ = false;
};

}  // namespace velmora::ui
