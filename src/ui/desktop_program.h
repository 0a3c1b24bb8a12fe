// The program with its window: what runs when the command line holds no
// batch items. Only here is the Qt application (and with it a platform
// plugin and a display connection) created.
#pragma once

#include "app/startup_state.h"

namespace velmora::ui {

// Opens the main window and runs until it closes; returns the exit status.
int RunDesktop(int& argc, char** argv, app::StartupState& state);

}  // namespace velmora::ui
