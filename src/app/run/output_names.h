// The names a run puts below its clone folder (the thumbnail, HTML and
// decoration folders, the page names and their extension). Each must be a
// plain name: a profile, a command line or the settings store that holds
// "../x", "/tmp" or "." would otherwise send outputs, and the cleaning that
// follows them, out of the clone folder.
#pragma once

#include <optional>
#include <string_view>

#include "lang/message_key.h"

namespace velmora::settings {
class SettingsTable;
}

namespace velmora::app {

// A name that stays one entry of its folder: the valid-name rule of the
// rename checks, and neither "." nor "..".
bool IsPlainName(std::string_view name);

// The message key of the first output name of the switched-on outputs that
// is empty ("...MissingName") or no plain name ("...InvalidCharacter").
std::optional<lang::MessageKey> CheckOutputNames(const settings::SettingsTable& settings);

}  // namespace velmora::app
