// Clone hooks of a run.
#include "app/run/run_clone_hooks.h"

#include "platform/log.h"
#include "app/run/run_scripts.h"
#include "image/effects/apply_image_effect.h"
#include "settings/profile_data.h"

namespace velmora::app {

bool RunCloneHooks::HasCloneFunction() const { return scripts_.Defines("_clone"); }

// The drawing built-ins work on the clone while `_clone` runs, and on
// nothing once it has ended (the buffer is the pipeline's).
void RunCloneHooks::RunCloneFunction(image::RgbBuffer& clone) {
  RunImageHost& host = scripts_.image_host();
  host.SetPixels(&clone);
  scripts_.CallEntry("_clone");
  host.SetPixels(nullptr);
}

bool RunCloneHooks::HasCloneList() const { return settings::WorkingCloneList().Count() > 0; }

// Effects change the clone in list order. Text stamps, image stamps and
// borders have no drawing routine in the image layer yet; they are passed
// over (and said so once per run in the log) rather than failing the clone.
void RunCloneHooks::ApplyCloneList(image::RgbBuffer& clone) {
  for (const image::CloneItem& item : settings::WorkingCloneList()) {
    if (item.Kind() == image::CloneItemKind::kEffect) {
      image::ApplyImageEffect(clone, static_cast<const image::CBildEffekt&>(item));
    } else if (!reported_unsupported_) {
      reported_unsupported_ = true;
      WriteLog("Clone list: stamps and borders are not drawn by this build");
    }
  }
}

}  // namespace velmora::app
