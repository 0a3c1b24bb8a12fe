// A collection keyed by text that ignores letter case and keeps insertion
// order: language sections and keys, the language list and the command-line
// items are all looked up this way.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/cp1252_case.h"

namespace velmora::lang {

// Keys compare in Windows-1252 letter case, umlauts included, so that
// "ÄNDERN" and "ändern" name the same key.
inline std::string FoldCase(std::string_view text) { return Cp1252ToLower(text); }

template <typename T>
class KeyedCollection {
 public:
  std::size_t Count() const { return items_.size(); }
  bool Empty() const { return items_.empty(); }

  // Null when the key is unknown.
  T* Find(std::string_view key) {
    auto found = index_.find(FoldCase(key));
    return found == index_.end() ? nullptr : &items_[found->second].second;
  }
  const T* Find(std::string_view key) const { return const_cast<KeyedCollection*>(this)->Find(key); }

  // Adds the item unless the key exists; returns the item stored under the key
  // and whether it was added.
  std::pair<T*, bool> TryAdd(std::string_view key, T item) {
    auto [position, added] = index_.try_emplace(FoldCase(key), items_.size());
    if (added) items_.emplace_back(std::string(key), std::move(item));
    return {&items_[position->second].second, added};
  }

  // Removes the item (keeping the others in order); false when absent.
  bool Remove(std::string_view key) {
    auto found = index_.find(FoldCase(key));
    if (found == index_.end()) return false;
    const std::size_t removed = found->second;
    index_.erase(found);
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(removed));
    for (auto& [folded, position] : index_) {
      if (position > removed) --position;
    }
    return true;
  }

  // Replaces an existing item by a new one added at the end.
  T& Replace(std::string_view key, T item) {
    Remove(key);
    return *TryAdd(key, std::move(item)).first;
  }

  void Clear() {
    items_.clear();
    index_.clear();
  }

  // Entries in insertion order: the key as first added, and the item.
  const std::vector<std::pair<std::string, T>>& Entries() const { return items_; }
  std::vector<std::pair<std::string, T>>& Entries() { return items_; }

 private:
  std::vector<std::pair<std::string, T>> items_;
  std::unordered_map<std::string, std::size_t> index_;
};

}  // namespace velmora::lang
