// Times the clone and thumbnail pipeline the way a run uses it: per source
// image one clone (longest side 1600, quality 75) and one thumbnail (longest
// side 160) made from the clone. Prints one line per image with its
// milliseconds, then the median.
// usage: image_pipeline_bench OUTPUT_FOLDER SOURCE.jpg...
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "image/codecs/codec_registry.h"
#include "image/image_error.h"
#include "image/rl_image.h"

namespace fs = std::filesystem;
using velmora::image::RLImage;

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s OUTPUT_FOLDER SOURCE.jpg...\n", argv[0]);
    return 2;
  }
  const fs::path output = argv[1];
  fs::create_directories(output / "clones");
  fs::create_directories(output / "thumbs");
  std::vector<double> times;
  for (int i = 2; i < argc; ++i) {
    const fs::path source = argv[i];
    RLImage image;
    image.OriginalPfad = source.parent_path().string();
    image.ClonePfad = (output / "clones").string();
    image.ThumbPfad = (output / "thumbs").string();
    const std::string stem = source.stem().string();
    image.ImageFile.Original = {stem, source.extension().string().substr(1), velmora::image::kImageTypeJpg};
    image.ImageFile.Clone = {stem, "jpg", velmora::image::kImageTypeJpg};
    image.ImageFile.Thumb = {stem, "jpg", velmora::image::kImageTypeJpg};
    image.ClonenDurchfuehren = true;
    image.CloneSeitenwahl = 1;
    image.CloneAusdehnung = 1600;
    image.CloneQualitaet = 75;
    image.CloneFilter = -2;
    image.ThumbDurchfuehren = true;
    image.ThumbVomClone = true;
    image.ThumbSeitenwahl = 1;
    image.ThumbAusdehnung = 160;
    image.ThumbQualitaet = 75;
    const auto start = std::chrono::steady_clock::now();
    try {
      image.DoIt();
    } catch (const velmora::image::ImageError& e) {
      std::fprintf(stderr, "%s: %d %s\n", source.c_str(), e.number(), e.what());
      return 1;
    }
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    times.push_back(ms);
    std::printf("%.1f %s\n", ms, source.c_str());
  }
  std::sort(times.begin(), times.end());
  std::printf("median %.1f ms over %zu images\n", times[times.size() / 2], times.size());
  return 0;
}
