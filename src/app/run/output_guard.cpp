// The run's output guard.
#include "app/run/output_guard.h"

#include <sys/stat.h>

#include <algorithm>

#include "platform/native_path.h"
#include "app/run/file_patterns.h"
#include "app/run/output_cleaning.h"

namespace velmora::app {
namespace {

namespace fs = std::filesystem;

bool FolderId(const fs::path& folder, std::pair<dev_t, ino_t>& id) {
  struct stat info {};
  if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
  id = {info.st_dev, info.st_ino};
  return true;
}

// A path whose links cannot all be followed keeps its lexical form: what
// lies behind a folder that may not be searched cannot be written either,
// and the write then fails with its own reason.
fs::path Resolved(const fs::path& path) { return ResolvedPath(path, Unresolvable::kLexical); }

}  // namespace

OutputGuard::OutputGuard(const fs::path& clone_dir, const std::vector<fs::path>& source_folders,
                         std::vector<std::string> image_patterns)
    : clone_dir_(clone_dir.empty() ? fs::path() : Resolved(clone_dir)), patterns_(std::move(image_patterns)) {
  for (const fs::path& folder : source_folders) {
    sources_.push_back(Resolved(folder));
    std::pair<dev_t, ino_t> id;
    if (FolderId(sources_.back(), id)) source_ids_.push_back(id);
  }
}

bool OutputGuard::IsResolvedSourceFolder(const fs::path& resolved) const {
  if (std::find(sources_.begin(), sources_.end(), resolved) != sources_.end()) return true;
  std::pair<dev_t, ino_t> id;
  return FolderId(resolved, id) && std::find(source_ids_.begin(), source_ids_.end(), id) != source_ids_.end();
}

bool OutputGuard::MayWrite(const fs::path& file) const {
  if (clone_dir_.empty() || file.empty()) return false;
  const fs::path resolved = Resolved(file);
  if (resolved == clone_dir_ || !PathWithin(resolved, clone_dir_) || IsResolvedSourceFolder(resolved)) return false;
  return !IsResolvedPhoto(resolved);
}

bool OutputGuard::IsSourceFolder(const fs::path& folder) const {
  return !folder.empty() && IsResolvedSourceFolder(Resolved(folder));
}

bool OutputGuard::IsPhoto(const fs::path& file) const { return !file.empty() && IsResolvedPhoto(Resolved(file)); }

bool OutputGuard::IsResolvedPhoto(const fs::path& resolved) const {
  if (!IsResolvedSourceFolder(resolved.parent_path())) return false;
  // In a folder of photos only names the run never takes for a photo; the
  // patterns match without regard to letter case, as the scan does.
  return MatchesAnyPattern(FromNativePathOrBytes(resolved.filename()).bytes(), patterns_);
}

bool OutputGuard::MayClean(const fs::path& folder) const {
  if (clone_dir_.empty() || folder.empty()) return false;
  const fs::path resolved = Resolved(folder);
  if (!PathWithin(resolved, clone_dir_)) return false;
  const fs::path home = HomeFolder();
  return home.empty() || !PathWithin(home, resolved);
}

}  // namespace velmora::app
