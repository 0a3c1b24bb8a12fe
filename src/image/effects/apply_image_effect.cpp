#include "image/effects/apply_image_effect.h"

#include <exception>

#include "image/effects/effect_table.h"

namespace velmora::image {

EffectResult ApplyImageEffect(RgbBuffer& image, const CBildEffekt& effect) {
  const EffectRoutine routine = FindEffectRoutine(effect.EffectCode());
  if (routine == nullptr || image.empty()) return {};
  try {
    return routine(image, effect);
  } catch (const std::exception&) {
    // Out of memory for a work buffer: routines allocate before they touch the
    // pixels, so the clone goes on unchanged with the next item of the list.
    return {};
  }
}

}  // namespace velmora::image
