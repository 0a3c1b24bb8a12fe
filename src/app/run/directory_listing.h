// Reading directories for a run: the subdirectories of a folder and the image
// files in it. Names cross from the file system's UTF-8 into the program's
// Windows-1252 here; a name that Windows-1252 cannot hold is reported by its
// UTF-8 name and left out, so it can never be mangled into another file's name.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <system_error>
#include <vector>

namespace velmora::app {

struct DirectoryEntry {
  std::string name;             // Windows-1252
  std::filesystem::path path;   // the file system's own name
  std::int64_t last_write = 0;  // seconds since the epoch
};

struct ImageFileEntry {
  std::string name;  // Windows-1252, with extension
  std::filesystem::path path;
  std::int64_t bytes = 0;
  std::int64_t last_write = 0;  // seconds since the epoch
};

// Called for each entry left out because of its name (UTF-8 path).
using SkippedNameReport = std::function<void(const std::filesystem::path&)>;
// Called when `directory` itself cannot be read (permissions, a vanished
// or broken folder), with the reason.
using UnreadableFolderReport = std::function<void(const std::filesystem::path&, const std::error_code&)>;

// The subdirectories of `directory`, without hidden ones (names starting
// with "."), ordered by name without regard to case, as desktop file systems
// list them. An unreadable directory gives an empty list (and `unreadable`).
std::vector<DirectoryEntry> ListSubdirectories(const std::filesystem::path& directory,
                                               const SkippedNameReport& skipped = {},
                                               const UnreadableFolderReport& unreadable = {});

// The regular files of `directory` whose names match one of the patterns, in
// the same order. An unreadable directory gives an empty list (and `unreadable`).
std::vector<ImageFileEntry> ListImageFiles(const std::filesystem::path& directory,
                                           const std::vector<std::string>& patterns,
                                           const SkippedNameReport& skipped = {},
                                           const UnreadableFolderReport& unreadable = {});

}  // namespace velmora::app
