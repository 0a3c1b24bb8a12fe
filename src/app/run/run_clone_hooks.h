// The run's side of the clone pipeline's hooks: the `_clone` script function
// and the profile's clone list.
#pragma once

#include <memory>

#include "app/run/clone_pictures.h"
#include "app/run/prepared_clone_list.h"
#include "app/run/run_text_stamps.h"
#include "image/clone_hooks.h"

namespace velmora::app {

class RunScripts;

class RunCloneHooks final : public image::CloneHooks {
 public:
  explicit RunCloneHooks(RunScripts& scripts);
  ~RunCloneHooks() override;

  bool HasCloneFunction() const override;
  void RunCloneFunction(image::RgbBuffer& clone) override;
  void ApplyCloneList(image::RgbBuffer& clone) override;

  // True when the working clone list has items to apply.
  bool HasCloneList() const;

  // Readies the working clone list for the run's clones, with the stamp and
  // frame pictures `pictures` holds (the ones the run's checks read) or
  // reads them now when it is null. Called before the first clone; without
  // it the first clone does it.
  void PrepareCloneList(std::shared_ptr<ClonePictures> pictures);

 private:
  RunScripts& scripts_;
  RunTextStamps text_stamps_;
  std::shared_ptr<ClonePictures> pictures_;
  std::unique_ptr<PreparedCloneList> prepared_;
};

}  // namespace velmora::app
