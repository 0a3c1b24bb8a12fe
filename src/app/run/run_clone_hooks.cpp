// Clone hooks of a run.
#include "app/run/run_clone_hooks.h"

#include "platform/log.h"
#include "app/run/run_scripts.h"
#include "settings/profile_data.h"

namespace velmora::app {

RunCloneHooks::RunCloneHooks(RunScripts& scripts) : scripts_(scripts) {}

RunCloneHooks::~RunCloneHooks() = default;

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

void RunCloneHooks::PrepareCloneList(std::shared_ptr<ClonePictures> pictures) {
  pictures_ = pictures != nullptr ? std::move(pictures) : std::make_shared<ClonePictures>();
  prepared_ = std::make_unique<PreparedCloneList>(settings::WorkingCloneList(), *pictures_);
}

void RunCloneHooks::ApplyCloneList(image::RgbBuffer& clone) {
  if (prepared_ == nullptr) PrepareCloneList(nullptr);
  prepared_->Apply(clone, [this](image::RgbBuffer& c, const image::CTextStamp& stamp, int position) {
    DrawTextStamp(c, stamp, position);
  });
}

// Text stamps have no drawing routine in this build yet; they are passed
// over (and said so once per run in the log) rather than failing the clone.
void RunCloneHooks::DrawTextStamp(image::RgbBuffer&, const image::CTextStamp&, int) {
  if (reported_text_stamps_) return;
  reported_text_stamps_ = true;
  WriteLog("Clone list: text stamps are not drawn by this build");
}

}  // namespace velmora::app
