// Every image effect with its default parameters on a 1600 x 1200 picture.
#include <benchmark/benchmark.h>

#include <ctime>

#include "image/clone_list/bild_effekt.h"
#include "image/effects/apply_image_effect.h"

namespace velmora::image {
namespace {

// CPU time of this thread: the figure for one core, whatever else the machine runs.
double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + now.tv_nsec * 1e-9;
}

RgbBuffer Photo() {
  RgbBuffer image(1600, 1200);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      std::uint8_t* p = image.pixel(x, y);
      p[0] = static_cast<std::uint8_t>(x * 7 + y);
      p[1] = static_cast<std::uint8_t>((x / 40 + y / 30) % 2 ? 200 : 40);
      p[2] = static_cast<std::uint8_t>((x ^ y) * 13);
    }
  }
  return image;
}

void BM_Effect(benchmark::State& state) {
  const RgbBuffer photo = Photo();
  CBildEffekt effect;
  effect.SetEffectCode(static_cast<std::int32_t>(state.range(0)));
  // The defaults of these three change nothing; measure them doing real work.
  if (effect.EffectCode() == effect_code::kGamma) effect.SetDoubleArray(1, 2.2);
  if (effect.EffectCode() == effect_code::kBrightnessContrast) effect.SetDoubleArray(1, 0.2);
  if (effect.EffectCode() == effect_code::kBrightnessContrast) effect.SetDoubleArray(2, 0.3);
  if (effect.EffectCode() == effect_code::kSaturation) effect.SetDoubleArray(1, 1.5);
  for (auto _ : state) {
    // Each run starts from the untouched photo; copying it is not part of the effect.
    RgbBuffer image = photo.Clone();
    const double start = ThreadSeconds();
    ApplyImageEffect(image, effect);
    benchmark::DoNotOptimize(image.data());
    state.SetIterationTime(ThreadSeconds() - start);
  }
  state.SetLabel(std::string(DefaultsOfEffect(effect.EffectCode()).label_key));
}

BENCHMARK(BM_Effect)->DenseRange(0, 5)->DenseRange(11, 25)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmora::image

BENCHMARK_MAIN();
