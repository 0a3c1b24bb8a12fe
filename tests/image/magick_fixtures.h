// ImageMagick as the independent writer of test fixtures and the
// independent reader of what we write. Transparent parts are laid over white
// on both sides, as the program does.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "image/rgb_buffer.h"

namespace velmora::image::test {

bool HaveConvert();
// Runs a shell command quietly; true when it exits with 0.
bool Run(const std::string& command);
// Runs `convert <arguments>` (output path included in the arguments).
bool Magick(const std::string& arguments);
// ImageMagick's 8-bit RGB decode of a file (first frame), alpha over white.
RgbBuffer MagickDecode(const std::filesystem::path& path);
// A photo-like picture (smooth areas, edges, fine detail) made by ImageMagick.
std::filesystem::path MakePhoto(const std::filesystem::path& folder, int width, int height,
                                const std::string& name = "photo.ppm");
void WritePpm(const RgbBuffer& image, const std::filesystem::path& path);
std::string CommandOutput(const std::string& command);

double Psnr(const RgbBuffer& a, const RgbBuffer& b);
int MaxDifference(const RgbBuffer& a, const RgbBuffer& b);

}  // namespace velmora::image::test
