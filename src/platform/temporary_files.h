// Hidden temporary twins of output files: written first, renamed over the
// real name when complete. A killed run leaves them behind; the name says
// which process made them, so a later run removes only orphans.
#pragma once

#include <filesystem>
#include <string>

namespace velmora {

// ".velmora-" + a 16-digit hash of the name + "." + process id + "-" +
// counter + ".tmp" beside `path`: unique across threads and concurrent
// processes writing the same folder, and never longer than 60 bytes, so that a
// final name of any allowed length still has a twin.
std::filesystem::path TemporaryTwin(const std::filesystem::path& path);

// True when `file_name` has the shape of a twin: "." + a name + "." +
// process id + "-" + counter + ".tmp" (earlier versions put the whole final
// name where the hash now stands; their leftovers are twins as well).
bool IsTemporaryTwinName(const std::string& file_name);

// Removes the temporary twins in `folder` (not below it) whose process is
// gone; every other file stays. Returns how many were removed.
int RemoveOrphanedTwins(const std::filesystem::path& folder);

}  // namespace velmora
