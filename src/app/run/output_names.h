// The names a run puts below its clone folder (the thumbnail, HTML and
// decoration folders, the page names and their extension). Each must be a
// plain name: a profile, a command line or the settings store that holds
// "../x", "/tmp" or "." would otherwise send outputs, and the cleaning that
// follows them, out of the clone folder.
#pragma once

#include <optional>
#include <string_view>

#include "lang/message_key.h"
#include "settings/setting_key.h"

namespace velmora::settings {
class SettingsTable;
}

namespace velmora::app {

// A name that stays one entry of its folder: the valid-name rule of the
// rename checks, and neither "." nor "..".
bool IsPlainName(std::string_view name);

// The message that refuses `value` for the output name setting `key`
// (empty or no plain name); nothing when the value is fine or the setting
// names no output.
std::optional<lang::MessageKey> CheckOutputName(settings::SettingKey key, std::string_view value);

// The message key of the first output name of the switched-on outputs that
// is empty ("...MissingName") or no plain name ("...InvalidCharacter").
std::optional<lang::MessageKey> CheckOutputNames(const settings::SettingsTable& settings);

}  // namespace velmora::app
