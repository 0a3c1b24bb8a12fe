// From the argument vector to the ready state: parse the command line, open
// the log, load languages and settings, and run batch mode.
#pragma once

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

// The whole program behind main(); returns the process exit status.
int RunProgram(int argc, char** argv);

}  // namespace velmora
