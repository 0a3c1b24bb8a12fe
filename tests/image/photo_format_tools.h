// The independent readers and writers of HEIF, AVIF and WebP files that the
// tests hold ours against: libheif's heif-enc and heif-convert, libwebp's
// cwebp, dwebp, img2webp and webpmux, with ImageMagick reading the plain
// PNG files they write. Colours are compared in sRGB on both sides.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "image/rgb_buffer.h"

namespace velmora::image::test {

bool HaveHeifTools();
bool HaveWebpTools();

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);
std::string Quoted(const std::filesystem::path& path);

// An sRGB ICC profile file in `folder`, for ImageMagick's -profile.
std::filesystem::path SrgbProfileFile(const std::filesystem::path& folder);

// The picture as heif-convert decodes it, brought to sRGB through the ICC
// profile it carries over; nothing when heif-convert refuses the file.
std::optional<RgbBuffer> HeifConvertDecode(const std::filesystem::path& file, const std::filesystem::path& work);
// The picture as dwebp decodes it (an animation's first frame taken out by
// webpmux), transparency over white; nothing when refused.
std::optional<RgbBuffer> DwebpDecode(const std::filesystem::path& file, const std::filesystem::path& work);

// Both pictures shrunk alike to at most `side` pixels on their longer side.
double PsnrAtSize(const RgbBuffer& a, const RgbBuffer& b, int side);

}  // namespace velmora::image::test
