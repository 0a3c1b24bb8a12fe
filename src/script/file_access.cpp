// The file access policy of scripts.
#include "script/file_access.h"

#include <algorithm>

#include "platform/native_path.h"
#include "script/ansi.h"

namespace velmora::script {
namespace {

namespace fs = std::filesystem;

// A path the policy cannot place (a folder on the way that may not be
// searched) is empty and lies below no root: it is refused.
fs::path PolicyPath(const fs::path& path) { return ResolvedPath(path, Unresolvable::kEmpty); }

std::vector<fs::path> NormalisedRoots(const std::vector<fs::path>& roots) {
  std::vector<fs::path> normalised;
  for (const fs::path& root : roots) {
    if (root.empty()) continue;
    fs::path path = PolicyPath(root);
    if (!path.empty()) normalised.push_back(std::move(path));
  }
  return normalised;
}

bool WithinAny(const fs::path& path, const std::vector<fs::path>& roots) {
  const fs::path normalised = PolicyPath(path);
  if (normalised.empty()) return false;
  return std::any_of(roots.begin(), roots.end(), [&](const fs::path& root) { return PathWithin(normalised, root); });
}

}  // namespace

FileAccess FileAccess::Restricted(const std::vector<fs::path>& read_roots, const std::vector<fs::path>& write_roots,
                                  std::vector<std::string> data_sources) {
  FileAccess access;
  access.full_ = false;
  access.write_roots_ = NormalisedRoots(write_roots);
  access.read_roots_ = NormalisedRoots(read_roots);
  for (const fs::path& root : access.write_roots_) {
    if (std::find(access.read_roots_.begin(), access.read_roots_.end(), root) == access.read_roots_.end()) {
      access.read_roots_.push_back(root);
    }
  }
  for (std::string& name : data_sources) name = AnsiLower(name);
  access.data_sources_ = std::move(data_sources);
  return access;
}

bool FileAccess::MayRead(const fs::path& path) const { return full_ || WithinAny(path, read_roots_); }

bool FileAccess::MayWrite(const fs::path& path) const {
  if (is_protected_ && is_protected_(path)) return false;
  return full_ || WithinAny(path, write_roots_);
}

bool FileAccess::MayUseDataSource(std::string_view name) const {
  if (full_) return true;
  const std::string lower = AnsiLower(name);
  return std::find(data_sources_.begin(), data_sources_.end(), lower) != data_sources_.end();
}

}  // namespace velmora::script
