// Clone hooks of a run.
#include "app/run/run_clone_hooks.h"

#include "platform/log.h"
#include "app/run/run_scripts.h"
#include "image/effects/apply_image_effect.h"
#include "settings/profile_data.h"

namespace velmora::app {

bool RunCloneHooks::HasCloneFunction() const { return scripts_.Defines("_clone"); }

void RunCloneHooks::RunCloneFunction(image::RgbBuffer&) { scripts_.CallEntry("_clone"); }

bool RunCloneHooks::HasCloneList() const { return settings::WorkingCloneList().Count() > 0; }

// Effects and text stamps change the clone in list order; a text stamp's
// script is named by its 1-based list position. Image stamps and borders
// have no drawing routine in the image layer yet; they are passed over (and
// said so once per run in the log) rather than failing the clone.
void RunCloneHooks::ApplyCloneList(image::RgbBuffer& clone) {
  int position = 0;
  for (const image::CloneItem& item : settings::WorkingCloneList()) {
    ++position;
    if (item.Kind() == image::CloneItemKind::kEffect) {
      image::ApplyImageEffect(clone, static_cast<const image::CBildEffekt&>(item));
    } else if (item.Kind() == image::CloneItemKind::kTextStamp) {
      text_stamps_.Apply(clone, static_cast<const image::CTextStamp&>(item), position);
    } else if (!reported_unsupported_) {
      reported_unsupported_ = true;
      WriteLog("Clone list: image stamps and borders are not drawn by this build");
    }
  }
}

}  // namespace velmora::app
