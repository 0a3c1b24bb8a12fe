// Times the clone and thumbnail pipeline the way a run uses it: per source
// image one clone (longest side 1600, quality 75) and one thumbnail (longest
// side 160) made from the clone. Prints one line per image with its
// milliseconds, then the median.
// With --full the clone keeps the original size and is still decoded and
// encoded (as with a clone list), the pipeline's largest memory need; with
// --keep it keeps the original size without a clone list (a byte copy, or a
// lossless turn of a sideways JPEG). --auto-orient turns sideways photos
// upright as the profile setting AUTO_ORIENT does.
// Sources of any type the program reads (its bytes say which); clones and
// thumbnails are JPEG unless --format webp or --format avif says otherwise.
// usage: image_pipeline_bench [--full|--keep] [--auto-orient] [--format jpg|webp|avif] OUTPUT_FOLDER SOURCE...
#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <vector>

#include "image/codecs/codec_registry.h"
#include "image/image_error.h"
#include "image/rl_image.h"

namespace fs = std::filesystem;
using velmora::image::RLImage;

namespace {

// The type a source's first bytes say.
int TypeOfFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::vector<std::uint8_t> head(4096);
  in.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<std::size_t>(in.gcount()));
  return velmora::image::GuessImageType(head);
}

struct Format {
  const char* name;
  int type;
};
constexpr Format kFormats[] = {{"jpg", velmora::image::kImageTypeJpg},
                               {"webp", velmora::image::kImageTypeWebp},
                               {"avif", velmora::image::kImageTypeAvif}};

}  // namespace

int main(int argc, char** argv) {
  bool full = false, keep = false, auto_orient = false;
  const char* program = argv[0];
  while (argc > 1 && std::string_view(argv[1]).starts_with("--") && std::string_view(argv[1]) != "--format") {
    const std::string_view option = argv[1];
    full = full || option == "--full";
    keep = keep || option == "--keep";
    auto_orient = auto_orient || option == "--auto-orient";
    --argc;
    ++argv;
  }
  Format format = kFormats[0];
  if (argc > 2 && std::string_view(argv[1]) == "--format") {
    const auto* found = std::find_if(std::begin(kFormats), std::end(kFormats),
                                     [&](const Format& f) { return std::string_view(argv[2]) == f.name; });
    if (found == std::end(kFormats)) {
      std::fprintf(stderr, "unknown format %s\n", argv[2]);
      return 2;
    }
    format = *found;
    argc -= 2;
    argv += 2;
  }
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s [--full|--keep] [--auto-orient] [--format jpg|webp|avif] OUTPUT_FOLDER SOURCE...\n",
                 program);
    return 2;
  }
  const fs::path output = argv[1];
  fs::create_directories(output / "clones");
  fs::create_directories(output / "thumbs");
  auto cpu_ms = [] {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
  };
  std::vector<double> times, cpu_times;
  for (int i = 2; i < argc; ++i) {
    const fs::path source = argv[i];
    velmora::image::PipelineOptions options;
    options.clone = {.make = true,
                     .size = {.side = full || keep ? velmora::image::kSideKeepSize : velmora::image::kSideLongest,
                              .longest = 1600},
                     .quality = 75,
                     .filter = -2,
                     .apply_clone_list = full};
    options.thumb = {.make = true,
                     .from_clone = true,
                     .size = {.side = velmora::image::kSideLongest, .longest = 160},
                     .quality = 75};
    options.auto_orient = auto_orient;
    const velmora::image::ImageFolders folders = {source.parent_path().string(), (output / "clones").string(),
                                                  (output / "thumbs").string()};
    const std::string stem = source.stem().string();
    velmora::image::RLImageFile file;
    file.Original = {stem, source.extension().string().substr(1), TypeOfFile(source)};
    file.Clone = {stem, format.name, format.type};
    file.Thumb = {stem, format.name, format.type};
    const auto start = std::chrono::steady_clock::now();
    const double cpu_start = cpu_ms();
    const velmora::image::ImageOutcome outcome = RLImage(options).DoIt(file, folders);
    if (outcome.error) {
      std::fprintf(stderr, "%s: %d %s\n", source.c_str(), outcome.error->number(), outcome.error->what());
      return 1;
    }
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    const double cpu = cpu_ms() - cpu_start;
    times.push_back(ms);
    cpu_times.push_back(cpu);
    std::printf("%.1f %.1f %s\n", cpu, ms, source.c_str());
  }
  std::sort(times.begin(), times.end());
  std::sort(cpu_times.begin(), cpu_times.end());
  std::printf("median cpu %.1f ms, wall %.1f ms over %zu images\n", cpu_times[cpu_times.size() / 2],
              times[times.size() / 2], times.size());
  return 0;
}
