// The selection tree of a base directory as a run over it needs it: built
// for the active profile, with the clone directory (when it lies inside the
// photos) left out. Batch mode and the window build it the same way, so a
// run started from either collects the same directories.
#pragma once

#include <cstdint>
#include <string>

#include "app/run/selection_tree.h"

namespace velmora::app {

// The base directory as a run shows it: absolute and without a trailing "/",
// so that the log, the messages and the selection file name the same folder
// wherever the program was started (Windows-1252 in and out).
std::string AbsoluteBaseDir(const std::string& base);

enum class TreeBuild {
  kBuilt,
  kBaseUnavailable,  // no such folder; "ErrBasedirNotAvailable" is the caller's to show
  kFilterFailed,     // the image filter did not compile (its message was shown)
};

// Builds `tree` for `base` (absolute, Windows-1252) and `level` with the
// working settings; the tree is empty unless the result is kBuilt.
TreeBuild BuildRunTree(SelectionTree& tree, const std::string& base, std::int32_t level);

}  // namespace velmora::app
