// What a photo carries besides its pixels and what a clone may keep of it:
// the raw JPEG marker segments (EXIF, IPTC, ICC profile, comments) and the
// PNG text chunks. The metadata layer parses them; the codecs only carry them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velmora::image {

inline constexpr int kJpegComMarker = 0xFE;
inline constexpr int kJpegApp0Marker = 0xE0;

struct JpegMarker {
  int marker = 0;  // 0xE0..0xEF for APP0..APP15, 0xFE for a comment
  std::vector<std::uint8_t> data;
  friend bool operator==(const JpegMarker&, const JpegMarker&) = default;
};

struct PngText {
  std::string key;
  std::string text;
  friend bool operator==(const PngText&, const PngText&) = default;
};

struct ImageMetadata {
  std::vector<JpegMarker> jpeg_markers;  // file order, comments included
  std::vector<PngText> png_text;

  bool empty() const { return jpeg_markers.empty() && png_text.empty(); }
  void clear() {
    jpeg_markers.clear();
    png_text.clear();
  }
  // The comment markers' texts in file order.
  std::vector<std::string> JpegComments() const {
    std::vector<std::string> comments;
    for (const JpegMarker& m : jpeg_markers) {
      if (m.marker == kJpegComMarker) comments.emplace_back(m.data.begin(), m.data.end());
    }
    return comments;
  }
};

}  // namespace velmora::image
