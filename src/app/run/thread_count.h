// How many threads a run uses for its pixel work.
#pragma once

#include <optional>
#include <string_view>

namespace velmora::app {

// The environment variable "VELMORA_THREADS", else the user settings
// store's "threads" value in section "Administration", else every core.
// 1 makes the run work as it always did, on one thread.
int RunThreadCount();

// A thread count as written by a user: a whole number from 1 up (blanks
// around it allowed); more than 64 counts as 64. Nothing for anything else.
std::optional<int> ParseThreadCount(std::string_view text);

}  // namespace velmora::app
