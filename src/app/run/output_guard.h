// The one answer to "may this run write this path?". Every writer of a run
// (clones, thumbnails, pages, decoration files, cleaning) asks it, so that
// a setting, a renamed name or a symbolic link can never make the run
// replace a photo or write outside its clone folder.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace velmora::app {

class OutputGuard {
 public:
  // Allows nothing until a run has set it up.
  OutputGuard() = default;
  // `clone_dir`: where every output of the run lies (the base folder when
  // clones are off). `source_folders`: the base folder and every folder
  // the run reads photos from. `image_patterns`: the run's file patterns.
  OutputGuard(const std::filesystem::path& clone_dir, const std::vector<std::filesystem::path>& source_folders,
              std::vector<std::string> image_patterns);

  // True when `file` lies inside the clone folder once ".", "..", symbolic
  // links and trailing separators are resolved, is no source folder, and
  // is not a file that the run reads (or would read) as a photo.
  bool MayWrite(const std::filesystem::path& file) const;

  // True when `file` is a file that the run reads (or would read) as a
  // photo: its name matches the run's patterns in one of the source folders.
  bool IsPhoto(const std::filesystem::path& file) const;

  // True when `folder` is the base folder or a folder the run reads photos
  // from, also under another name (a link, another letter case).
  bool IsSourceFolder(const std::filesystem::path& folder) const;

  // True when the contents of `folder` may be removed as far as the place
  // goes: it lies inside the clone folder (or is it) and is neither the
  // user's home folder nor holds it. Folders holding photos are refused by
  // the cleaning itself (DeleteFolderContents).
  bool MayClean(const std::filesystem::path& folder) const;

  const std::filesystem::path& clone_dir() const { return clone_dir_; }
  // The source folders, resolved.
  const std::vector<std::filesystem::path>& source_folders() const { return sources_; }

 private:
  bool IsResolvedSourceFolder(const std::filesystem::path& resolved) const;
  bool IsResolvedPhoto(const std::filesystem::path& resolved) const;

  std::filesystem::path clone_dir_;  // resolved; empty: nothing may be written
  std::vector<std::filesystem::path> sources_;
  std::vector<std::pair<dev_t, ino_t>> source_ids_;  // the same folder under another name or letter case
  std::vector<std::string> patterns_;
};

}  // namespace velmora::app
