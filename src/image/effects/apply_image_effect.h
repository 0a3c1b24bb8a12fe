// Applies one effect of the clone list to the clone's pixels.
#pragma once

#include "image/clone_list/bild_effekt.h"
#include "image/effects/effect_routine.h"
#include "image/rgb_buffer.h"

namespace velmora::image {

// Runs the routine of the effect's code. Codes without an effect (6 to 10, above
// 25, negative) and an empty image change nothing. Effects that change the size
// (rotation, drop shadow) replace the buffer. Never throws: a failing effect
// leaves the image as it was.
EffectResult ApplyImageEffect(RgbBuffer& image, const CBildEffekt& effect);

}  // namespace velmora::image
