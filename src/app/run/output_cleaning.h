// Removing the output of earlier runs: the contents of a clone, thumbnail or
// HTML folder, deleted or moved into the freedesktop.org trash. A folder that
// holds source images of the run is never cleaned.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/native_path.h"

namespace velmora::app {

enum class CleanResult {
  kCleaned,
  kRefused,      // the folder holds the base directory or a source folder: nothing touched
  kIncomplete,   // some entries could not be removed (listed in the log)
};

// Removes everything inside `folder` (the folder itself stays). With
// `delete_flags` 64 the entries go to the trash, so the user can get them
// back. `protected_folders` are the base directory and the run's source
// folders (canonical); when any of them lies inside `folder` or is `folder`,
// nothing is removed. Every entry removed gets a log line and counts in
// `removed`, so the user can see what went.
CleanResult DeleteFolderContents(const std::filesystem::path& folder, std::int32_t delete_flags,
                                 const std::vector<std::filesystem::path>& protected_folders, int& removed);

// The user's home folder ($HOME), resolved; empty when unknown. Cleaning
// never empties it nor a folder that holds it.
std::filesystem::path HomeFolder();

// Moves one file or folder into $XDG_DATA_HOME/Trash with its .trashinfo
// record. False when it could not be moved (it is then left in place).
bool MoveToTrash(const std::filesystem::path& entry);


}  // namespace velmora::app
