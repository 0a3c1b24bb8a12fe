#include "image/clone_list/clone_item.h"

#include "image/clone_list/bild_effekt.h"
#include "image/clone_list/border.h"
#include "image/clone_list/image_stamp.h"
#include "image/clone_list/text_stamp.h"

namespace velmora::image {
namespace {

// In the order in which a profile key is matched: "STAMP_TEXT" before
// "STAMP_IMAGE", so that the longer prefixes never shadow each other.
struct ItemClass {
  std::string_view prefix;
  std::string_view description_key;
  CloneItemKind kind;
  std::unique_ptr<CloneItem> (*make)();
};

template <class Item>
std::unique_ptr<CloneItem> Make() {
  return std::make_unique<Item>();
}

constexpr ItemClass kClasses[] = {
    {"STAMP_TEXT", "STAMP_TEXT_DESCRIPTION", CloneItemKind::kTextStamp, &Make<CTextStamp>},
    {"STAMP_IMAGE", "STAMP_IMAGE_DESCRIPTION", CloneItemKind::kImageStamp, &Make<CImageStamp>},
    {"BORDER", "BORDER_DESCRIPTION", CloneItemKind::kBorder, &Make<CBorder>},
    {"IMAGE_EFFECT", "IMAGE_EFFECT_DESCRIPTION", CloneItemKind::kEffect, &Make<CBildEffekt>},
};

}  // namespace

CloneItem::~CloneItem() = default;

void CloneItem::SetDescription(std::string description) { Change(description_, std::move(description)); }

bool CloneItem::AppendContinuation(std::string_view) { return false; }

std::unique_ptr<CloneItem> NewCloneItemForDescriptionKey(std::string_view upper_key) {
  for (const auto& c : kClasses) {
    if (upper_key == c.description_key) return c.make();
  }
  return nullptr;
}

std::optional<CloneItemKind> CloneItemKindOfKey(std::string_view upper_key) {
  for (const auto& c : kClasses) {
    if (upper_key.starts_with(c.prefix)) return c.kind;
  }
  return std::nullopt;
}

}  // namespace velmora::image
