// From the argument vector to the ready state: parse the command line, open
// the log, load languages and settings, and run batch mode.
#pragma once

namespace velmora {

// The whole program behind main(); returns the process exit status.
int RunProgram(int argc, char** argv);

}  // namespace velmora
