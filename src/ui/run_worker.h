// One run of the run driver on its own thread, exactly as batch mode runs
// it (the same driver, page writer and selection), with the window's
// progress and the stop request of the stop button.
#pragma once

#include <QObject>
#include <QPointer>
#include <QThread>
#include <filesystem>
#include <memory>
#include <string>

#include "app/run/generation_run.h"
#include "app/run/run_driver.h"
#include "app/run/selection_tree.h"
#include "app/startup_state.h"
#include "ui/window_progress.h"

namespace velmora::ui {

struct RunOutcome {
  app::DriverResult result = app::DriverResult::kCheckFailed;
  app::RunCounters counters;
  std::filesystem::path start_document;  // the gallery's start page; empty when none was written
  app::SelectionTree tree;               // the run's tree with its closing marks
};

class RunWorker : public QObject {
  Q_OBJECT

 public:
  explicit RunWorker(app::StartupState& startup, QObject* parent = nullptr);
  // A run still going is asked to stop and waited for.
  ~RunWorker() override;

  // Starts a run over `base` (absolute, Windows-1252) with a copy of `tree`;
  // false when one is running already.
  bool Start(const std::string& base, const app::SelectionTree& tree);
  // Asks the run to stop after the current image; any thread.
  void RequestStop();
  bool running() const { return thread_ != nullptr; }
  // The progress of the current or last run.
  ProgressSnapshot Progress() const;
  // The outcome of the last run (valid after `finished`).
  const RunOutcome& outcome() const { return outcome_; }

 signals:
  void finished();

 private:
  app::StartupState& startup_;
  std::unique_ptr<WindowProgress> progress_;
  RunOutcome outcome_;
  QPointer<QThread> thread_;
};

}  // namespace velmora::ui
