// The run that batch mode starts once: base directory and selection tree,
// the run driver with the live progress line on a terminal and Ctrl-C as the
// stop request, and the exit status that says how it ended.
#pragma once

#include "app/startup_state.h"

namespace velmora::app {

// Returns the process exit status (see startup.h).
int RunBatch(StartupState& state);

}  // namespace velmora::app
