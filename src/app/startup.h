// From the argument vector to the ready state: parse the command line, open
// the log, load languages and settings, and run batch mode.
#pragma once

#include <functional>

namespace velmora {

// Exit status of the program, for scripts and CI.
enum ExitStatus : int {
  kExitOk = 0,
  kExitRunFailed = 1,         // a check or the run failed
  kExitCommandLineError = 2,  // the command line did not parse or the log could not be created
  // Batch mode finished, but messages were shown on the way: whoever started
  // the run should read them (stderr or the log).
  kExitMessagesShown = 3,
  // The run was stopped (Ctrl-C, SIGTERM, SIGHUP, or Cancel on an image
  // error) before its end.
  kExitCancelled = 130,
};

namespace app {
struct StartupState;
}

// What the program does when the command line holds no batch items (a log
// file alone counts as none): it gets the state start-up prepared and
// returns the exit status. The desktop window plugs in here, so that the
// core never depends on it.
using InteractiveProgram = std::function<int(app::StartupState&)>;

// The whole program behind main(); returns the process exit status. Without
// `interactive` a call without batch items prints the usage.
int RunProgram(int argc, char** argv, const InteractiveProgram& interactive = {});

}  // namespace velmora
