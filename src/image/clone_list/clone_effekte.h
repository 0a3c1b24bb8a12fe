// CCloneEffekte: the ordered list of effects, stamps and borders that every clone
// goes through. It owns its items; copies are deep.
#pragma once

#include <memory>
#include <vector>

#include "image/clone_list/clone_item.h"

namespace velmora::image {

class CCloneEffekte {
 public:
  using Items = std::vector<std::unique_ptr<CloneItem>>;

  // Walks the items in list order as const CloneItem&.
  class const_iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = CloneItem;
    using difference_type = std::ptrdiff_t;
    using pointer = const CloneItem*;
    using reference = const CloneItem&;

    const_iterator() = default;
    explicit const_iterator(Items::const_iterator at) : at_(at) {}
    reference operator*() const { return **at_; }
    pointer operator->() const { return at_->get(); }
    const_iterator& operator++() { ++at_; return *this; }
    const_iterator operator++(int) { auto old = *this; ++at_; return old; }
    friend bool operator==(const const_iterator&, const const_iterator&) = default;

   private:
    Items::const_iterator at_;
  };

  CCloneEffekte() = default;
  CCloneEffekte(const CCloneEffekte& other);
  CCloneEffekte& operator=(const CCloneEffekte& other);
  CCloneEffekte(CCloneEffekte&&) noexcept = default;
  CCloneEffekte& operator=(CCloneEffekte&&) noexcept = default;

  // A deep copy; items keep their "changed" marks.
  CCloneEffekte Clone() const { return *this; }

  // Appends the item (a null item is ignored).
  void Add(std::unique_ptr<CloneItem> item);
  // Positions count from 1; a position outside the list changes nothing and returns false.
  bool Remove(int pos);
  bool MoveUp(int pos);    // swaps with the item before; false for the first
  bool MoveDown(int pos);  // swaps with the item after; false for the last
  CloneItem* Item(int pos);
  const CloneItem* Item(int pos) const;
  int Count() const { return static_cast<int>(items_.size()); }
  void Clear();

  // True when items were added, removed or moved, or any item changed.
  bool Changed() const;
  void ResetChanged();

  const_iterator begin() const { return const_iterator(items_.begin()); }
  const_iterator end() const { return const_iterator(items_.end()); }

 private:
  bool ValidPos(int pos) const { return pos >= 1 && pos <= Count(); }

  Items items_;
  bool list_changed_ = false;
};

}  // namespace velmora::image
