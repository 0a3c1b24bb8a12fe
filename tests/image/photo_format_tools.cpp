#include "photo_format_tools.h"

#include <lcms2.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

#include "image/resize/resample_filter.h"
#include "image/resize/resize_image.h"
#include "image/scale_factor.h"
#include "magick_fixtures.h"

namespace velmora::image::test {

bool HaveHeifTools() {
  static const bool have = HaveConvert() && Run("command -v heif-enc") && Run("command -v heif-convert");
  return have;
}

bool HaveWebpTools() {
  static const bool have = HaveConvert() && Run("command -v cwebp") && Run("command -v dwebp") &&
                           Run("command -v img2webp") && Run("command -v webpmux");
  return have;
}

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::string Quoted(const std::filesystem::path& path) { return "'" + path.string() + "'"; }

std::filesystem::path SrgbProfileFile(const std::filesystem::path& folder) {
  const std::filesystem::path path = folder / "srgb.icc";
  if (!std::filesystem::exists(path)) {
    cmsHPROFILE profile = cmsCreate_sRGBProfile();
    cmsSaveProfileToFile(profile, path.c_str());
    cmsCloseProfile(profile);
  }
  return path;
}

namespace {

// A binary PPM (P6) as 8-bit RGB; nothing for anything else.
std::optional<RgbBuffer> FromPpm(const std::string& ppm) {
  std::istringstream in(ppm);
  std::string magic;
  int width = 0, height = 0, max = 0;
  in >> magic >> width >> height >> max;
  in.get();
  if (magic != "P6" || max != 255 || width <= 0 || height <= 0) return std::nullopt;
  RgbBuffer image(width, height);
  const std::size_t start = static_cast<std::size_t>(in.tellg());
  if (ppm.size() < start + image.size()) return std::nullopt;
  std::copy_n(ppm.begin() + static_cast<std::ptrdiff_t>(start), image.size(), image.data());
  return image;
}

}  // namespace

// heif-convert writes a JPEG at quality 100 (its PNG writer takes seconds
// per phone photo); at clone size the difference is far below the bounds
// the tests hold.
// A file of several pictures gives one JPEG each, numbered in the order
// heif-info lists them; the primary one is marked there.
std::optional<RgbBuffer> HeifConvertDecode(const std::filesystem::path& file, const std::filesystem::path& work) {
  const std::filesystem::path out = work / "heif-convert.jpg";
  for (const auto& entry : std::filesystem::directory_iterator(work)) {
    if (entry.path().filename().string().starts_with("heif-convert")) std::filesystem::remove(entry.path());
  }
  if (!Run("heif-convert -q 100 " + Quoted(file) + " " + Quoted(out))) return std::nullopt;
  std::filesystem::path jpeg = out;
  if (!std::filesystem::exists(jpeg)) {
    std::istringstream info(CommandOutput("heif-info " + Quoted(file) + " 2>/dev/null"));
    int index = 0;
    for (std::string line; std::getline(info, line);) {
      if (!line.starts_with("image:")) continue;
      ++index;
      if (line.find("primary") != std::string::npos) break;
    }
    jpeg = work / ("heif-convert-" + std::to_string(index) + ".jpg");
    if (!std::filesystem::exists(jpeg)) return std::nullopt;
  }
  // A file with a profile is converted; one without is only labelled.
  return FromPpm(CommandOutput("convert " + Quoted(jpeg) + " -profile " + Quoted(SrgbProfileFile(work)) +
                               " -depth 8 ppm:- 2>/dev/null"));
}

std::optional<RgbBuffer> DwebpDecode(const std::filesystem::path& file, const std::filesystem::path& work) {
  const std::filesystem::path frame = work / "frame1.webp", png = work / "dwebp.png";
  std::filesystem::remove(png);
  std::filesystem::path still = file;
  if (Run("webpmux -info " + Quoted(file) + " | grep -q 'animation'")) {
    if (!Run("webpmux -get frame 1 " + Quoted(file) + " -o " + Quoted(frame))) return std::nullopt;
    still = frame;
  }
  if (!Run("dwebp " + Quoted(still) + " -o " + Quoted(png)) || !std::filesystem::exists(png)) return std::nullopt;
  return MagickDecode(png);
}

double PsnrAtSize(const RgbBuffer& a, const RgbBuffer& b, int side) {
  if (a.width() != b.width() || a.height() != b.height()) return 0.0;
  if (std::max(a.width(), a.height()) <= side) return Psnr(a, b);
  const ImageSize size = ScaledSize(a.width(), a.height(), {.side = kSideLongest, .longest = side});
  return Psnr(ResizeImage(a, size.width, size.height, kDefaultFilterCode),
              ResizeImage(b, size.width, size.height, kDefaultFilterCode));
}

}  // namespace velmora::image::test
