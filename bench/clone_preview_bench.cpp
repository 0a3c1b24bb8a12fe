// How long the clone list preview takes to follow an edit on a 1600-pixel
// clone: the render alone (per list), and the whole way from the change to
// the finished picture through the debounce and the worker thread. The
// preview must show a change within 200 ms.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <cstdio>

#include "image/clone_list/clone_list.h"
#include "settings/profile_data.h"
#include "ui/options/clone_preview.h"

namespace {

using velmora::image::CCloneEffekte;
using velmora::image::NewCloneItemForDescriptionKey;

std::unique_ptr<velmora::image::CloneItem> Item(const char* description_key,
                                                std::initializer_list<std::pair<const char*, const char*>> properties) {
  auto item = NewCloneItemForDescriptionKey(description_key);
  for (const auto& [key, value] : properties) item->SetProfileProperty(key, value);
  return item;
}

// A list as a user builds it for a gallery: sharpen, a frame and a caption.
CCloneEffekte TypicalList() {
  CCloneEffekte list;
  list.Add(Item("IMAGE_EFFECT_DESCRIPTION", {{"IMAGE_EFFECT_TYPE", "0"}}));
  list.Add(Item("BORDER_DESCRIPTION", {{"BORDER_TYPE", "1"}, {"BORDER_WIDTH", "12"}}));
  list.Add(Item("STAMP_TEXT_DESCRIPTION", {{"STAMP_TEXT", "(c) 2026 Velmora"}, {"STAMP_TEXT_POSITION", "9"},
                                           {"STAMP_TEXT_HEIGHT", "28"}, {"STAMP_TEXT_BACKGROUND", "1"}}));
  return list;
}

// The heavier effects one by one.
CCloneEffekte OneEffect(const char* code) {
  CCloneEffekte list;
  list.Add(Item("IMAGE_EFFECT_DESCRIPTION", {{"IMAGE_EFFECT_TYPE", code}}));
  return list;
}

void Render(benchmark::State& state, const CCloneEffekte& list) {
  const auto source = velmora::ui::SamplePicture(velmora::ui::kPreviewCloneSize, velmora::ui::kPreviewCloneSize * 2 / 3);
  const std::map<int, std::string> texts{{3, "(c) 2026 Velmora"}};
  for (auto _ : state) benchmark::DoNotOptimize(velmora::ui::ToQImage(velmora::ui::RenderClonePreview(source, list, texts)));
}

void BM_TypicalList(benchmark::State& state) { Render(state, TypicalList()); }
void BM_Sharpen(benchmark::State& state) { Render(state, OneEffect("0")); }
void BM_Blur(benchmark::State& state) { Render(state, OneEffect("3")); }
void BM_UnsharpMask(benchmark::State& state) { Render(state, OneEffect("5")); }
void BM_Shadow(benchmark::State& state) { Render(state, OneEffect("15")); }
void BM_OilPaint(benchmark::State& state) { Render(state, OneEffect("20")); }
void BM_EdgeDetect(benchmark::State& state) { Render(state, OneEffect("22")); }
BENCHMARK(BM_TypicalList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Sharpen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Blur)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UnsharpMask)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Shadow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OilPaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EdgeDetect)->Unit(benchmark::kMillisecond);

// From the edit to the picture, as the user sees it.
void EditToPicture() {
  velmora::settings::WorkingCloneList() = TypicalList();
  velmora::ui::ClonePreview preview;
  QEventLoop loop;
  QObject::connect(&preview, &velmora::ui::ClonePreview::rendered, &loop, &QEventLoop::quit);
  preview.Schedule();
  loop.exec();  // warm: fonts opened, thread pool started
  qint64 worst = 0, total = 0;
  constexpr int kRounds = 10;
  for (int i = 0; i < kRounds; ++i) {
    QElapsedTimer timer;
    timer.start();
    preview.Schedule();
    loop.exec();
    worst = std::max(worst, timer.elapsed());
    total += timer.elapsed();
  }
  std::printf("edit to picture (typical list, %d px): mean %lld ms, worst %lld ms (debounce %d ms included)\n",
              velmora::ui::kPreviewCloneSize, static_cast<long long>(total / kRounds), static_cast<long long>(worst),
              velmora::ui::ClonePreview::kDebounceMs);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  EditToPicture();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
