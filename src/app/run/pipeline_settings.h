// The profile's clone and thumbnail settings as the image pipeline's
// options: the one place where setting keys become RLImage's options.
#pragma once

#include "image/pipeline_options.h"

namespace velmora::settings {
class SettingsTable;
}

namespace velmora::app {

// The options for a run with the settings' "GENERATE_CLONES" and
// "THUMBNAILS" switches; `clone_list` says whether the clone list has items
// to apply. The hooks are the caller's to set.
image::PipelineOptions PipelineOptionsOf(const settings::SettingsTable& settings, bool clone_list);

}  // namespace velmora::app
