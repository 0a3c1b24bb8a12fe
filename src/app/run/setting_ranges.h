// The ranges of the numeric settings a run uses, as the option pages keep
// them. A profile file, a command line or the store can hold anything
// ("abc", "-50", twenty digits); the run refuses such a value instead of
// reading it as 0 and writing 1 x 1 pictures.
#pragma once

#include <optional>
#include <string_view>

#include "lang/message_key.h"

namespace velmora::settings {
class SettingsTable;
}

namespace velmora::app {

// The whole number `text` holds (blanks around it allowed); nothing for
// anything else, a fraction or a number beyond 64 bits.
std::optional<long long> ReadWholeNumber(std::string_view text);

// The message key of the first setting of the switched-on outputs whose
// value is no whole number within its range.
std::optional<lang::MessageKey> CheckSettingRanges(const settings::SettingsTable& settings);

}  // namespace velmora::app
