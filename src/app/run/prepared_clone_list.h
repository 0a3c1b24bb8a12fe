// The working clone list readied for a run's clones: effects as they are,
// borders and image stamps with their pictures (read once for the run), all
// applied in list order.
#pragma once

#include <functional>
#include <vector>

#include "app/run/clone_pictures.h"
#include "image/clone_list/clone_effekte.h"
#include "image/clone_list/text_stamp.h"
#include "image/rgb_buffer.h"

namespace velmora::app {

class PreparedCloneList {
 public:
  // Draws one text stamp; `position` is the item's place in the list from 1,
  // which names its compiled text (`_stamptext_` + position).
  using TextStampStep = std::function<void(image::RgbBuffer& clone, const image::CTextStamp& stamp, int position)>;

  PreparedCloneList(const image::CCloneEffekte& list, ClonePictures& pictures);
  ~PreparedCloneList();
  PreparedCloneList(PreparedCloneList&&) noexcept;
  PreparedCloneList& operator=(PreparedCloneList&&) noexcept;

  // Every item in list order; an item that changes the size leaves the new
  // buffer for the next. An image stamp without its picture raises its
  // ImageError, which ends the clone.
  void Apply(image::RgbBuffer& clone, const TextStampStep& text_stamp);

 private:
  struct Step;
  std::vector<Step> steps_;
};

}  // namespace velmora::app
