// Link orders at the ends of a directory.
#include "html/navigation.h"

namespace velmora::html {

LinkOrder ReadLinkOrder(long value) {
  if (value == 2) return LinkOrder::kCircular;
  if (value == 3) return LinkOrder::kBounded;
  return LinkOrder::kContinuous;
}

Target Step(LinkOrder order, int d, int item, int step, int first, int last, int neighbour, int neighbour_end) {
  const int next = item + step;
  if (next >= first && next <= last) return {d, next};
  switch (order) {
    case LinkOrder::kContinuous:
      return neighbour >= 0 ? Target{neighbour, neighbour_end} : Target{};
    case LinkOrder::kCircular:
      return {d, step < 0 ? last : first};
    case LinkOrder::kBounded:
      break;
  }
  return {};
}

}  // namespace velmora::html
