#include "metadata/tiff_directory_walk.h"

#include <algorithm>
#include <string>

#include "metadata/tiff_value.h"

namespace velmora::metadata {
namespace {

// EXIF nests two levels (IFD0 -> EXIF -> interoperability); anything deeper
// is a loop in disguise.
constexpr int kMaxDepth = 4;
// Far beyond a real file (a multi-page TIFF continues the chain page by
// page; the pages after the first few add nothing a template shows).
constexpr std::size_t kMaxDirectories = 64;
// Directories that overlap each other can name the same bytes as entries
// again and again; a camera writes a few hundred entries at most.
constexpr std::size_t kMaxEntries = 16384;
// Components are converted one text each. A real block has a few thousand;
// the caps keep a block whose entries all point at the same large value
// from growing into gigabytes of texts. An entry beyond them is kept in
// the "Offset:" form that undecoded values have.
constexpr std::uint64_t kMaxComponentsPerEntry = 65536;
constexpr std::uint64_t kComponentBudget = 1 << 20;
constexpr std::uint64_t kEntrySize = 12;

std::string OffsetText(std::uint64_t position, std::uint32_t count) {
  return "Offset:" + std::to_string(position) + " Bytes:" + std::to_string(count);
}

}  // namespace

TiffDirectoryWalk::TiffDirectoryWalk(PhotoMetadata& metadata, std::span<const std::uint8_t> block, ByteOrder order,
                                     std::uint64_t position_origin)
    : metadata_(metadata), block_(block, order), position_origin_(position_origin) {}

void TiffDirectoryWalk::WalkChain(std::uint64_t base, std::uint64_t position, ExifSection section) {
  while (ok_) {
    const std::uint32_t next = WalkDirectory(base, position, section, 0, true);
    if (next == 0) break;
    position = base + next;
    section = ExifSection::kThumbnail;
  }
}

void TiffDirectoryWalk::WalkMakerNote(std::uint64_t base, std::uint64_t position, ByteOrder order) {
  const ByteOrder block_order = block_.order();
  block_ = ByteReader(block_.bytes(), order);
  WalkDirectory(base, position, ExifSection::kMakernote, 1, false);
  block_ = ByteReader(block_.bytes(), block_order);
}

std::uint32_t TiffDirectoryWalk::WalkDirectory(std::uint64_t base, std::uint64_t position, ExifSection section,
                                               int depth, bool read_next) {
  if (!ok_ || depth > kMaxDepth) return 0;
  if (std::find(visited_.begin(), visited_.end(), position) != visited_.end()) return 0;
  if (visited_.size() >= kMaxDirectories) return 0;
  visited_.push_back(position);

  const std::optional<std::uint16_t> count = block_.U16(position);
  if (!count) {
    Fail();
    return 0;
  }
  const std::uint64_t first = position + 2;
  for (std::uint32_t i = 0; i < *count; ++i) {
    if (!ReadEntry(base, first + i * kEntrySize, section, depth)) return 0;
    if (!ok_) return 0;
  }
  if (!read_next) return 0;
  const std::optional<std::uint32_t> next = block_.U32(first + *count * kEntrySize);
  if (!next) {
    Fail();
    return 0;
  }
  return *next;
}

bool TiffDirectoryWalk::ReadEntry(std::uint64_t base, std::uint64_t entry, ExifSection section, int depth) {
  if (!block_.Contains(entry, kEntrySize) || ++entries_ > kMaxEntries) {
    Fail();
    return false;
  }
  const std::uint16_t tag = *block_.U16(entry);
  const std::uint16_t type = *block_.U16(entry + 2);
  const std::uint32_t count = *block_.U32(entry + 4);
  const std::uint32_t size = TiffTypeSize(type);
  // A field type outside 1..12 is no entry of ours: the directory ends.
  if (size == 0) return false;

  const std::uint64_t bytes = std::uint64_t{count} * size;
  const std::uint64_t value = bytes <= 4 ? entry + 8 : base + *block_.U32(entry + 8);
  RLExif exif{tag, static_cast<TiffType>(type), count, {}, 0};
  if (block_.Contains(value, bytes) && value <= UINT32_MAX) exif.value_offset = static_cast<std::uint32_t>(value);

  // A value that lies (partly) outside the block is kept in the same form:
  // cameras that write one offset wrongly (a thumbnail in the maker note)
  // or a segment cut short lose that one value, not the entries after it.
  const bool undecoded = tag == kMakerNoteTag || count == 0 || count > kMaxComponentsPerEntry ||
                         components_ + count > kComponentBudget || !block_.Contains(value, bytes);
  if (undecoded) {
    exif.values.push_back(OffsetText(position_origin_ + value, count));
    if (tag == kMakerNoteTag && section == ExifSection::kMain) maker_note_ = value;
  } else {
    components_ += count;
    exif.values = ConvertTiffValues(tag, exif.type, *block_.Bytes(value, bytes), block_.order());
  }
  const std::uint32_t value_offset = exif.value_offset;
  if (section != ExifSection::kMakernote && !undecoded && exif.type == TiffType::kAscii) {
    if (tag == kMakeTag) metadata_.make = exif.values.front();
    if (tag == kModelTag) metadata_.model = exif.values.front();
  }
  metadata_.Section(section).push_back(std::move(exif));
  if (section != ExifSection::kMakernote && !undecoded) {
    FollowPointer(tag, static_cast<TiffType>(type), value_offset, base, section, depth);
  }
  return true;
}

void TiffDirectoryWalk::FollowPointer(std::uint16_t tag, TiffType type, std::uint32_t value_offset,
                                      std::uint64_t base, ExifSection section, int depth) {
  const bool sub_directory = tag == kExifDirectoryTag || tag == kInteroperabilityDirectoryTag;
  if (!sub_directory && tag != kGpsDirectoryTag) return;
  std::optional<std::uint32_t> offset;
  if (type == TiffType::kLong || type == TiffType::kSLong) offset = block_.U32(value_offset);
  if (type == TiffType::kShort || type == TiffType::kSShort) offset = block_.U16(value_offset);
  if (!offset) return;
  // A sub-directory's next-directory field links nothing: writers leave 0
  // or anything there.
  WalkDirectory(base, base + *offset, sub_directory ? section : ExifSection::kGps, depth + 1, false);
}

}  // namespace velmora::metadata
