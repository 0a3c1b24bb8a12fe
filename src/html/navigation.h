// Navigation targets of a page: which neighbour a link order gives at the
// ends of a directory, and setting a document's name and link variables.
#pragma once

#include <string>

#include "html/page_variables.h"

namespace velmora::html {

// "HTML_VERWEISFOLGE" and "HTML_BILD_VERWEISFOLGE".
enum class LinkOrder { kContinuous = 1, kCircular = 2, kBounded = 3 };
LinkOrder ReadLinkOrder(long value);

// A page a link leads to: directory and 1-based page, or directory and
// 0-based image; `directory` -1 when there is none.
struct Target {
  int directory = -1;
  int item = 0;
  bool exists() const { return directory >= 0; }
};

// The previous (step -1) or next (step 1) item of `item` in directory
// `d`, which holds items 1..count or 0..count-1 (`first`, `last` given).
// At the ends of the directory the link order decides; `neighbour` is the
// nearest directory with images in the direction of the step and
// `neighbour_end` the item at its near end.
Target Step(LinkOrder order, int d, int item, int step, int first, int last, int neighbour, int neighbour_end);

// Sets `doc_var` to the name and `ref_var` to the link.
inline void SetDocument(PageVariables& vars, PageVar doc_var, PageVar ref_var, const std::string& name,
                        const std::string& link) {
  vars.Set(doc_var, name);
  vars.Set(ref_var, link);
}

}  // namespace velmora::html
