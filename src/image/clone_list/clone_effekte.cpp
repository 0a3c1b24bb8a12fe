#include "image/clone_list/clone_effekte.h"

#include <algorithm>
#include <utility>

namespace velmora::image {

CCloneEffekte::CCloneEffekte(const CCloneEffekte& other) : list_changed_(other.list_changed_) {
  items_.reserve(other.items_.size());
  for (const auto& item : other.items_) items_.push_back(item->Clone());
}

CCloneEffekte& CCloneEffekte::operator=(const CCloneEffekte& other) {
  if (this != &other) *this = CCloneEffekte(other);
  return *this;
}

void CCloneEffekte::Add(std::unique_ptr<CloneItem> item) {
  if (!item) return;
  items_.push_back(std::move(item));
  list_changed_ = true;
}

bool CCloneEffekte::Remove(int pos) {
  if (!ValidPos(pos)) return false;
  items_.erase(items_.begin() + (pos - 1));
  list_changed_ = true;
  return true;
}

bool CCloneEffekte::MoveUp(int pos) {
  if (!ValidPos(pos) || pos == 1) return false;
  std::swap(items_[pos - 1], items_[pos - 2]);
  list_changed_ = true;
  return true;
}

bool CCloneEffekte::MoveDown(int pos) {
  if (!ValidPos(pos) || pos == Count()) return false;
  std::swap(items_[pos - 1], items_[pos]);
  list_changed_ = true;
  return true;
}

CloneItem* CCloneEffekte::Item(int pos) { return ValidPos(pos) ? items_[pos - 1].get() : nullptr; }

const CloneItem* CCloneEffekte::Item(int pos) const { return ValidPos(pos) ? items_[pos - 1].get() : nullptr; }

void CCloneEffekte::Clear() {
  if (items_.empty()) return;
  items_.clear();
  list_changed_ = true;
}

bool CCloneEffekte::Changed() const {
  return list_changed_ || std::any_of(items_.begin(), items_.end(), [](const auto& i) { return i->Changed(); });
}

void CCloneEffekte::ResetChanged() {
  list_changed_ = false;
  for (auto& item : items_) item->ResetChanged();
}

}  // namespace velmora::image
