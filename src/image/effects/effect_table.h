// The table of effect routines keyed by effect code.
#pragma once

#include <cstdint>

#include "image/effects/effect_routine.h"

namespace velmora::image {

// The routine of an effect code, or nullptr for a code without an effect.
EffectRoutine FindEffectRoutine(std::int32_t code);

}  // namespace velmora::image
