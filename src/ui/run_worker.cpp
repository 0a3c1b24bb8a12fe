// The run on its own thread.
#include "ui/run_worker.h"

#include "app/run/gallery_page_writer.h"
#include "app/run/stop_request.h"
#include "ui/background_thread.h"

namespace velmora::ui {

RunWorker::RunWorker(app::StartupState& startup, QObject* parent)
    : QObject(parent), startup_(startup), progress_(std::make_unique<WindowProgress>()) {}

RunWorker::~RunWorker() {
  // Whoever listened may be half gone by now.
  disconnect(this, &RunWorker::finished, nullptr, nullptr);
  if (thread_ != nullptr) {
    app::RequestStop();
    WaitForBackground(thread_);
  }
}

bool RunWorker::Start(const std::string& base, const app::SelectionTree& tree) {
  if (thread_ != nullptr) return false;
  progress_ = std::make_unique<WindowProgress>();
  outcome_ = RunOutcome();
  outcome_.tree = tree;
  // A stop pressed during an earlier run belongs to that run.
  app::ClearStopRequest();
  startup_.CancelRequested = false;
  startup_.BatchMode = false;
  thread_ = StartBackground(
      this,
      [this, base] {
        app::GalleryPageWriter pages(startup_);
        app::RunDriver driver(startup_, outcome_.tree, pages, *progress_);
        pages.Follow(driver.state());
        outcome_.result = driver.StartOrStop(Cp1252Text(base));
        outcome_.counters = driver.counters();
        outcome_.start_document = pages.StartDocument();
      },
      [this] {
        thread_ = nullptr;
        emit finished();
      });
  return true;
}

void RunWorker::RequestStop() { app::RequestStop(); }

ProgressSnapshot RunWorker::Progress() const { return progress_->Snapshot(); }

}  // namespace velmora::ui
