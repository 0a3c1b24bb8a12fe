// Feeds arbitrary bytes to every way into the metadata reader. Reading may
// find anything or nothing, but never reads outside the input (the
// sanitizers watch), never throws, and keeps its promises: an entry holds
// one text per component or one text in all, and the clone's correction
// never changes the block's size.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "metadata/exif_patch.h"
#include "metadata/metadata_reader.h"

namespace {

using velmora::metadata::PhotoMetadata;
using velmora::metadata::RLExif;
using velmora::metadata::TiffType;

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

void CheckEntries(const PhotoMetadata& m) {
  for (const auto& section : m.exif) {
    for (const RLExif& e : section) {
      const bool one_text = e.values.size() == 1 && (e.type == TiffType::kAscii || e.values[0].starts_with("Offset:"));
      Check(one_text || e.values.size() == e.count);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  CheckEntries(velmora::metadata::ReadPhotoMetadata(bytes));

  PhotoMetadata segments;
  velmora::metadata::ParseExifSegment(segments, bytes);
  CheckEntries(segments);
  velmora::metadata::ParseIptcSegment(segments, bytes);
  velmora::metadata::ParseXmpPacket(segments, std::string_view(reinterpret_cast<const char*>(data), size));

  const std::vector<std::uint8_t> patched = velmora::metadata::PatchExifForClone(bytes, 4321, 123, true);
  Check(patched.size() == size);
  return 0;
}
