// The names of the image pages. Image pages share their folder with each
// other and, at some levels, with the thumbnail, index and frame pages:
// a.jpg and a.png, or a photo called "index", would overwrite another page.
#pragma once

#include "app/run/page_writer.h"
#include "app/run/run_state.h"

namespace velmora::settings {
class SettingsTable;
}

namespace velmora::app {

// Gives every image of the run its page name: its clone's name (the
// original's without clones). With image pages on, a name that another
// image page or a thumbnail, index or frame page of the same folder has
// already taken gets the suffix a clashing clone name gets; every link
// reads the name from here. `dir_level` is the run's level (0 to 2).
void NameImagePages(RunState& state, const settings::SettingsTable& settings, const PageKinds& kinds, bool clones,
                    int dir_level);

}  // namespace velmora::app
