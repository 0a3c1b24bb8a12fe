// The file access policy of scripts.
#include "script/file_access.h"

#include <algorithm>
#include <system_error>

#include "platform/native_path.h"
#include "script/ansi.h"

namespace velmora::script {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> NormalisedRoots(const std::vector<fs::path>& roots) {
  std::vector<fs::path> normalised;
  for (const fs::path& root : roots) {
    if (root.empty()) continue;
    fs::path path = NormalisedPath(root);
    if (!path.empty()) normalised.push_back(std::move(path));
  }
  return normalised;
}

bool WithinAny(const fs::path& path, const std::vector<fs::path>& roots) {
  const fs::path normalised = NormalisedPath(path);
  if (normalised.empty()) return false;
  return std::any_of(roots.begin(), roots.end(), [&](const fs::path& root) { return PathWithin(normalised, root); });
}

}  // namespace

fs::path NormalisedPath(const fs::path& path) {
  if (path.empty()) return {};
  std::error_code error;
  const fs::path absolute = fs::absolute(path, error);
  if (error) return {};
  fs::path normalised = fs::weakly_canonical(absolute, error);
  if (error) return {};
  // weakly_canonical keeps a trailing separator ("a/b/"), which would read as an extra empty piece.
  if (!normalised.has_filename() && normalised.has_parent_path() && normalised != normalised.root_path()) {
    normalised = normalised.parent_path();
  }
  return normalised;
}

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
