// Clone hooks of a run.
#include "app/run/run_clone_hooks.h"

#include "app/run/run_scripts.h"
#include "settings/profile_data.h"

namespace velmora::app {

bool RunCloneHooks::HasCloneFunction() const { return scripts_.Defines("_clone"); }

void RunCloneHooks::RunCloneFunction(image::RLImage&) { scripts_.CallEntry("_clone"); }

bool RunCloneHooks::HasCloneList() const { return settings::WorkingCloneList().Count() > 0; }

// The items' routines (effects, stamps, borders) belong to the image layer;
// until they are connected the clone list leaves the picture as it is.
void RunCloneHooks::ApplyCloneList(image::RLImage&) {}

}  // namespace velmora::app
