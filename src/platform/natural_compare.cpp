// Natural order of names.
#include "platform/natural_compare.h"

#include <algorithm>
#include <cstddef>

#include "platform/cp1252_case.h"

namespace velmora {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The next run of digits or of non-digits, starting at `pos`.
std::string_view NextRun(std::string_view text, std::size_t& pos) {
  if (pos >= text.size()) return {};
  const std::size_t start = pos;
  const bool digits = IsDigit(text[pos]);
  while (pos < text.size() && IsDigit(text[pos]) == digits) ++pos;
  return text.substr(start, pos - start);
}

// Padding the shorter run on the left with "0" compares numbers of any
// length by value, without overflow.
int CompareDigitRuns(std::string_view a, std::string_view b) {
  const std::size_t width = std::max(a.size(), b.size());
  for (std::size_t i = 0; i < width; ++i) {
    const char ca = i < width - a.size() ? '0' : a[i - (width - a.size())];
    const char cb = i < width - b.size() ? '0' : b[i - (width - b.size())];
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  return 0;
}

}  // namespace

int NaturalCompare(std::string_view a, std::string_view b) {
  std::size_t pa = 0;
  std::size_t pb = 0;
  for (;;) {
    const std::string_view ra = NextRun(a, pa);
    const std::string_view rb = NextRun(b, pb);
    if (ra.empty()) return rb.empty() ? 0 : -1;
    if (rb.empty()) return 1;
    const bool da = IsDigit(ra.front());
    const bool db = IsDigit(rb.front());
    const int order = da != db ? (da ? -1 : 1) : (da ? CompareDigitRuns(ra, rb) : Cp1252CompareIgnoreCase(ra, rb));
    if (order != 0) return order;
  }
}

}  // namespace velmora
