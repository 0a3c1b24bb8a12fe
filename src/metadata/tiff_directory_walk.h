// The walk over the directories of one TIFF block (an EXIF segment's, a
// PNG eXIf chunk's or a whole TIFF file): every entry converted into its
// section, sub-directories and the GPS directory followed, the chain of
// top-level directories continued as the thumbnail section.
//
// Hostile blocks are expected. Every position is checked before it is read.
// A directory or entry beyond the block ends the whole walk, keeping what
// was read; a value beyond it is kept as its position and size.
// A directory is walked at most once per position, nesting and the number
// of directories, entries and converted components are limited, so that no
// block, however built, costs more than a bounded amount of time and memory.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "metadata/byte_reader.h"
#include "metadata/photo_metadata.h"

namespace velmora::metadata {

inline constexpr std::uint16_t kExifDirectoryTag = 34665;
inline constexpr std::uint16_t kInteroperabilityDirectoryTag = 40965;
inline constexpr std::uint16_t kGpsDirectoryTag = 34853;
inline constexpr std::uint16_t kMakeTag = 271;
inline constexpr std::uint16_t kModelTag = 272;
inline constexpr std::uint16_t kMakerNoteTag = 37500;

class TiffDirectoryWalk {
 public:
  // `position_origin` is the number the "Offset:" texts give the block's
  // first byte, so that they count positions the way the user's data does.
  TiffDirectoryWalk(PhotoMetadata& metadata, std::span<const std::uint8_t> block, ByteOrder order,
                    std::uint64_t position_origin);

  // Walks the directory at `position` and the chain of directories after
  // it: the first into `section`, the ones after it as the thumbnail
  // section. Offsets count from `base`.
  void WalkChain(std::uint64_t base, std::uint64_t position, ExifSection section);
  // Walks one maker-note directory in its own byte order; its pointers and
  // next-directory field belong to the maker and are not followed.
  void WalkMakerNote(std::uint64_t base, std::uint64_t position, ByteOrder order);

  // False once a position beyond the block (or a limit) ended the walk.
  bool ok() const { return ok_; }
  // The maker note's position in the block, when the walk met one.
  std::optional<std::uint64_t> maker_note() const { return maker_note_; }

 private:
  // Walks one directory; gives the next directory's offset (0: none).
  std::uint32_t WalkDirectory(std::uint64_t base, std::uint64_t position, ExifSection section, int depth,
                              bool read_next);
  // Converts one 12-byte entry; false when the directory ends here.
  bool ReadEntry(std::uint64_t base, std::uint64_t entry, ExifSection section, int depth);
  // Walks the sub-directory or GPS directory an entry points to.
  void FollowPointer(std::uint16_t tag, TiffType type, std::uint32_t value_offset, std::uint64_t base,
                     ExifSection section, int depth);
  void Fail() { ok_ = false; }

  PhotoMetadata& metadata_;
  ByteReader block_;
  std::uint64_t position_origin_;
  bool ok_ = true;
  std::optional<std::uint64_t> maker_note_;
  std::vector<std::uint64_t> visited_;
  std::size_t entries_ = 0;
  std::uint64_t components_ = 0;
};

}  // namespace velmora::metadata
