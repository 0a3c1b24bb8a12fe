// Hidden temporary twins of output files: written first, renamed over the
// real name when complete. A killed run leaves them behind; the name says
// which process made them, so a later run removes only orphans.
#pragma once

#include <filesystem>
#include <string>

namespace velmora {

// "." + name + "." + process id + "-" + counter + ".tmp" beside `path`:
// unique across threads and concurrent processes writing the same folder.
std::filesystem::path TemporaryTwin(const std::filesystem::path& path);

// True when `file_name` has exactly the shape TemporaryTwin gives.
bool IsTemporaryTwinName(const std::string& file_name);

// Removes the temporary twins in `folder` (not below it) whose process is
// gone; every other file stays. Returns how many were removed.
int RemoveOrphanedTwins(const std::filesystem::path& folder);

}  // namespace velmora
