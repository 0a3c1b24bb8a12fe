// Runs exiftool on files and reads its answer ("-n -G1 -a", one
// "-Group:Name=value" line per tag, lists joined with ","), for the
// comparison with our reader.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace velmora::metadata::test {

using ExiftoolTags = std::map<std::string, std::string>;  // "Group:Name" -> value (UTF-8)

bool ExiftoolAvailable();

// The tags exiftool reports for each file, by the file's path as given;
// nothing when it could not run. One run for all files.
std::optional<std::map<std::string, ExiftoolTags>> RunExiftool(const std::vector<std::filesystem::path>& files);

}  // namespace velmora::metadata::test
