// The run's side of the clone pipeline's hooks: the `_clone` script function
// and the profile's clone list.
#pragma once

#include "app/run/run_text_stamps.h"
#include "image/clone_hooks.h"

namespace velmora::app {

class RunScripts;

class RunCloneHooks final : public image::CloneHooks {
 public:
  explicit RunCloneHooks(RunScripts& scripts) : scripts_(scripts), text_stamps_(scripts) {}

  bool HasCloneFunction() const override;
  void RunCloneFunction(image::RgbBuffer& clone) override;
  void ApplyCloneList(image::RgbBuffer& clone) override;

  // True when the working clone list has items to apply.
  bool HasCloneList() const;

 private:
  RunScripts& scripts_;
  RunTextStamps text_stamps_;
  bool reported_unsupported_ = false;
};

}  // namespace velmora::app
