// What a photo carries besides its pixels, as read from its file: the EXIF
// entries of the four directories, the IPTC datasets, the text comments
// (JPEG comments, PNG text chunks, XMP fields), camera make and model, the
// maker-note layout and the focal-length multiplier. Texts are
// Windows-1252, as scripts hold them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "metadata/metadata_definition.h"

namespace velmora::metadata {

// TIFF field types as they stand in a directory entry.
enum class TiffType : std::uint16_t {
  kByte = 1, kAscii = 2, kShort = 3, kLong = 4, kRational = 5, kSByte = 6,
  kUndefined = 7, kSShort = 8, kSLong = 9, kSRational = 10, kFloat = 11, kDouble = 12,
};

// One directory entry with its converted values: numbers in decimal,
// rationals as numerator "/" denominator, an ASCII value as one text. An
// entry whose value could not be decoded (a maker note, count 0) holds the
// one text "Offset:" + position + " Bytes:" + count.
struct RLExif {
  std::uint16_t tag = 0;
  TiffType type = TiffType::kUndefined;
  std::uint32_t count = 0;
  std::vector<std::string> values;
  // Where the value's bytes start in the TIFF block that was read (0 when
  // unknown); lets a clone's copy of the block be corrected in place.
  std::uint32_t value_offset = 0;
};

struct IptcEntry {
  std::int32_t dataset = 0;
  std::string text;  // repeated datasets joined by "," in file order
};

struct ImageComment {
  std::string key;
  std::string text;
};

// The key under which JPEG comments are stored.
inline constexpr std::string_view kJpegCommentKey = "Comment";

struct PhotoMetadata {
  std::array<std::vector<RLExif>, kExifSectionCount> exif;
  std::int32_t maker_code = 0;    // 0: no maker note recognised
  double focal_multiplier = 0.0;  // 0: the model is not in the table
  std::string make;
  std::string model;
  std::vector<IptcEntry> iptc;
  std::vector<ImageComment> comments;

  bool HasExif() const;
  const std::vector<RLExif>& Section(ExifSection section) const { return exif[static_cast<std::size_t>(section)]; }
  std::vector<RLExif>& Section(ExifSection section) { return exif[static_cast<std::size_t>(section)]; }
  // The first entry of a tag in a section, or none.
  const RLExif* Find(ExifSection section, std::uint16_t tag) const;
  const IptcEntry* FindIptc(std::int32_t dataset) const;
  const ImageComment* FindComment(std::string_view key) const;

  // A repeated dataset is joined to the earlier one with ",".
  void AddIptc(std::int32_t dataset, std::string text);
  // A second comment with the same key replaces the text.
  void AddComment(std::string key, std::string text);

  // The EXIF orientation 1..8 of the main directory; 1 when absent or
  // out of range.
  int Orientation() const;
};

}  // namespace velmora::metadata
