// Loading the shipped metadata.def: the whole first use (read the file beside
// the program, parse it, build the tables) and the parse alone. Every photo
// of a run waits for the first load, so it should stay well under 5 ms.
//   <build>/bin/metadata_definition_bench
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "metadata/metadata_definition.h"
#include "platform/atomic_file.h"
#include "platform/program_paths.h"

namespace velmora::metadata {
namespace {

void BM_LoadShippedDefinition(benchmark::State& state) {
  for (auto _ : state) {
    ResetMetadataDefinition();
    if (!LoadMetadataDefinition()) {
      state.SkipWithError("metadata.def beside the program could not be read");
      return;
    }
    benchmark::DoNotOptimize(Definitions().main_tags.size());
  }
  ResetMetadataDefinition();
}
BENCHMARK(BM_LoadShippedDefinition)->Unit(benchmark::kMillisecond);

void BM_ParseShippedDefinition(benchmark::State& state) {
  std::string text;
  if (ReadWholeFile(ProgramDirectory() / "metadata.def", text)) {
    state.SkipWithError("metadata.def beside the program could not be read");
    return;
  }
  for (auto _ : state) {
    auto parsed = ParseMetadataDefinition(text);
    benchmark::DoNotOptimize(parsed.index());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ParseShippedDefinition)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmora::metadata

BENCHMARK_MAIN();
