// The program-wide start-up state: what the command line or the last session
// decided about the run. One instance for the whole program.
#pragma once

#include <cstdint>
#include <string>

namespace velmora::app {

struct StartupState {
  // The command line held an argument besides "Logfile"; cleared when a run
  // is cancelled.
  bool BatchMode = false;
  // A stop was requested during a run.
  bool CancelRequested = false;
  // 0 = images in the base directory, 1 = in its subdirectories, 2 = one level deeper.
  std::int32_t DirLevel = 0;
  // Show each processed image as a control image (only where a preview exists).
  bool ControlImage = false;
  // The base directory the program starts with (Windows-1252).
  std::string StartPath;
  // "/ScriptAccess" of the command line for this run: "full", "restricted",
  // or empty for what the user settings store says.
  std::string ScriptAccess;
};

StartupState& ProgramStartupState();

}  // namespace velmora::app
