// The part every clone-list item class shares: its kind, copying, and profile
// persistence through the class's key table (Derived::ProfileKeyTable()).
#pragma once

#include <memory>

#include "image/clone_list/clone_item.h"
#include "image/clone_list/property_table.h"

namespace velmora::image {

template <class Derived, CloneItemKind kKind>
class TabledCloneItem : public CloneItem {
 public:
  CloneItemKind Kind() const override { return kKind; }
  std::unique_ptr<CloneItem> Clone() const override {
    return std::make_unique<Derived>(static_cast<const Derived&>(*this));
  }
  PropertyResult SetProfileProperty(std::string_view key, std::string_view value) override {
    return SetTableProperty(Derived::ProfileKeyTable(), static_cast<Derived&>(*this), key, value);
  }
  std::vector<std::pair<std::string, std::string>> ProfileProperties() const override {
    return TableProperties(Derived::ProfileKeyTable(), static_cast<const Derived&>(*this));
  }

 protected:
  using CloneItem::CloneItem;
};

}  // namespace velmora::image
