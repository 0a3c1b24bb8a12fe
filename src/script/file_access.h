// Which files and data sources the built-ins of a script may touch. Profiles
// are code from anyone: a filter, module or template must not read the
// user's private files into a published page nor write outside the run's
// output, so a host restricts its scripts to a few folders. The policy is
// the host's, never the script's.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::script {

class FileAccess {
 public:
  // Everything the user may touch (a script file the user runs by hand).
  FileAccess() = default;

  // Reading below `read_roots` and `write_roots`, writing below `write_roots`
  // only, and the data source names in `data_sources` (any letter case).
  // Empty lists allow nothing.
  static FileAccess Restricted(const std::vector<std::filesystem::path>& read_roots,
                               const std::vector<std::filesystem::path>& write_roots,
                               std::vector<std::string> data_sources);

  bool full() const { return full_; }
  // Paths are normalised first (absolute, "." and "..", symbolic links),
  // so "clone/../../x" and a link out of an allowed folder are refused.
  bool MayRead(const std::filesystem::path& path) const;
  bool MayWrite(const std::filesystem::path& path) const;
  bool MayUseDataSource(std::string_view name) const;

  // Files that no script may replace whatever the policy, such as the photos
  // a run reads: with clones off the run writes into the photo folders.
  using ProtectedFile = std::function<bool(const std::filesystem::path&)>;
  void Protect(ProtectedFile is_protected) { is_protected_ = std::move(is_protected); }

  const std::vector<std::filesystem::path>& read_roots() const { return read_roots_; }
  const std::vector<std::filesystem::path>& write_roots() const { return write_roots_; }

 private:
  bool full_ = true;
  std::vector<std::filesystem::path> read_roots_;   // normalised; include the write roots
  std::vector<std::filesystem::path> write_roots_;  // normalised
  std::vector<std::string> data_sources_;
  ProtectedFile is_protected_;
};

}  // namespace velmora::script
