// Clone hooks of a run.
#include "app/run/run_clone_hooks.h"

#include "app/run/run_scripts.h"
#include "settings/profile_data.h"

namespace velmora::app {

RunCloneHooks::RunCloneHooks(RunScripts& scripts) : scripts_(scripts), text_stamps_(scripts) {}

RunCloneHooks::~RunCloneHooks() = default;

bool RunCloneHooks::HasCloneFunction() const { return scripts_.Defines("_clone"); }

void RunCloneHooks::RunCloneFunction(image::RgbBuffer& clone) {
  const ClonePixelsInUse in_use(scripts_.image_host(), clone);
  scripts_.CallEntry("_clone");
}

bool RunCloneHooks::HasCloneList() const { return settings::WorkingCloneList().Count() > 0; }

void RunCloneHooks::PrepareCloneList(std::shared_ptr<ClonePictures> pictures) {
  pictures_ = pictures != nullptr ? std::move(pictures) : std::make_shared<ClonePictures>();
  prepared_ = std::make_unique<PreparedCloneList>(settings::WorkingCloneList(), *pictures_);
}

// Effects, borders, image stamps and text stamps change the clone in list
// order; a text stamp's script is named by its 1-based list position.
void RunCloneHooks::ApplyCloneList(image::RgbBuffer& clone) {
  if (prepared_ == nullptr) PrepareCloneList(nullptr);
  prepared_->Apply(clone, [this](image::RgbBuffer& c, const image::CTextStamp& stamp, int position) {
    text_stamps_.Apply(c, stamp, position);
  });
}

}  // namespace velmora::app
