#include "image/clone_exif.h"

#include <algorithm>
#include <cstring>
#include <span>

#include "metadata/exif_patch.h"

namespace velmora::image {
namespace {

constexpr int kApp1Marker = 0xE1;

bool IsExif(std::span<const std::uint8_t> data) {
  return data.size() >= 6 && std::memcmp(data.data(), "Exif\0\0", 6) == 0;
}

// Patches the block in `data` in place; a patch that would change its length
// (which the patcher never does) is not taken.
void Correct(std::span<std::uint8_t> data, ImageSize clone, bool turned) {
  const std::vector<std::uint8_t> patched = metadata::PatchExifForClone(data, clone.width, clone.height, turned);
  if (patched.size() == data.size()) std::copy(patched.begin(), patched.end(), data.begin());
}

}  // namespace

void CorrectCloneExif(ImageMetadata& metadata, ImageSize clone, bool turned) {
  for (JpegMarker& marker : metadata.jpeg_markers) {
    if (marker.marker == kApp1Marker && IsExif(marker.data)) Correct(marker.data, clone, turned);
  }
}

void CorrectCloneExif(std::vector<std::uint8_t>& jpeg, ImageSize clone, bool turned) {
  if (jpeg.size() < 4 || jpeg[0] != 0xFF || jpeg[1] != 0xD8) return;
  std::size_t at = 2;
  // Segments follow each other up to the first scan; each is FF, its code
  // and a two-byte length that counts itself.
  while (at + 4 <= jpeg.size() && jpeg[at] == 0xFF) {
    const int code = jpeg[at + 1];
    if (code == 0xFF) {  // fill byte before a marker
      ++at;
      continue;
    }
    if (code == 0xDA || code == 0xD9) return;
    const std::size_t length = static_cast<std::size_t>(jpeg[at + 2]) << 8 | jpeg[at + 3];
    if (length < 2 || length > jpeg.size() - at - 2) return;
    const std::span<std::uint8_t> data(jpeg.data() + at + 4, length - 2);
    if (code == kApp1Marker && IsExif(data)) Correct(data, clone, turned);
    at += 2 + length;
  }
}

}  // namespace velmora::image
