// What a batch run would work with, shown while batch mode ends before the run.
#pragma once

#include <string>

#include "app/startup_state.h"

namespace velmora::app {

// Until a run follows batch mode: the effective settings of the run, one
// "KEY=value" line for every setting that differs from the built-in default
// (line breaks in a value shown as "\n"), then base directory and level. UTF-8.
std::string DescribeEffectiveSettings(const StartupState& state);

}  // namespace velmora::app
