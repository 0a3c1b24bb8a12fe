#include "metadata/iptc_reader.h"

#include <algorithm>
#include <string_view>

#include "metadata/byte_reader.h"
#include "metadata/metadata_reader.h"
#include "metadata/metadata_text.h"

namespace velmora::metadata {
namespace {

constexpr std::string_view kPhotoshopSignature = "Photoshop 3.0";
constexpr std::string_view kIptcResource = "8BIM\x04\x04";
constexpr std::uint8_t kRecordMarker = 0x1C;
constexpr std::uint8_t kEditorialRecord = 2;

bool Contains(std::span<const std::uint8_t> bytes, std::string_view text) {
  return std::search(bytes.begin(), bytes.end(), text.begin(), text.end(), [](std::uint8_t a, char b) {
           return a == static_cast<std::uint8_t>(b);
         }) != bytes.end();
}

}  // namespace

bool ParseIptcRecords(PhotoMetadata& metadata, std::span<const std::uint8_t> records) {
  const ByteReader reader(records, ByteOrder::kBig);
  std::uint64_t at = 0;
  while (at < records.size()) {
    if (reader.U8(at) != kRecordMarker || reader.U8(at + 1) != kEditorialRecord) return false;
    const std::optional<std::uint8_t> dataset = reader.U8(at + 2);
    const std::optional<std::uint16_t> length = reader.U16(at + 3);
    if (!dataset || !length) return false;
    const std::optional<std::span<const std::uint8_t>> data = reader.Bytes(at + 5, *length);
    if (!data) return false;
    if (*dataset != 0) {
      const std::string_view text(reinterpret_cast<const char*>(data->data()), data->size());
      metadata.AddIptc(*dataset, LegacyTextToCp1252(text));
    }
    at += 5 + *length;
  }
  return true;
}

void ParsePhotoshopResources(PhotoMetadata& metadata, std::span<const std::uint8_t> resources) {
  const ByteReader reader(resources, ByteOrder::kBig);
  auto from = resources.begin();
  while (true) {
    const auto hit = std::search(from, resources.end(), kIptcResource.begin(), kIptcResource.end(),
                                 [](std::uint8_t a, char b) { return a == static_cast<std::uint8_t>(b); });
    if (hit == resources.end()) return;
    const auto at = static_cast<std::uint64_t>(hit - resources.begin());
    // "8BIM", the resource number, a name of L bytes after its length byte
    // (padded to an even length), then a 32-bit size, of which the low
    // half is read: 10 bytes in for an empty name, L + 9 otherwise.
    const std::optional<std::uint8_t> name_length = reader.U8(at + 6);
    if (!name_length) return;
    const std::uint64_t size_at = *name_length == 0 ? at + 10 : at + *name_length + 9;
    const std::optional<std::uint16_t> size = reader.U16(size_at);
    if (!size) return;
    const std::uint64_t start = size_at + 2;
    // Records that run past the data are cut at its end.
    const std::uint64_t end = std::min<std::uint64_t>(start + *size, resources.size());
    if (start > end) return;
    const auto records = resources.subspan(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
    // A record of another kind, or one cut short, ends the whole parse.
    if (!ParseIptcRecords(metadata, records) || end >= resources.size()) return;
    from = resources.begin() + static_cast<std::ptrdiff_t>(end);
  }
}

void ParseIptcSegment(PhotoMetadata& metadata, std::span<const std::uint8_t> app13) {
  if (!Contains(app13, kPhotoshopSignature)) return;
  try {
    ParsePhotoshopResources(metadata, app13);
  } catch (...) {  // out of memory: keep what was read
  }
}

}  // namespace velmora::metadata
