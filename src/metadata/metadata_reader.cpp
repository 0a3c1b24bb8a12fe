#include "metadata/metadata_reader.h"

#include <algorithm>
#include <array>
#include <span>

#include "image/containers/container_signature.h"
#include "image/containers/embedded_metadata.h"
#include "metadata/byte_source.h"
#include "metadata/file_byte_source.h"
#include "metadata/jpeg_segments.h"
#include "metadata/png_chunks.h"
#include "metadata/tiff_file.h"

namespace velmora::metadata {
namespace {

enum class Container { kNone, kJpeg, kPng, kTiff, kHeifOrWebp };

// The ISO box or RIFF header that tells HEIF, AVIF and WebP files apart
// ends within these first bytes.
constexpr std::size_t kHeadBytes = 64;

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
  if (image::ContainerOfFile(head) != image::PhotoContainer::kNone) return Container::kHeifOrWebp;
  return Container::kNone;
}

// Phones keep EXIF and XMP as items of a HEIF file or chunks of a WebP file;
// once found, they are read as in any other file.
void ReadContainerItems(std::span<const std::uint8_t> file, PhotoMetadata& metadata) {
  const image::EmbeddedMetadata found = image::ReadEmbeddedMetadata(file);
  if (!found.exif.empty()) ParseTiffBlock(metadata, found.exif);
  if (!found.xmp.empty()) ParseXmpPacket(metadata, found.xmp);
}

}  // namespace

PhotoMetadata ReadPhotoMetadata(const std::filesystem::path& file) {
  PhotoMetadata metadata;
  // A reader never stops a run: what was read before a failure (such as
  // running out of memory) is kept.
  try {
    FileByteSource source(file);
    switch (ContainerOf(source.Read(0, kHeadBytes))) {
      case Container::kJpeg: ReadJpegMetadata(source, metadata); break;
      case Container::kPng: ReadPngMetadata(source, metadata); break;
      case Container::kTiff: ReadTiffMetadata(source.Whole(), metadata); break;
      case Container::kHeifOrWebp: ReadContainerItems(source.Whole(), metadata); break;
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
      case Container::kHeifOrWebp: ReadContainerItems(file, metadata); break;
      case Container::kNone: break;
    }
  } catch (...) {
  }
  return metadata;
}

}  // namespace velmora::metadata
