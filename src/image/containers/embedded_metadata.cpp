#include "image/containers/embedded_metadata.h"

#include <webp/demux.h>

#include <algorithm>
#include <cstring>
#include <string_view>

#include "image/containers/container_signature.h"
#include "image/containers/heif_objects.h"

namespace velmora::image {
namespace {

// Larger items are no metadata a page could show; they are left out rather
// than copied.
constexpr std::size_t kMaxItemBytes = 16u << 20;

bool IsTiffHeader(std::span<const std::uint8_t> bytes, std::size_t offset) {
  if (offset > bytes.size() || bytes.size() - offset < 4) return false;
  const std::uint8_t* p = bytes.data() + offset;
  return std::memcmp(p, "II*\0", 4) == 0 || std::memcmp(p, "MM\0*", 4) == 0;
}

std::vector<std::uint8_t> From(std::span<const std::uint8_t> bytes, std::size_t offset) {
  return {bytes.begin() + static_cast<std::ptrdiff_t>(offset), bytes.end()};
}

// HEIF's EXIF item starts with the big-endian offset of the TIFF header
// counted from the end of those four bytes, normally past "Exif\0\0". Some
// writers get the offset wrong; then the header is looked for near the start.
std::vector<std::uint8_t> TiffOfHeifExif(std::span<const std::uint8_t> item) {
  if (item.size() >= 4) {
    const std::uint64_t skip = static_cast<std::uint64_t>(item[0]) << 24 | static_cast<std::uint64_t>(item[1]) << 16 |
                               static_cast<std::uint64_t>(item[2]) << 8 | item[3];
    if (skip <= item.size() - 4 && IsTiffHeader(item, 4 + skip)) return From(item, 4 + skip);
  }
  for (std::size_t offset = 0; offset < std::min<std::size_t>(item.size(), 64); ++offset) {
    if (IsTiffHeader(item, offset)) return From(item, offset);
  }
  return {};
}

// WebP's EXIF chunk holds the TIFF block itself; some writers put the
// "Exif\0\0" of a JPEG segment before it.
std::vector<std::uint8_t> TiffOfWebpExif(std::span<const std::uint8_t> chunk) {
  if (IsTiffHeader(chunk, 0)) return From(chunk, 0);
  if (chunk.size() >= 6 && std::memcmp(chunk.data(), "Exif\0\0", 6) == 0 && IsTiffHeader(chunk, 6)) {
    return From(chunk, 6);
  }
  return {};
}

bool IsXmpContentType(const char* type) {
  return type != nullptr && std::string_view(type) == "application/rdf+xml";
}

void ReadHeifItems(std::span<const std::uint8_t> file, EmbeddedMetadata& out) {
  heif::OpenedFile opened;
  std::string error;
  if (!heif::Open(file, opened, error)) return;
  heif_image_handle* handle = opened.primary.get();
  const int count = heif_image_handle_get_number_of_metadata_blocks(handle, nullptr);
  if (count <= 0) return;
  std::vector<heif_item_id> ids(static_cast<std::size_t>(count));
  const int listed = heif_image_handle_get_list_of_metadata_block_IDs(handle, nullptr, ids.data(), count);
  std::vector<std::uint8_t> item;
  for (int i = 0; i < std::min(listed, count); ++i) {
    const heif_item_id id = ids[static_cast<std::size_t>(i)];
    const char* item_type = heif_image_handle_get_metadata_type(handle, id);
    const std::string_view type = item_type != nullptr ? item_type : "";
    const bool exif = type == "Exif" && out.exif.empty();
    const bool xmp = type == "mime" && IsXmpContentType(heif_image_handle_get_metadata_content_type(handle, id)) &&
                     out.xmp.empty();
    if (!exif && !xmp) continue;
    const std::size_t size = heif_image_handle_get_metadata_size(handle, id);
    if (size == 0 || size > kMaxItemBytes) continue;
    item.assign(size, 0);
    if (heif_image_handle_get_metadata(handle, id, item.data()).code != heif_error_Ok) continue;
    if (exif) out.exif = TiffOfHeifExif(item);
    if (xmp) out.xmp.assign(item.begin(), item.end());
  }
}

void ReadWebpChunks(std::span<const std::uint8_t> file, EmbeddedMetadata& out) {
  const WebPData data = {file.data(), file.size()};
  WebPDemuxer* demux = WebPDemux(&data);
  if (demux == nullptr) return;
  WebPChunkIterator chunk;
  if (WebPDemuxGetChunk(demux, "EXIF", 1, &chunk)) {
    if (chunk.chunk.size <= kMaxItemBytes) out.exif = TiffOfWebpExif({chunk.chunk.bytes, chunk.chunk.size});
    WebPDemuxReleaseChunkIterator(&chunk);
  }
  if (WebPDemuxGetChunk(demux, "XMP ", 1, &chunk)) {
    if (chunk.chunk.size <= kMaxItemBytes) out.xmp.assign(chunk.chunk.bytes, chunk.chunk.bytes + chunk.chunk.size);
    WebPDemuxReleaseChunkIterator(&chunk);
  }
  WebPDemuxDelete(demux);
}

}  // namespace

EmbeddedMetadata ReadEmbeddedMetadata(std::span<const std::uint8_t> file) {
  EmbeddedMetadata out;
  try {
    switch (ContainerOfFile(file)) {
      case PhotoContainer::kHeif:
      case PhotoContainer::kAvif: ReadHeifItems(file, out); break;
      case PhotoContainer::kWebp: ReadWebpChunks(file, out); break;
      case PhotoContainer::kNone: break;
    }
  } catch (...) {
    // Out of memory while copying an item: what was found stays.
  }
  return out;
}

}  // namespace velmora::image
