// A two-line text stamp on a 1600 x 1200 clone: plain, with box, frame and
// readable colour, turned, and the first stamp of a run (font lookup and
// glyph rendering included).
#include <benchmark/benchmark.h>

#include <ctime>

#include "image/stamps/text_stamp_drawing.h"
#include "image/text/font_cache.h"

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

// What a photographer puts on a clone: the owner and the date.
constexpr const char* kText = "\xA9 2024 Anna M\xFCller%\\Aufgenommen am 14.07.2024 um 18:32";

TextStampStyle Style(int variant) {
  TextStampStyle style;
  style.position = 9;
  style.offset_x = style.offset_y = -10;
  if (variant >= 1) {
    style.height = 30;
    style.readable = true;
    style.background_colour = 0;
    style.background_opacity = 40;
    style.frame_colour = 16777215;
    style.frame_width = 2;
  }
  if (variant == 2) style.direction = 1;
  return style;
}

void BM_TextStamp(benchmark::State& state) {
  RgbBuffer image = Photo();
  FontCache fonts;
  const TextStampStyle style = Style(static_cast<int>(state.range(0)));
  DrawTextStamp(image, kText, style, fonts);  // the run's first stamp opens the font
  for (auto _ : state) {
    const double start = ThreadSeconds();
    benchmark::DoNotOptimize(DrawTextStamp(image, kText, style, fonts));
    state.SetIterationTime(ThreadSeconds() - start);
  }
  static const char* const kLabels[] = {"15 px, plain", "30 px, box, frame, readable", "30 px, turned"};
  state.SetLabel(kLabels[state.range(0)]);
}
BENCHMARK(BM_TextStamp)->DenseRange(0, 2)->UseManualTime()->Iterations(200)->Unit(benchmark::kMillisecond);

// Once per run: fontconfig's lookup, opening the face, rendering the glyphs.
void BM_FirstTextStampOfARun(benchmark::State& state) {
  RgbBuffer image = Photo();
  for (auto _ : state) {
    const double start = ThreadSeconds();
    FontCache fonts;
    benchmark::DoNotOptimize(DrawTextStamp(image, kText, Style(1), fonts));
    state.SetIterationTime(ThreadSeconds() - start);
  }
}
BENCHMARK(BM_FirstTextStampOfARun)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmora::image

BENCHMARK_MAIN();
