// Ctrl-C, SIGTERM and SIGHUP as the stop request of a run: the first one
// asks the run to stop at its next yield point (it still writes its
// summary); a second one ends the program at once. Every output is written
// under a temporary name, so neither leaves a half-written file.
#pragma once

namespace velmora::app {

// Installs the handler for SIGINT, SIGTERM and SIGHUP (idempotent) and
// forgets earlier stop requests: those that follow belong to the next run.
void InstallStopRequestHandler();
// True once an interrupt arrived since the last Clear.
bool StopRequested();
void ClearStopRequest();
// A stop asked for by a window's stop button or its closing, from any
// thread: the run stops at its next yield point as after a first Ctrl-C,
// and a second request never ends the program.
void RequestStop();

}  // namespace velmora::app
