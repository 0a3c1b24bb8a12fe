#include "own_codecs_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <stdexcept>

namespace velmora::image::test {
namespace {

std::string Quote(const std::string& text) { return "'" + text + "'"; }

std::string RunCapture(const std::string& command) {
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) throw std::runtime_error("cannot run " + command);
  std::string output;
  char buffer[65536];
  for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
  if (pclose(pipe) != 0) throw std::runtime_error("failed: " + command);
  return output;
}

}  // namespace

bool HaveImageMagick() { return std::system("convert -version >/dev/null 2>&1") == 0; }

RgbBuffer Pattern(int width, int height) {
  RgbBuffer image(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::uint8_t* p = image.pixel(x, y);
      p[0] = static_cast<std::uint8_t>(x * 255 / std::max(1, width - 1));
      p[1] = static_cast<std::uint8_t>(y * 255 / std::max(1, height - 1));
      p[2] = static_cast<std::uint8_t>((x / 4 + y / 3) % 2 ? 230 : (x * 7 + y * 13) % 200);
    }
  }
  return image;
}

RgbBuffer FewColours(int width, int height, int colours) {
  static const std::uint8_t kColours[][3] = {
      {0, 0, 0},       {255, 255, 255}, {200, 30, 40},  {20, 180, 60},   {30, 40, 210},  {250, 220, 10},
      {10, 200, 220},  {190, 20, 200},  {128, 128, 128}, {90, 50, 10},   {255, 150, 150}, {60, 90, 60},
      {0, 0, 120},     {120, 0, 0},     {0, 120, 0},     {220, 220, 160}};
  RgbBuffer image(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int index = (x / 3 + y / 2 + x * y / 7) % colours;
      std::uint8_t* p = image.pixel(x, y);
      if (index < 16) {
        std::memcpy(p, kColours[index], 3);
      } else {
        p[0] = static_cast<std::uint8_t>(index), p[1] = static_cast<std::uint8_t>(255 - index),
        p[2] = static_cast<std::uint8_t>(index * 3);
      }
    }
  }
  return image;
}

void WritePpm(const RgbBuffer& image, const std::filesystem::path& path) {
  std::string bytes = "P6\n" + std::to_string(image.width()) + " " + std::to_string(image.height()) + "\n255\n";
  bytes.append(reinterpret_cast<const char*>(image.data()), image.size());
  velmora::test::WriteFile(path, bytes);
}

Bytes Convert(const std::string& arguments, const std::string& format, const std::filesystem::path& output) {
  RunCapture("convert " + arguments + " " + Quote(format + ":" + output.string()) + " 2>&1");
  return ReadBytes(output);
}

RgbBuffer ImageMagickDecode(const std::string& path, const std::string& options) {
  const std::string ppm = RunCapture("convert " + Quote(path) + " " + options + " -background white -alpha remove -strip -depth 8 ppm:-");
  std::istringstream in(ppm);
  std::string magic;
  int width = 0, height = 0, max = 0;
  in >> magic >> width >> height >> max;
  in.get();
  if (magic != "P6" || max != 255) throw std::runtime_error("unexpected ImageMagick output for " + path);
  RgbBuffer image(width, height);
  in.read(reinterpret_cast<char*>(image.data()), static_cast<std::streamsize>(image.size()));
  return image;
}

void WriteBytes(const std::filesystem::path& path, const Bytes& bytes) {
  velmora::test::WriteFile(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

Bytes ReadBytes(const std::filesystem::path& path) {
  const std::string text = velmora::test::ReadFile(path);
  return Bytes(text.begin(), text.end());
}

Bytes WindowsMetafile(const Bytes& dib, std::uint16_t function, std::size_t dib_offset) {
  Bytes file;
  auto u16 = [&](std::uint32_t v) { file.push_back(v & 0xFF), file.push_back((v >> 8) & 0xFF); };
  auto u32 = [&](std::uint32_t v) { u16(v & 0xFFFF), u16(v >> 16); };
  u32(0x9AC6CDD7);
  for (int i = 0; i < 9; ++i) u16(0);  // handle, bounds, units, reserved, checksum
  u16(1), u16(9), u16(0x0300), u32(0), u16(0), u32(0), u16(0);
  const std::size_t record_bytes = dib_offset + dib.size() + dib.size() % 2;
  u32(static_cast<std::uint32_t>(record_bytes / 2));
  u16(function);
  file.resize(file.size() + dib_offset - 6, 0);  // raster operation, usage 0, coordinates
  file.insert(file.end(), dib.begin(), dib.end());
  if (dib.size() % 2) file.push_back(0);
  u32(3), u16(0);  // end record
  return file;
}

bool SameSize(const RgbBuffer& a, const RgbBuffer& b) { return a.width() == b.width() && a.height() == b.height(); }

int MaxDifference(const RgbBuffer& a, const RgbBuffer& b) {
  int worst = 0;
  for (std::size_t i = 0; i < a.size(); ++i) worst = std::max(worst, std::abs(a.data()[i] - b.data()[i]));
  return worst;
}

}  // namespace velmora::image::test
