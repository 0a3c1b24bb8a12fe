#include "image/codecs/carried_metadata.h"

#include <algorithm>
#include <cstring>
#include <map>

namespace velmora::image {
namespace {

constexpr int kApp1 = kJpegApp0Marker + 1;
constexpr int kApp2 = kJpegApp0Marker + 2;
constexpr char kExifPrefix[] = "Exif\0\0";  // 6 bytes
constexpr char kXmpPrefix[] = "http://ns.adobe.com/xap/1.0/";  // then a zero byte
constexpr char kIccPrefix[] = "ICC_PROFILE";  // then a zero byte, sequence number, count

bool Starts(const JpegMarker& m, const char* prefix, std::size_t length) {
  return m.data.size() >= length && std::memcmp(m.data.data(), prefix, length) == 0;
}

std::vector<std::uint8_t> JoinedIcc(const std::vector<JpegMarker>& markers) {
  std::map<int, const JpegMarker*> parts;
  int count = 0;
  for (const JpegMarker& m : markers) {
    if (m.marker != kApp2 || !Starts(m, kIccPrefix, sizeof kIccPrefix) || m.data.size() < 14) continue;
    count = m.data[13];
    parts.emplace(m.data[12], &m);
  }
  if (count == 0 || static_cast<int>(parts.size()) != count || parts.begin()->first != 1 ||
      parts.rbegin()->first != count) {
    return {};
  }
  std::vector<std::uint8_t> icc;
  for (const auto& [sequence, m] : parts) icc.insert(icc.end(), m->data.begin() + 14, m->data.end());
  // The profile's colour space sits at byte 16 of its header.
  if (icc.size() < 128 || std::memcmp(icc.data() + 16, "RGB ", 4) != 0) return {};
  return icc;
}

}  // namespace

CarriedBlocks CarriedBlocksOf(const ImageMetadata* metadata) {
  CarriedBlocks blocks;
  if (metadata == nullptr) return blocks;
  for (const JpegMarker& m : metadata->jpeg_markers) {
    if (m.marker != kApp1) continue;
    if (blocks.exif.empty() && Starts(m, kExifPrefix, 6) && m.data.size() > 6 + 8) {
      blocks.exif.assign(m.data.begin() + 6, m.data.end());
    } else if (blocks.xmp.empty() && Starts(m, kXmpPrefix, sizeof kXmpPrefix)) {
      blocks.xmp.assign(m.data.begin() + sizeof kXmpPrefix, m.data.end());
    }
  }
  blocks.icc = JoinedIcc(metadata->jpeg_markers);
  return blocks;
}

}  // namespace velmora::image
