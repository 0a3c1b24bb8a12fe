// The generation run: from the directory list of the run driver to clones,
// thumbnails and (through a PageWriter) pages, in five phases: preparation,
// first pass, run context with `_init`, main pass, closing summary.
#pragma once

#include <cstdint>

#include "app/run/page_writer.h"
#include "app/run/progress_line.h"
#include "app/run/run_scripts.h"
#include "app/run/run_state.h"
#include "app/run/selection_tree.h"
#include "app/startup_state.h"

namespace velmora::app {

enum class RunEnd {
  kFinished,
  kCancelled,  // a stop request or Cancel on an image error; the summary was written
  kFailed,     // preparation failed after its message; nothing was written
};

struct RunCounters {
  std::int32_t ClonesWritten = 0;
  std::int32_t ThumbsWritten = 0;
  std::int32_t HtmlWritten = 0;
  std::int32_t ImagesDone = 0;     // images of the run after the first pass
  std::int32_t ImagesHandled = 0;  // images the main pass reached
  std::int32_t ImageErrors = 0;
};

struct GenerationRun {
  RunState& state;
  SelectionTree& tree;
  RunScripts& scripts;
  PageWriter& pages;
  RunProgress& progress;
  StartupState& startup;
  RunCounters counters{};

  RunEnd Run();
};

}  // namespace velmora::app
