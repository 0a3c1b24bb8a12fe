// Borders, image stamps and text stamps on a 1600 x 1200 clone, as a run
// applies them: prepared once (a text stamp's font opened with the run's
// first stamp), then laid onto clone after clone.
#include <benchmark/benchmark.h>

#include <ctime>
#include <memory>

#include "image/clone_list/border.h"
#include "image/clone_list/image_stamp.h"
#include "image/stamps/border.h"
#include "image/stamps/image_stamp.h"
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

RgbBuffer Photo(int width = 1600, int height = 1200) {
  RgbBuffer image(width, height);
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

// A logo of 240 x 120 pixels with a soft-edged transparent surround.
std::shared_ptr<const StampPicture> Logo(bool with_alpha) {
  auto picture = std::make_shared<StampPicture>();
  picture->loaded = true;
  picture->image.rgb = Photo(240, 120);
  if (with_alpha) {
    picture->image.alpha.resize(240 * 120);
    for (int y = 0; y < 120; ++y) {
      for (int x = 0; x < 240; ++x) picture->image.alpha[y * 240 + x] = static_cast<std::uint8_t>((x + y) % 256);
    }
  }
  return picture;
}

// Runs `apply` on a fresh copy of the photo per iteration; the copy is not timed.
template <class Apply>
void Measure(benchmark::State& state, Apply apply) {
  const RgbBuffer photo = Photo();
  for (auto _ : state) {
    RgbBuffer image = photo.Clone();
    const double start = ThreadSeconds();
    apply(image);
    benchmark::DoNotOptimize(image.data());
    state.SetIterationTime(ThreadSeconds() - start);
  }
}

CBorder Border(std::int32_t kind, std::int32_t inside_kind = 0) {
  CBorder border;
  border.SetBorderType(kind);
  border.SetInsideType(inside_kind);
  border.SetWidth(20);
  return border;
}

void BM_BorderBands(benchmark::State& state) {
  PreparedBorder border(Border(0), nullptr);
  Measure(state, [&](RgbBuffer& image) { border.Apply(image); });
}

void BM_BorderOval(benchmark::State& state) {
  PreparedBorder border(Border(0, 1), nullptr);
  Measure(state, [&](RgbBuffer& image) { border.Apply(image); });
}

void BM_BorderOutside(benchmark::State& state) {
  PreparedBorder border(Border(1), nullptr);
  Measure(state, [&](RgbBuffer& image) { border.Apply(image); });
}

void BM_BorderOutsideMatchingColour(benchmark::State& state) {
  CBorder settings = Border(1);
  settings.SetColorFromImage(true);
  PreparedBorder border(settings, nullptr);
  Measure(state, [&](RgbBuffer& image) { border.Apply(image); });
}

void BM_BorderFrameTiled(benchmark::State& state) {
  PreparedBorder border(Border(2), Logo(false));
  Measure(state, [&](RgbBuffer& image) { border.Apply(image); });
}

// The first clone of a size pays for stretching the picture; the rest reuse it.
void BM_BorderFrameStretched(benchmark::State& state) {
  CBorder settings = Border(2);
  settings.SetImageArrangement(1);
  PreparedBorder border(settings, Logo(false));
  Measure(state, [&](RgbBuffer& image) { border.Apply(image); });
}

CImageStamp Stamp(bool stretch) {
  CImageStamp stamp;
  stamp.SetPosition(9);
  stamp.SetOpacity(60);
  stamp.SetStrecken(stretch ? 1 : 0);
  return stamp;
}

void BM_ImageStampOpaque(benchmark::State& state) {
  PreparedImageStamp stamp(Stamp(false), Logo(false));
  Measure(state, [&](RgbBuffer& image) { stamp.Apply(image); });
}

void BM_ImageStampAlpha(benchmark::State& state) {
  PreparedImageStamp stamp(Stamp(false), Logo(true));
  Measure(state, [&](RgbBuffer& image) { stamp.Apply(image); });
}

void BM_ImageStampTransparentColour(benchmark::State& state) {
  CImageStamp settings = Stamp(false);
  settings.SetUseTransparentColor(1);
  settings.SetTransparenzFarbtoleranz(20);
  PreparedImageStamp stamp(settings, Logo(false));
  Measure(state, [&](RgbBuffer& image) { stamp.Apply(image); });
}

void BM_ImageStampStretchedAlpha(benchmark::State& state) {
  PreparedImageStamp stamp(Stamp(true), Logo(true));
  Measure(state, [&](RgbBuffer& image) { stamp.Apply(image); });
}

// What a photographer puts on a clone: the owner and the date.
constexpr const char* kText = "\xA9 2024 Anna M\xFCller%\\Aufgenommen am 14.07.2024 um 18:32";

TextStampStyle TextStyle(int variant) {
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
  FontCache fonts;
  const TextStampStyle style = TextStyle(static_cast<int>(state.range(0)));
  RgbBuffer first = Photo();
  DrawTextStamp(first, kText, style, fonts);  // the run's first stamp opens the font
  Measure(state, [&](RgbBuffer& image) { DrawTextStamp(image, kText, style, fonts); });
  static const char* const kLabels[] = {"two lines, 15 px", "two lines, 30 px, box, frame, readable colour",
                                        "two lines, 30 px, turned"};
  state.SetLabel(kLabels[state.range(0)]);
}

// Once per run: fontconfig's lookup, opening the face, rendering the glyphs.
void BM_FirstTextStampOfARun(benchmark::State& state) {
  Measure(state, [](RgbBuffer& image) {
    FontCache fonts;
    DrawTextStamp(image, kText, TextStyle(1), fonts);
  });
}

#define VELMORA_STAMP_BENCHMARK(name) \
  BENCHMARK(name)->UseManualTime()->Iterations(30)->Unit(benchmark::kMillisecond)

VELMORA_STAMP_BENCHMARK(BM_BorderBands);
VELMORA_STAMP_BENCHMARK(BM_BorderOval);
VELMORA_STAMP_BENCHMARK(BM_BorderOutside);
VELMORA_STAMP_BENCHMARK(BM_BorderOutsideMatchingColour);
VELMORA_STAMP_BENCHMARK(BM_BorderFrameTiled);
VELMORA_STAMP_BENCHMARK(BM_BorderFrameStretched);
VELMORA_STAMP_BENCHMARK(BM_ImageStampOpaque);
VELMORA_STAMP_BENCHMARK(BM_ImageStampAlpha);
VELMORA_STAMP_BENCHMARK(BM_ImageStampTransparentColour);
VELMORA_STAMP_BENCHMARK(BM_ImageStampStretchedAlpha);
VELMORA_STAMP_BENCHMARK(BM_TextStamp)->DenseRange(0, 2);
VELMORA_STAMP_BENCHMARK(BM_FirstTextStampOfARun);

}  // namespace
}  // namespace velmora::image

BENCHMARK_MAIN();
