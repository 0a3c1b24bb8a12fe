// The ranges of the numeric settings a run uses, as the option pages keep
// them. A profile file, a command line or the store can hold anything
// ("abc", "-50", twenty digits); the run refuses such a value instead of
// reading it as 0 and writing 1 x 1 pictures.
#pragma once

#include <optional>
#include <string_view>

#include "lang/message_key.h"
#include "settings/setting_key.h"

namespace velmora::settings {
class SettingsTable;
}

namespace velmora::app {

// The whole number `text` holds (blanks around it allowed); nothing for
// anything else, a fraction or a number beyond 64 bits.
std::optional<long long> ReadWholeNumber(std::string_view text);

// The allowed values of one numeric setting and the message that refuses others.
struct SettingRange {
  settings::SettingKey key;
  long long min;
  long long max;
  lang::MessageKey message;
};

// The range of `key`, or nothing for a setting the run does not range-check.
// The option pages refuse a value with the same message the run would.
std::optional<SettingRange> RangeOfSetting(settings::SettingKey key);

// The message key of the first setting of the switched-on outputs whose
// value is no whole number within its range.
std::optional<lang::MessageKey> CheckSettingRanges(const settings::SettingsTable& settings);

}  // namespace velmora::app
