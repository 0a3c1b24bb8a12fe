// The user settings store: small per-user values that are not part of a
// profile (last session, window geometry, general options, language), kept by
// section and value name in $XDG_CONFIG_HOME/velmora/velmora.ini. Section
// names may address a subsection with "\" ("LastSession\basedirs").
//
// A value stored again unchanged is not written; a temporary file that a
// killed write left beside the store is removed when the store is first read.
//
// A store file that cannot be parsed is reported once in the log (file and
// line) and read as empty, so every value takes its default; it is left as it
// is until a value is stored, and then kept beside the new file as
// "velmora.ini.corrupt" so that nothing the user wrote is lost.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velmora::settings {

std::filesystem::path UserSettingsFile();

// The stored text, or `default_value` when the section or value is missing or
// the store cannot be read.
std::string ReadUserSetting(std::string_view section, std::string_view name, std::string_view default_value = {});

// Stores the text (creating file and section as needed). 0 on success, else the
// system error code; callers do not report a failed write.
int WriteUserSetting(std::string_view section, std::string_view name, std::string_view text);

// All values of a section in stored order (the base directory history).
std::vector<std::pair<std::string, std::string>> ListUserSettings(std::string_view section);

// Removes a whole section (used to rewrite a history). 0 on success.
int DeleteUserSettingsSection(std::string_view section);

// While one of these lives, stored values are kept in memory (and read back
// from there); the file is written once when the last one ends, and only
// when something changed. Start-up stores several values in a row: they
// reach the disk in one write.
class UserSettingsWriteScope {
 public:
  UserSettingsWriteScope();
  ~UserSettingsWriteScope();
  UserSettingsWriteScope(const UserSettingsWriteScope&) = delete;
  UserSettingsWriteScope& operator=(const UserSettingsWriteScope&) = delete;
};

}  // namespace velmora::settings
