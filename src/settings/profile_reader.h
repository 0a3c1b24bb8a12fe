// Reading the text of a profile file (".vlp") into a settings table, a clone
// list and a module list: key lines, "+" continuation lines, "!*"/"!+" module
// lines and the clone-list object keys. Migration is a separate step.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "image/clone_list/clone_list.h"
#include "settings/script_module_list.h"
#include "settings/settings_table.h"

namespace velmora::settings {

// Error numbers a read error reports, as the profile messages have always shown them.
inline constexpr int kProfileErrorTypeMismatch = 13;  // a numeric property cannot take the text
inline constexpr int kProfileErrorNoModule = 91;      // "!+" line before any "!*" line

struct ProfileReadError {
  int number = 0;
  int line_number = 0;    // from 1
  std::string line_text;  // the line as read (without its line end)
};

// Applies every line of `bytes` to the three targets, which the caller has
// reset to defaults. Line ends may be CR LF, LF or CR; a UTF-8 byte order mark
// is skipped, all other bytes are taken as they are (Windows-1252).
// Stops at the first read error and returns it.
std::optional<ProfileReadError> ReadProfileText(std::string_view bytes, SettingsTable& settings,
                                                image::CCloneEffekte& clones, RLModule& modules);

}  // namespace velmora::settings
