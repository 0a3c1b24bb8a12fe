#include "metadata/jpeg_segments.h"

#include <string>
#include <string_view>

#include "metadata/metadata_reader.h"
#include "metadata/metadata_text.h"
#include "metadata/xmp_reader.h"

namespace velmora::metadata {
namespace {

constexpr std::uint8_t kApp1 = 0xE1;
constexpr std::uint8_t kApp13 = 0xED;
constexpr std::uint8_t kComment = 0xFE;
constexpr std::uint8_t kStartOfScan = 0xDA;
constexpr std::uint8_t kEndOfImage = 0xD9;

// Markers without a length: TEM, RST0..7 and SOI.
bool IsStandalone(std::uint8_t marker) { return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8); }

std::string_view AsText(std::span<const std::uint8_t> bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

void ParseSegment(PhotoMetadata& metadata, std::uint8_t marker, std::span<const std::uint8_t> data) {
  if (marker == kApp1) {
    if (AsText(data).starts_with(kXmpApp1Signature)) {
      ParseXmpPacket(metadata, AsText(data.subspan(kXmpApp1Signature.size())));
    } else {
      ParseExifSegment(metadata, data);
    }
  } else if (marker == kApp13) {
    ParseIptcSegment(metadata, data);
  } else if (marker == kComment) {
    std::string_view text = AsText(data);
    // Some writers end the comment with the zero byte of a C string.
    while (!text.empty() && text.back() == '\0') text.remove_suffix(1);
    metadata.AddComment(std::string(kJpegCommentKey), LegacyTextToCp1252(text));
  }
}

}  // namespace

void ReadJpegMetadata(ByteSource& file, PhotoMetadata& metadata) {
  std::uint64_t at = 2;  // after the start-of-image marker
  // Every step moves on by at least one byte, so the walk ends with the data.
  while (true) {
    const std::span<const std::uint8_t> head = file.Read(at, 4);
    if (head.size() < 2 || head[0] != 0xFF) return;
    const std::uint8_t marker = head[1];
    if (marker == 0xFF) {  // a fill byte in front of the marker
      ++at;
      continue;
    }
    if (IsStandalone(marker)) {
      at += 2;
      continue;
    }
    if (marker == kStartOfScan || marker == kEndOfImage || head.size() < 4) return;
    const unsigned length = (unsigned{head[2]} << 8) | head[3];
    if (length < 2) return;
    const std::span<const std::uint8_t> data = file.Read(at + 4, length - 2);
    ParseSegment(metadata, marker, data);
    if (data.size() < length - 2) return;  // the file ends inside the segment
    at += 2 + length;
  }
}

}  // namespace velmora::metadata
