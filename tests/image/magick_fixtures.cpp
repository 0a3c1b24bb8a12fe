#include "magick_fixtures.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace velmora::image::test {

namespace {
std::string Quote(const std::filesystem::path& path) { return "'" + path.string() + "'"; }
}  // namespace

bool Run(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

bool HaveConvert() {
  static const bool have = Run("command -v convert");
  return have;
}

bool Magick(const std::string& arguments) { return Run("convert " + arguments); }

std::string CommandOutput(const std::string& command) {
  std::string output;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return output;
  char buffer[65536];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
  ::pclose(pipe);
  return output;
}

RgbBuffer MagickDecode(const std::filesystem::path& path) {
  const std::string size = CommandOutput("identify -format '%w %h' " + Quote(path.string() + "[0]") + " 2>/dev/null");
  std::istringstream in(size);
  int width = 0, height = 0;
  in >> width >> height;
  if (width <= 0 || height <= 0) throw std::runtime_error("identify failed for " + path.string());
  const std::string pixels =
      CommandOutput("convert " + Quote(path.string() + "[0]") +
                    " -background white -alpha remove -alpha off -colorspace sRGB -depth 8 rgb:- 2>/dev/null");
  RgbBuffer image(width, height);
  if (pixels.size() != image.size()) throw std::runtime_error("convert returned a wrong size for " + path.string());
  std::copy(pixels.begin(), pixels.end(), image.data());
  return image;
}

void WritePpm(const RgbBuffer& image, const std::filesystem::path& path) {
  std::ofstream out(path, std::ios::binary);
  out << "P6\n" << image.width() << " " << image.height() << "\n255\n";
  out.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
}

std::filesystem::path MakePhoto(const std::filesystem::path& folder, int width, int height, const std::string& name) {
  const std::filesystem::path path = folder / name;
  const std::string size = std::to_string(width) + "x" + std::to_string(height);
  // Plasma gives smooth colour clouds; the text and the noise give the
  // sharp edges and fine detail that show a poor resampler.
  Magick("-seed 42 -size " + size + " plasma:fractal -blur 0x1 -attenuate 0.3 +noise Gaussian -fill black " +
         "-pointsize " + std::to_string(std::max(10, height / 8)) + " -annotate +10+" + std::to_string(height / 2) +
         " 'Velmora 123' -depth 8 " + Quote(path));
  return path;
}

double Psnr(const RgbBuffer& a, const RgbBuffer& b) {
  if (a.width() != b.width() || a.height() != b.height()) return 0.0;
  double sum = 0.0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const double d = static_cast<double>(a.data()[i]) - b.data()[i];
    sum += d * d;
  }
  if (sum == 0.0) return 99.0;
  return 10.0 * std::log10(255.0 * 255.0 / (sum / static_cast<double>(a.size())));
}

int MaxDifference(const RgbBuffer& a, const RgbBuffer& b) {
  if (a.width() != b.width() || a.height() != b.height()) return 256;
  int max = 0;
  for (std::size_t i = 0; i < a.size(); ++i) max = std::max(max, std::abs(a.data()[i] - b.data()[i]));
  return max;
}

}  // namespace velmora::image::test
