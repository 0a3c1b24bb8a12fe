// The run driver: the one operation behind batch mode (and a start button):
// checks, script compilation, directory collection, then the generation run.
#pragma once

#include <string>

#include "app/run/generation_run.h"
#include "app/run/page_writer.h"
#include "app/run/progress_line.h"
#include "app/run/run_state.h"
#include "app/run/selection_tree.h"
#include "app/startup_state.h"

namespace velmora::app {

enum class DriverResult {
  kStopRequested,  // called during a run: the stop was requested
  kCheckFailed,    // a check or a compilation failed after its message; no output touched
  kFinished,
  kCancelled,
  kRunFailed,      // the generation run ended in its preparation
};

class RunDriver {
 public:
  RunDriver(StartupState& startup, SelectionTree& tree, PageWriter& pages, RunProgress& progress)
      : startup_(startup), tree_(tree), pages_(pages), progress_(progress) {}

  // Starts a run over `base_dir` with the working settings, or requests a
  // stop when one is running.
  DriverResult StartOrStop(const Cp1252Text& base_dir);

  const RunState& state() const { return state_; }
  const RunCounters& counters() const { return counters_; }

 private:
  DriverResult Start();

  StartupState& startup_;
  SelectionTree& tree_;
  PageWriter& pages_;
  RunProgress& progress_;
  RunState state_;
  RunCounters counters_;
};

}  // namespace velmora::app
