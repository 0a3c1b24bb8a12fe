// The one start-up state of the program.
#include "app/startup_state.h"

namespace velmora::app {

StartupState& ProgramStartupState() {
  static StartupState state;
  return state;
}

}  // namespace velmora::app
