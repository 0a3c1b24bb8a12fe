#include "image/codecs/packbits.h"

#include <algorithm>

namespace velmora::image {

void UnpackBits(ByteReader& in, std::span<std::uint8_t> out) {
  std::size_t filled = 0;
  while (filled < out.size()) {
    const int header = static_cast<std::int8_t>(in.U8());
    if (header >= 0) {
      const std::size_t count = static_cast<std::size_t>(header) + 1;
      const auto literal = in.Bytes(count);
      const std::size_t take = std::min(count, out.size() - filled);
      std::copy_n(literal.begin(), take, out.begin() + filled);
      filled += take;
    } else if (header != -128) {  // -128 is a no-op by definition
      const std::size_t count = static_cast<std::size_t>(1 - header);
      const std::uint8_t value = in.U8();
      const std::size_t take = std::min(count, out.size() - filled);
      std::fill_n(out.begin() + filled, take, value);
      filled += take;
    }
  }
}

void PackBits(std::span<const std::uint8_t> row, std::vector<std::uint8_t>& out) {
  std::size_t i = 0;
  const std::size_t n = row.size();
  while (i < n) {
    std::size_t run = 1;
    while (i + run < n && run < 128 && row[i + run] == row[i]) ++run;
    if (run >= 3) {
      out.push_back(static_cast<std::uint8_t>(257 - run));
      out.push_back(row[i]);
      i += run;
      continue;
    }
    // A literal stretch lasts until a run of three equal bytes begins.
    std::size_t end = i;
    while (end < n && end - i < 128) {
      if (end + 2 < n && row[end] == row[end + 1] && row[end] == row[end + 2]) break;
      ++end;
    }
    if (end == i) end = i + 1;
    out.push_back(static_cast<std::uint8_t>(end - i - 1));
    out.insert(out.end(), row.begin() + i, row.begin() + end);
    i = end;
  }
}

}  // namespace velmora::image
