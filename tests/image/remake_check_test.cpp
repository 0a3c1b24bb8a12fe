// Every reason to make a clone or a thumbnail again, and every case where
// an existing one is kept, as a table.
#include "image/remake_check.h"

#include <gtest/gtest.h>

#include <chrono>

namespace velmora::image {
namespace {

using namespace std::chrono_literals;

const FileTime kOriginal = FileTime{} + 1000s;
const ImageSize kSize{400, 300};
const ExistingOutput kCurrent{true, kOriginal + 1s, kSize};

struct CloneCase {
  const char* what;
  CloneRemake facts;
  bool remake;
};

TEST(RemakeCheck, CloneIsRemadeWhenMissingOutdatedResizedOrChangedByAScript) {
  const CloneCase cases[] = {
      {"up to date", {kCurrent, kOriginal, kSize, false, false}, false},
      {"as old as its original", {{true, kOriginal, kSize}, kOriginal, kSize, false, false}, false},
      {"missing", {{false, kOriginal + 1s, kSize}, kOriginal, kSize, false, false}, true},
      {"older than its original", {{true, kOriginal - 1s, kSize}, kOriginal, kSize, false, false}, true},
      {"other width", {{true, kOriginal + 1s, {401, 300}}, kOriginal, kSize, false, false}, true},
      {"other height", {{true, kOriginal + 1s, {400, 299}}, kOriginal, kSize, false, false}, true},
      {"script or clone list", {kCurrent, kOriginal, kSize, false, true}, true},
      {"script, only if newer", {kCurrent, kOriginal, kSize, true, true}, false},
      {"only if newer, but outdated", {{true, kOriginal - 1s, kSize}, kOriginal, kSize, true, true}, true},
  };
  for (const CloneCase& c : cases) EXPECT_EQ(MustRemakeClone(c.facts), c.remake) << c.what;
}

struct ThumbCase {
  const char* what;
  ThumbRemake facts;
  bool remake;
};

TEST(RemakeCheck, ThumbnailIsRemadeWhenMissingOutdatedResizedOrItsCloneWasRemade) {
  const ThumbCase cases[] = {
      {"up to date", {kCurrent, kOriginal, kSize, false, false}, false},
      {"missing", {{false, kOriginal + 1s, kSize}, kOriginal, kSize, false, false}, true},
      {"older than the original", {{true, kOriginal - 1s, kSize}, kOriginal, kSize, false, false}, true},
      {"other size", {{true, kOriginal + 1s, {100, 75}}, kOriginal, kSize, false, false}, true},
      // The clone is newer than the thumbnail: it would show the old clone.
      {"from a remade clone", {kCurrent, kOriginal, kSize, true, true}, true},
      {"from a kept clone", {kCurrent, kOriginal, kSize, true, false}, false},
      {"from the original, clone remade", {kCurrent, kOriginal, kSize, false, true}, false},
  };
  for (const ThumbCase& c : cases) EXPECT_EQ(MustRemakeThumb(c.facts), c.remake) << c.what;
}

}  // namespace
}  // namespace velmora::image
