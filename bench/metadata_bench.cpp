// Times the metadata reader the way the pipeline uses it: per photo one
// ReadPhotoMetadata, once from the file on disk (the reader reads only the
// first segments) and once from the file's bytes in memory (as the image
// layer maps them). Prints one line per file with the microseconds of both
// (the best of several repetitions, so that the page cache is warm and the
// figure is the reader's own cost), then the medians. Metadata reading is
// meant to add at most 2 % to the clone-and-thumbnail pipeline, which takes
// tens of milliseconds per camera JPEG; well under a millisecond is the aim.
// usage: metadata_bench PHOTO...
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "metadata/metadata_reader.h"

namespace {

constexpr int kRepetitions = 50;

template <typename Read>
double BestMicroseconds(Read read) {
  double best = 1e300;
  for (int i = 0; i < kRepetitions; ++i) {
    const auto start = std::chrono::steady_clock::now();
    const velmora::metadata::PhotoMetadata metadata = read();
    const auto end = std::chrono::steady_clock::now();
    if (metadata.make == "\x01") std::puts("");  // keeps the read from being optimised away
    best = std::min(best, std::chrono::duration<double, std::micro>(end - start).count());
  }
  return best;
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s PHOTO...\n", argv[0]);
    return 2;
  }
  std::vector<double> from_file, from_memory;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path path = argv[i];
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    from_file.push_back(BestMicroseconds([&] { return velmora::metadata::ReadPhotoMetadata(path); }));
    from_memory.push_back(
        BestMicroseconds([&] { return velmora::metadata::ReadPhotoMetadata(std::span<const std::uint8_t>(bytes)); }));
    std::printf("%9.1f us from file %9.1f us from memory  %s\n", from_file.back(), from_memory.back(),
                path.filename().c_str());
  }
  std::printf("median %9.1f us from file %9.1f us from memory over %zu files\n", Median(from_file),
              Median(from_memory), from_file.size());
  return 0;
}
