// The remake decisions of the pipeline.
#include "image/remake_check.h"

namespace velmora::image {
namespace {

// Missing, older than its original or of another size than this run makes.
bool Outdated(const ExistingOutput& output, FileTime original_modified, ImageSize wanted) {
  return !output.exists || output.modified < original_modified || output.size.width != wanted.width ||
         output.size.height != wanted.height;
}

}  // namespace

bool MustRemakeClone(const CloneRemake& facts) {
  return Outdated(facts.clone, facts.original_modified, facts.target) ||
         (!facts.only_if_newer && facts.changes_pixels);
}

bool MustRemakeThumb(const ThumbRemake& facts) {
  // A thumbnail of a clone that was just made again shows the old clone.
  return Outdated(facts.thumb, facts.original_modified, facts.expected) || (facts.from_clone && facts.clone_made);
}

}  // namespace velmora::image
