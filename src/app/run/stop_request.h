// Ctrl-C as the stop request of a run: the first interrupt asks the run to
// stop at its next yield point (it still writes its summary); a second one
// ends the program at once.
#pragma once

namespace velmora::app {

// Installs the SIGINT handler (idempotent).
void InstallStopRequestHandler();
// True once an interrupt arrived since the last Clear.
bool StopRequested();
void ClearStopRequest();

}  // namespace velmora::app
