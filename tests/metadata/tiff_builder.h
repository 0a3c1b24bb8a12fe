// Builds TIFF blocks, EXIF segments and small JPEG and PNG files for the
// metadata tests, in either byte order, so that each test states only the
// entries it is about.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "metadata/byte_reader.h"

namespace velmora::metadata::test {

using Bytes = std::vector<std::uint8_t>;

inline Bytes ToBytes(std::string_view text) { return Bytes(text.begin(), text.end()); }

inline void Append(Bytes& out, std::uint64_t value, int size, ByteOrder order) {
  for (int i = 0; i < size; ++i) {
    const int shift = 8 * (order == ByteOrder::kBig ? size - 1 - i : i);
    out.push_back(static_cast<std::uint8_t>(value >> shift));
  }
}

inline void Put(Bytes& out, std::size_t at, std::uint64_t value, int size, ByteOrder order) {
  Bytes piece;
  Append(piece, value, size, order);
  std::copy(piece.begin(), piece.end(), out.begin() + static_cast<std::ptrdiff_t>(at));
}

// One directory entry. Numbers are serialised in the block's byte order
// when the block is built; `raw` bytes are taken as they are; `make_raw`
// builds them knowing where in the block they will stand (maker notes with
// offsets into themselves); `directory` makes the entry a LONG pointer to
// another directory of the block.
struct Entry {
  std::uint16_t tag = 0;
  std::uint16_t type = 0;
  std::uint32_t count = 0;
  std::vector<std::uint64_t> numbers;
  Bytes raw;
  std::function<Bytes(std::uint32_t position, ByteOrder order)> make_raw;
  int directory = -1;
  // A value offset written as it is instead of where the value lands.
  std::int64_t forced_offset = -1;

