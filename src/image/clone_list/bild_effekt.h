// CBildEffekt: one image effect of the clone list, a code with up to ten integer
// and ten floating-point parameters.
#pragma once

#include <array>
#include <cstdint>

#include "image/clone_list/tabled_clone_item.h"
#include "image/clone_list/effect_codes.h"

namespace velmora::image {

class CBildEffekt final : public TabledCloneItem<CBildEffekt, CloneItemKind::kEffect> {
 public:
  CBildEffekt();

  // Profile key, type and save order of every field.
  static const PropertyTable<CBildEffekt>& ProfileKeyTable();

  std::int32_t EffectCode() const { return effect_code_; }
  // A different code brings that code's parameter defaults: the old parameters
  // mean something else for the new effect.
  void SetEffectCode(std::int32_t code);
  // Loads the parameter defaults of the current code.
  void ResetToEffectDefaults();

  // Parameters by index from 1 to kEffectParameterCount; other indices read 0
  // and are not stored.
  std::int32_t LongArray(int index) const;
  void SetLongArray(int index, std::int32_t value);
  double DoubleArray(int index) const;
  void SetDoubleArray(int index, double value);

 private:
  static bool ValidIndex(int index) { return index >= 1 && index <= kEffectParameterCount; }

  std::int32_t effect_code_ = 0;
  std::array<std::int32_t, kEffectParameterCount> longs_{};
  std::array<double, kEffectParameterCount> doubles_{};
};

}  // namespace velmora::image
