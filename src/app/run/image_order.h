// The order of a directory's images on its pages, decided in the first pass
// so that names numbered by a rename mask follow the order the pages show.
#pragma once

#include "app/run/run_state.h"

namespace velmora::app {

// Puts the images of `directory` into the order of "THUMB_SORTIERUNG"
// (`mode`) and "THUMB_SORTIERRICHTUNG" (`direction`). Sorting by dimension
// reads the size of every image not yet known, upright when `auto_orient`
// (as the pages will show it); a file whose size cannot be read sorts as
// 0 x 0 and is reported when the main pass reaches it.
void SortDirectoryImages(RunDirectory& directory, int mode, int direction, bool auto_orient);

}  // namespace velmora::app
