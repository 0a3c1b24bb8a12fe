// Gaussian noise with a caller-chosen seed, so that a test (or a user comparing
// two runs) gets the same grain twice.
#pragma once

#include <cstdint>

#include "image/effects/effect_routine.h"
#include "image/rgb_buffer.h"

namespace velmora::image {

// Adds noise of standard deviation `sigma` levels to the selected channels; with
// `monochrome` one value per pixel goes to all of them (grain without colour).
void AddGaussianNoise(RgbBuffer& image, double sigma, bool monochrome, ChannelMask channels, std::uint64_t seed);

}  // namespace velmora::image
