#include "metadata/maker_note.h"

#include <algorithm>
#include <array>
#include <limits>

namespace velmora::metadata {
namespace {

// What a row asks of the note beyond the make.
enum class Test {
  kNone,
  kFoundAfterNote,      // `text` occurs anywhere from the note to the block's end
  kStartsWith,          // the note starts with the bytes of `text`
  kStartsWithNoCase,    // the note starts with `text` in any letter case
  kNikonOldModel,       // the note starts with "NIKON" (any case) and the model is an early Coolpix
  kNotStartsWithNoCase, // the note does not start with `text` in any letter case
};

// Where the directory lies: `offset` bytes into the note, or (Fujifilm)
// at the note plus the little-endian offset stored 8 bytes into it.
enum class Directory { kAtOffset, kFujifilm };

// What the directory's offsets count from: the TIFF header, or the note plus `base_offset`.
enum class Base { kTiffHeader, kNote };

// The byte order of the directory: the block's, little-endian whatever the
// block says, or the order written at `order_at` bytes into the note when
// it is "II" or "MM" (notes that carry a TIFF header of their own).
enum class Order { kBlock, kLittle, kFromNote };

struct Row {
  std::string_view make;
  Test test;
  std::string_view text;
  std::int32_t maker_code;
  Directory directory;
  std::uint64_t offset;
  Base base;
  std::uint64_t base_offset;
  Order order;
  std::uint64_t order_at;
};

// First matching row wins.
constexpr std::array kRows = {
    Row{"AGFA", Test::kNone, "", 18, Directory::kAtOffset, 8, Base::kTiffHeader, 0, Order::kBlock, 0},
    Row{"ASAHI", Test::kFoundAfterNote, "AOC", 3, Directory::kAtOffset, 6, Base::kTiffHeader, 0, Order::kBlock, 0},
    Row{"ASAHI", Test::kNone, "", 2, Directory::kAtOffset, 0, Base::kTiffHeader, 0, Order::kBlock, 0},
    Row{"CANON", Test::kNone, "", 4, Directory::kAtOffset, 0, Base::kTiffHeader, 0, Order::kBlock, 0},
    Row{"CASIO", Test::kFoundAfterNote, "QVC", 6, Directory::kAtOffset, 6, Base::kTiffHeader, 0, Order::kBlock, 0},
    Row{"CASIO", Test::kNone, "", 5, Directory::kAtOffset, 0, Base::kNote, 0, Order::kBlock, 0},
    Row{"EPSON", Test::kNone, "", 18, Directory::kAtOffset, 8, Base::kTiffHeader, 0, Order::kBlock, 0},
    Row{"FUJIFILM", Test::kNone, "", 8, Directory::kFujifilm, 0, Base::kNote, 0, Order::kLittle, 0},
    Row{"JENOPTIK", Test::kStartsWith, "SKANH", 10, Directory::kAtOffset, 8, Base::kTiffHeader, 0, Order::kBlock, 0},
    Row{"LEICA", Test::kFoundAfterNote, "FUJIFILM", 8, Directory::kFujifilm, 0, Base::kNote, 0, Order::kLittle, 0},
    Row{"LEICA", Test::kNone, "", 14, Directory::kAtOffset, 8, Base::kTiffHeader, 0, Order::kBlock, 0},
    Row{"MINOLTA", Test::kNone, "", 15, Directory::kAtOffset, 0, Base::kTiffHeader, 0, Order::kBlock, 0},
    Row{"NIKON", Test::kNikonOldModel, "NIKON", 16, Directory::kAtOffset, 8, Base::kTiffHeader, 0, Order::kBlock, 0},
    // "Nikon\0" + version, then a TIFF header of its own at 10 bytes in.
    Row{"NIKON", Test::kStartsWithNoCase, "NIKON", 17, Directory::kAtOffset, 18, Base::kNote, 10, Order::kFromNote, 10},
    Row{"NIKON", Test::kNotStartsWithNoCase, "NIKON", 17, Directory::kAtOffset, 0, Base::kTiffHeader, 0, Order::kBlock, 0},
    // "OLYMPUS\0" + "II" or "MM" + version: the later layout, whose offsets
    // count from the note, in front of the older "OLYMP\0" one.
    Row{"OLYMPUS", Test::kStartsWith, std::string_view("OLYMPUS\0", 8), 18, Directory::kAtOffset, 12, Base::kNote, 0,
        Order::kFromNote, 8},
    Row{"OLYMPUS", Test::kNone, "", 18, Directory::kAtOffset, 8, Base::kTiffHeader, 0, Order::kBlock, 0},
    Row{"PANASONIC", Test::kNone, "", 19, Directory::kAtOffset, 12, Base::kTiffHeader, 0, Order::kBlock, 0},
    Row{"PENTAX", Test::kFoundAfterNote, "AOC", 3, Directory::kAtOffset, 6, Base::kTiffHeader, 0, Order::kBlock, 0},
    Row{"RICOH", Test::kFoundAfterNote, "RICOH", 21, Directory::kAtOffset, 8, Base::kTiffHeader, 0, Order::kBlock, 0},
    Row{"SANYO", Test::kNone, "", 18, Directory::kAtOffset, 8, Base::kTiffHeader, 0, Order::kBlock, 0},
    Row{"SIGMA", Test::kNone, "", 25, Directory::kAtOffset, 10, Base::kTiffHeader, 0, Order::kBlock, 0},
};

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Case-insensitive (ASCII letters) test for `needle` inside `text`.
bool ContainsNoCase(std::string_view text, std::string_view needle) {
  return std::search(text.begin(), text.end(), needle.begin(), needle.end(),
                     [](char a, char b) { return Upper(a) == Upper(b); }) != text.end();
}

bool StartsWithNoCase(const ByteReader& block, std::uint64_t note, std::string_view text) {
  const std::optional<std::span<const std::uint8_t>> bytes = block.Bytes(note, text.size());
  if (!bytes) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (Upper(static_cast<char>((*bytes)[i])) != Upper(text[i])) return false;
  }
  return true;
}

bool FoundAfter(const ByteReader& block, std::uint64_t note, std::string_view text) {
  const std::span<const std::uint8_t> rest = block.From(note);
  return std::search(rest.begin(), rest.end(), text.begin(), text.end(),
                     [](std::uint8_t a, char b) { return a == static_cast<std::uint8_t>(b); }) != rest.end();
}

bool IsOldNikonModel(std::string_view model) {
  constexpr std::array<std::string_view, 5> kModels = {"E70", "E80", "E90", "E91", "E95"};
  return std::any_of(kModels.begin(), kModels.end(), [&](std::string_view m) { return ContainsNoCase(model, m); });
}

bool Applies(const Row& row, const ByteReader& block, std::uint64_t note, std::string_view model) {
  switch (row.test) {
    case Test::kNone: return true;
    case Test::kFoundAfterNote: return FoundAfter(block, note, row.text);
    case Test::kStartsWith: return block.Matches(note, row.text);
    case Test::kStartsWithNoCase: return StartsWithNoCase(block, note, row.text);
    case Test::kNikonOldModel: return StartsWithNoCase(block, note, row.text) && IsOldNikonModel(model);
    case Test::kNotStartsWithNoCase: return !StartsWithNoCase(block, note, row.text);
  }
  return false;
}

ByteOrder OrderOf(const Row& row, const ByteReader& block, std::uint64_t note) {
  if (row.order == Order::kLittle) return ByteOrder::kLittle;
  if (row.order == Order::kFromNote) {
    if (block.Matches(note + row.order_at, "II")) return ByteOrder::kLittle;
    if (block.Matches(note + row.order_at, "MM")) return ByteOrder::kBig;
  }
  return block.order();
}

}  // namespace

std::optional<MakerNoteLayout> RecogniseMakerNote(const ByteReader& block, std::uint64_t note, std::string_view make,
                                                  std::string_view model) {
  for (const Row& row : kRows) {
    if (!ContainsNoCase(make, row.make) || !Applies(row, block, note, model)) continue;
    MakerNoteLayout layout;
    layout.maker_code = row.maker_code;
    layout.order = OrderOf(row, block, note);
    layout.base = row.base == Base::kNote ? note + row.base_offset : 0;
    if (row.directory == Directory::kFujifilm) {
      const std::optional<std::uint32_t> offset = block.U32(note + 8, ByteOrder::kLittle);
      // An unreadable offset leaves the directory beyond the block, where
      // the walk stops at once.
      layout.directory = offset ? note + *offset : std::numeric_limits<std::uint64_t>::max();
    } else {
      layout.directory = note + row.offset;
    }
    return layout;
  }
  return std::nullopt;
}

}  // namespace velmora::metadata
