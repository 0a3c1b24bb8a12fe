// Applying the clone list.
#include "app/run/prepared_clone_list.h"

#include <variant>

#include "image/clone_list/bild_effekt.h"
#include "image/clone_list/border.h"
#include "image/clone_list/image_stamp.h"
#include "image/effects/apply_image_effect.h"
#include "image/stamps/border.h"
#include "image/stamps/image_stamp.h"

namespace velmora::app {

// A text stamp is drawn by the caller, with the run's scripts.
struct TextStampItem {
  image::CTextStamp stamp;
  int position;
};

struct PreparedCloneList::Step {
  std::variant<image::CBildEffekt, image::PreparedBorder, image::PreparedImageStamp, TextStampItem> work;
};

PreparedCloneList::PreparedCloneList(const image::CCloneEffekte& list, ClonePictures& pictures) {
  int position = 0;
  for (const image::CloneItem& item : list) {
    ++position;
    switch (item.Kind()) {
      case image::CloneItemKind::kEffect:
        steps_.push_back({static_cast<const image::CBildEffekt&>(item)});
        break;
      case image::CloneItemKind::kBorder:
        steps_.push_back({image::PreparedBorder(static_cast<const image::CBorder&>(item), PictureOf(item, pictures))});
        break;
      case image::CloneItemKind::kImageStamp:
        steps_.push_back(
            {image::PreparedImageStamp(static_cast<const image::CImageStamp&>(item), PictureOf(item, pictures))});
        break;
      case image::CloneItemKind::kTextStamp:
        steps_.push_back({TextStampItem{static_cast<const image::CTextStamp&>(item), position}});
        break;
    }
  }
}

PreparedCloneList::~PreparedCloneList() = default;
PreparedCloneList::PreparedCloneList(PreparedCloneList&&) noexcept = default;
PreparedCloneList& PreparedCloneList::operator=(PreparedCloneList&&) noexcept = default;

void PreparedCloneList::Apply(image::RgbBuffer& clone, const TextStampStep& text_stamp) {
  for (Step& step : steps_) {
    if (auto* effect = std::get_if<image::CBildEffekt>(&step.work)) {
      image::ApplyImageEffect(clone, *effect);
    } else if (auto* border = std::get_if<image::PreparedBorder>(&step.work)) {
      border->Apply(clone);
    } else if (auto* stamp = std::get_if<image::PreparedImageStamp>(&step.work)) {
      stamp->Apply(clone);
    } else if (auto* text = std::get_if<TextStampItem>(&step.work)) {
      if (text_stamp) text_stamp(clone, text->stamp, text->position);
    }
  }
}

}  // namespace velmora::app
