// The rename settings of clones or thumbnails, read once per run, and the
// names they give.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace velmora::settings {
class SettingsTable;
}

namespace velmora::app {

struct RenameRules {
  bool active = false;
  std::string mask;
  int digits = 4;
  std::string find;
  std::string replace;
  int letter_case = 0;  // 0 keep, 1 lower, 2 upper
};

// `prefix` is "CLONE" or "THUMB".
RenameRules ReadRenameRules(const settings::SettingsTable& settings, std::string_view prefix);

// The new base name (without extension) for a file of a directory.
std::string RenamedName(const RenameRules& rules, std::string_view directory, std::string_view file,
                        std::int64_t number);

// A name the file system takes: not empty, shorter than 256 characters, no
// leading or trailing blank, not beginning with "$", none of " / \ : | < > * ?.
bool IsValidFileName(std::string_view name);

// The number of entries of a list split at ",".
std::size_t CountListEntries(std::string_view list);

}  // namespace velmora::app
