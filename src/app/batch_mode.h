// Batch mode: the command line names the profile, the base directory, the
// directory level, the control image and setting overrides.
#pragma once

#include <string>
#include <string_view>

#include "app/command_arguments.h"
#include "app/startup_state.h"

namespace velmora::app {

// Applies and removes every item of the command line (the log file item is
// gone already): selects the profile, sets the start path, level, control
// image and script access in `state`, then overrides settings of the profile. Each problem is
// shown as a message and start-up goes on with the value the message names.
void ApplyBatchArguments(CommandArguments& arguments, StartupState& state);

// The level as given: a whole number 0, 1 or 2; anything else is refused.
bool ParseDirLevel(std::string_view text, std::int32_t& level);

// "1", "T", "W", "TRUE" and "WAHR" switch the control image on, exactly so written.
bool IsControlImageOn(std::string_view text);

}  // namespace velmora::app
