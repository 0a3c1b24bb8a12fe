// What the listings of a run leave out: files and folders whose names the
// program cannot hold (outside Windows-1252, or no UTF-8 at all) and
// folders that cannot be read. Each is a message, shown once per path
// however often the tree and the run list the same folder, so that nothing
// is skipped without a word and batch mode ends with exit status 3.
#pragma once

#include <filesystem>
#include <set>
#include <system_error>

#include "app/run/directory_listing.h"

namespace velmora::app {

class ListingReport {
 public:
  void NameNotRepresentable(const std::filesystem::path& path, bool is_folder);
  void FolderNotReadable(const std::filesystem::path& folder, const std::error_code& error);

  // The callbacks the directory listings take.
  SkippedNameReport SkippedFiles();
  SkippedNameReport SkippedFolders();
  UnreadableFolderReport UnreadableFolders();

 private:
  bool FirstTime(const std::filesystem::path& path) { return reported_.insert(path).second; }

  std::set<std::filesystem::path> reported_;
};

}  // namespace velmora::app