  static Entry Short(std::uint16_t tag, std::initializer_list<std::uint64_t> values) {
    return {tag, 3, static_cast<std::uint32_t>(values.size()), values, {}, {}, -1, -1};
  }
  static Entry Long(std::uint16_t tag, std::initializer_list<std::uint64_t> values) {
    return {tag, 4, static_cast<std::uint32_t>(values.size()), values, {}, {}, -1, -1};
  }
  static Entry Rational(std::uint16_t tag, std::uint64_t numerator, std::uint64_t denominator) {
    return {tag, 5, 1, {numerator, denominator}, {}, {}, -1, -1};
  }
  // The text and its zero byte.
  static Entry Ascii(std::uint16_t tag, std::string_view text) {
    Bytes raw = ToBytes(text);
    raw.push_back(0);
    return {tag, 2, static_cast<std::uint32_t>(raw.size()), {}, raw, {}, -1, -1};
  }
  static Entry Raw(std::uint16_t tag, std::uint16_t type, std::uint32_t count, Bytes raw) {
    return {tag, type, count, {}, std::move(raw), {}, -1, -1};
  }
  static Entry Undefined(std::uint16_t tag, Bytes raw) {
    const auto count = static_cast<std::uint32_t>(raw.size());
    return {tag, 7, count, {}, std::move(raw), {}, -1, -1};
  }
  static Entry Pointer(std::uint16_t tag, int directory) { return {tag, 4, 1, {}, {}, {}, directory, -1}; }
  static Entry Built(std::uint16_t tag, std::function<Bytes(std::uint32_t position, ByteOrder order)> make) {
    return {tag, 7, 0, {}, {}, std::move(make), -1, -1};
  }
};

struct Directory {
  std::vector<Entry> entries;
  int next = -1;  // index of the next directory in the chain, -1 for none
};

inline int NumberSize(std::uint16_t type) {
  switch (type) {
    case 3: case 8: return 2;
    case 4: case 9: case 11: return 4;
    case 5: case 10: return 4;  // each half of a rational
    case 12: return 8;
    default: return 1;
  }
}

// Header, then each directory followed by its values. Directory 0 is IFD0.
inline Bytes BuildTiff(ByteOrder order, const std::vector<Directory>& directories) {
  Bytes out = order == ByteOrder::kBig ? Bytes{'M', 'M'} : Bytes{'I', 'I'};
  Append(out, 42, 2, order);
  Append(out, 8, 4, order);
  std::vector<std::uint32_t> positions(directories.size());
  struct Fixup {
    std::size_t at;
    int directory;
  };
  std::vector<Fixup> fixups;
  for (std::size_t d = 0; d < directories.size(); ++d) {
    const Directory& dir = directories[d];
    positions[d] = static_cast<std::uint32_t>(out.size());
    Append(out, dir.entries.size(), 2, order);
    const std::size_t first = out.size();
    out.resize(first + 12 * dir.entries.size() + 4, 0);
    if (dir.next >= 0) fixups.push_back({first + 12 * dir.entries.size(), dir.next});
    for (std::size_t e = 0; e < dir.entries.size(); ++e) {
      const Entry& entry = dir.entries[e];
      const std::size_t at = first + 12 * e;
      Put(out, at, entry.tag, 2, order);
      Put(out, at + 2, entry.type, 2, order);
      Put(out, at + 4, entry.count, 4, order);
      if (entry.directory >= 0) {
        fixups.push_back({at + 8, entry.directory});
        continue;
      }
      Bytes value = entry.raw;
      for (std::uint64_t n : entry.numbers) Append(value, n, NumberSize(entry.type), order);
      if (entry.make_raw) {  // an UNDEFINED value of more than 4 bytes, counted here
        value = entry.make_raw(static_cast<std::uint32_t>(out.size()), order);
        Put(out, at + 4, value.size(), 4, order);
      }
      if (entry.forced_offset >= 0) {
        Put(out, at + 8, static_cast<std::uint64_t>(entry.forced_offset), 4, order);
      } else if (value.size() <= 4) {
        std::copy(value.begin(), value.end(), out.begin() + static_cast<std::ptrdiff_t>(at + 8));
      } else {
        Put(out, at + 8, out.size(), 4, order);
        out.insert(out.end(), value.begin(), value.end());
        if (out.size() % 2 != 0) out.push_back(0);
      }
    }
  }
  for (const Fixup& f : fixups) Put(out, f.at, positions[static_cast<std::size_t>(f.directory)], 4, order);
  return out;
}

// "Exif\0\0" + the block: a JPEG APP1 segment's data after its length bytes.
inline Bytes ExifSegment(const Bytes& tiff) {
  Bytes out(6 + tiff.size(), 0);
  std::copy_n("Exif", 4, out.begin());
  std::copy(tiff.begin(), tiff.end(), out.begin() + 6);
  return out;
}

struct Segment {
  std::uint8_t marker;
  Bytes data;
};

// SOI, the segments, a start of scan with a little entropy-coded data, EOI.
inline Bytes BuildJpeg(const std::vector<Segment>& segments) {
  Bytes out = {0xFF, 0xD8};
  for (const Segment& s : segments) {
    out.push_back(0xFF);
    out.push_back(s.marker);
    Append(out, s.data.size() + 2, 2, ByteOrder::kBig);
    out.insert(out.end(), s.data.begin(), s.data.end());
  }
  const Bytes scan = {0xFF, 0xDA, 0x00, 0x02, 0x12, 0x34, 0xFF, 0xD9};
  out.insert(out.end(), scan.begin(), scan.end());
  return out;
}

struct Chunk {
  std::string type;
  Bytes data;
};

// The PNG signature and the chunks, each with its length and a dummy CRC
// (the metadata reader does not check CRCs), then IEND.
inline Bytes BuildPng(const std::vector<Chunk>& chunks) {
  Bytes out = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  auto add = [&](const std::string& type, const Bytes& data) {
    Append(out, data.size(), 4, ByteOrder::kBig);
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    Append(out, 0, 4, ByteOrder::kBig);
  };
  for (const Chunk& c : chunks) add(c.type, c.data);
  add("IEND", {});
  return out;
}

}  // namespace velmora::metadata::test
