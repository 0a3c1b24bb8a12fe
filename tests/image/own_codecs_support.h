// Fixtures for the own-format codec tests: synthetic pictures, files made by
// ImageMagick as an independent writer, and ImageMagick's decode as the
// independent reader to compare against.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "image/codecs/codec_registry.h"
#include "image/rgb_buffer.h"
#include "support/temp_dir.h"

namespace velmora::image::test {

using Bytes = std::vector<std::uint8_t>;

bool HaveImageMagick();

// The codec the type table holds for `type`, so the tests cover what the program uses.
inline const ImageCodec& Codec(int type) { return *FindImageType(type)->codec; }

// A picture with smooth ramps and sharp edges in every channel, so that
// swapped channels, flipped rows or lost columns show.
RgbBuffer Pattern(int width, int height);
// The same layout with only `colours` distinct colours, for palette formats.
RgbBuffer FewColours(int width, int height, int colours);

void WritePpm(const RgbBuffer& image, const std::filesystem::path& path);
// Runs `convert <arguments> <format>:<output>` and returns the bytes written.
Bytes Convert(const std::string& arguments, const std::string& format, const std::filesystem::path& output);
// ImageMagick's decode of `path` (a subimage suffix such as "[0]" allowed),
// transparent parts laid over white, after `options` (such as "-auto-orient").
RgbBuffer ImageMagickDecode(const std::string& path, const std::string& options = "");

// A Windows metafile that draws `dib` (a packed BITMAPINFO and pixels) with
// one record of the given function, the DIB at `dib_offset` in the record,
// behind a placeable header.
Bytes WindowsMetafile(const Bytes& dib, std::uint16_t function, std::size_t dib_offset);

void WriteBytes(const std::filesystem::path& path, const Bytes& bytes);
Bytes ReadBytes(const std::filesystem::path& path);

// Largest difference of any sample; 0 means identical. Sizes must match.
int MaxDifference(const RgbBuffer& a, const RgbBuffer& b);
bool SameSize(const RgbBuffer& a, const RgbBuffer& b);

}  // namespace velmora::image::test
