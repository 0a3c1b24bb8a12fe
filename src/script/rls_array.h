// RLSArray: the script's associative array. Elements are kept sorted by key in
// natural order (digit runs by numeric value, other runs without regard to
// case); keys are stored lower-cased and matched without regard to case.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/natural_compare.h"
#include "script/value.h"

namespace velmora::script {

struct ArrayRep {
  std::uint32_t refs = 0;
  std::vector<ElementRep*> elements;  // each holds one reference

  ArrayRep() = default;
  ArrayRep(const ArrayRep&) = delete;
  ArrayRep& operator=(const ArrayRep&) = delete;
  ~ArrayRep() { Clear(); }

  std::size_t Count() const { return elements.size(); }
  // 1-based position; null outside.
  ElementRep* At(std::int64_t position) const;
  ElementRep* Find(std::string_view key) const;
  // The element with that key, inserted empty when missing.
  ElementRep* FindOrInsert(std::string_view key);
  // Inserts or replaces the element with that key.
  void Set(std::string_view key, Value value);
  bool RemoveAt(std::int64_t position);
  bool Remove(std::string_view key);
  void Clear();
  // A copy with new elements of the same keys and values; nested arrays
  // are shared (copy-on-write).
  ArrayRep* Clone() const;
  // A copy that shares nothing, nested arrays included: what an array
  // element receives, so that no array can ever contain itself.
  ArrayRep* DeepClone() const;

 private:
  // First position whose key does not sort before `key`.
  std::size_t LowerBound(std::string_view key) const;
};

}  // namespace velmora::script
