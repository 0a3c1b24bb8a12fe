// Runs exiftool on a file and reads its JSON answer ("-j -n -G1 -a"): each
// tag as "Group:Name" with its value as text (numbers as exiftool printed
// them, lists joined with ","), for the comparison with our reader.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace velmora::metadata::test {

using ExiftoolTags = std::map<std::string, std::string>;

bool ExiftoolAvailable();

// The tags exiftool reports for each file, by the file's path as given
// ("SourceFile"); nothing when it could not run. One run for all files.
std::optional<std::map<std::string, ExiftoolTags>> RunExiftool(const std::vector<std::filesystem::path>& files);

// The objects of exiftool's JSON answer.
std::optional<std::vector<ExiftoolTags>> ParseExiftoolJson(const std::string& json);

}  // namespace velmora::metadata::test
