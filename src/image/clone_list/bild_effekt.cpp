#include "image/clone_list/bild_effekt.h"

#include <cstdio>

#include "image/clone_list/property_table.h"

namespace velmora::image {
namespace {

using T = CBildEffekt;

std::string NumberedKey(const char* prefix, int index) {
  char key[48];
  std::snprintf(key, sizeof key, "%s%02d", prefix, index);
  return key;
}

}  // namespace

const PropertyTable<T>& T::ProfileKeyTable() {
  static const PropertyTable<T> table = [] {
    PropertyTable<T> t = {
        {"IMAGE_EFFECT_DESCRIPTION", TextField<T>{&T::Description, &T::SetDescription}},
        {"IMAGE_EFFECT_TYPE", IntField<T>{&T::EffectCode, &T::SetEffectCode}},
    };
    for (int i = 1; i <= kEffectParameterCount; ++i) {
      t.push_back({NumberedKey("IMAGE_EFFECT_LONGVALUE_", i),
                   IndexedField<T, std::int32_t>{&T::LongArray, &T::SetLongArray, i}});
    }
    for (int i = 1; i <= kEffectParameterCount; ++i) {
      t.push_back({NumberedKey("IMAGE_EFFECT_DOUBLEVALUE_", i),
                   IndexedField<T, double>{&T::DoubleArray, &T::SetDoubleArray, i}});
    }
    return t;
  }();
  return table;
}

CBildEffekt::CBildEffekt() : TabledCloneItem("Imageeffect") { ResetToEffectDefaults(); }

void CBildEffekt::SetEffectCode(std::int32_t code) {
  if (code == effect_code_) return;
  effect_code_ = code;
  ResetToEffectDefaults();
  MarkChanged();
}

void CBildEffekt::ResetToEffectDefaults() {
  const EffectDefaults& defaults = DefaultsOfEffect(effect_code_);
  Change(longs_, defaults.longs);
  Change(doubles_, defaults.doubles);
}

std::int32_t CBildEffekt::LongArray(int index) const { return ValidIndex(index) ? longs_[index - 1] : 0; }

void CBildEffekt::SetLongArray(int index, std::int32_t value) {
  if (ValidIndex(index)) Change(longs_[index - 1], value);
}

double CBildEffekt::DoubleArray(int index) const { return ValidIndex(index) ? doubles_[index - 1] : 0.0; }

void CBildEffekt::SetDoubleArray(int index, double value) {
  if (ValidIndex(index)) Change(doubles_[index - 1], value);
}

}  // namespace velmora::image
