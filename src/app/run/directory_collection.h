// Collecting the run's directories: the checked nodes of the chosen level,
// each scanned for its images; directories without images are dropped.
#pragma once

#include <cstdint>

#include "app/run/run_state.h"

namespace velmora::app {

class ImageScan;
class SelectionTree;

// Fills DirList, DirCount, DirsWithImages, ImageTotal and ByteTotal of
// `state` (reset first) from the tree for `level`.
void CollectDirectories(const SelectionTree& tree, std::int32_t level, const ImageScan& scan, RunState& state);

// The output guard of the collected run: its clone directory, the base
// directory and every collected directory as source folders, its patterns.
OutputGuard GuardOf(const RunState& state);

}  // namespace velmora::app
