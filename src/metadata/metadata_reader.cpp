#include "metadata/metadata_reader.h"

#include <algorithm>
#include <array>
#include <span>

#include "metadata/byte_source.h"
#include "metadata/file_byte_source.h"
#include "metadata/jpeg_segments.h"
#include "metadata/png_chunks.h"
#include "metadata/tiff_file.h"

namespace velmora::metadata {
namespace {

enum class Container { kNone, kJpeg, kPng, kTiff };

// The container by the file's first bytes, whatever its name says.
Container ContainerOf(std::span<const std::uint8_t> head) {
  constexpr std::array<std::uint8_t, 3> kJpeg = {0xFF, 0xD8, 0xFF};
  constexpr std::array<std::uint8_t, 8> kPng = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  constexpr std::array<std::uint8_t, 4> kTiffLittle = {'I', 'I', 42, 0};
  constexpr std::array<std::uint8_t, 4> kTiffBig = {'M', 'M', 0, 42};
  auto starts = [&](std::span<const std::uint8_t> signature) {
    return head.size() >= signature.size() && std::equal(signature.begin(), signature.end(), head.begin());
  };
  if (starts(kJpeg)) return Container::kJpeg;
  if (starts(kPng)) return Container::kPng;
  if (starts(kTiffLittle) || starts(kTiffBig)) return Container::kTiff;
  return Container::kNone;
}

}  // namespace

PhotoMetadata ReadPhotoMetadata(const std::filesystem::path& file) {
  PhotoMetadata metadata;
  // A reader never stops a run: what was read before a failure (such as
  // running out of memory) is kept.
  try {
    FileByteSource source(file);
    switch (ContainerOf(source.Read(0, 8))) {
      case Container::kJpeg: ReadJpegMetadata(source, metadata); break;
      case Container::kPng: ReadPngMetadata(source, metadata); break;
      case Container::kTiff: ReadTiffMetadata(source.Whole(), metadata); break;
      case Container::kNone: break;
    }
  } catch (...) {
  }
  return metadata;
}

PhotoMetadata ReadPhotoMetadata(std::span<const std::uint8_t> file) {
  PhotoMetadata metadata;
  try {
    SpanSource source(file);
    switch (ContainerOf(file)) {
      case Container::kJpeg: ReadJpegMetadata(source, metadata); break;
      case Container::kPng: ReadPngMetadata(source, metadata); break;
      case Container::kTiff: ReadTiffMetadata(file, metadata); break;
      case Container::kNone: break;
    }
  } catch (...) {
  }
  return metadata;
}

}  // namespace velmora::metadata
