// Bringing a freshly read profile up to this program version: the upgrade
// steps for files of older versions and the normalisation of the sort keys,
// which older versions stored as words.
#pragma once

#include <string_view>

#include "settings/settings_table.h"

namespace velmora::settings {

// Files older than this are refused.
inline constexpr std::string_view kOldestProfileVersion = "2.09.00";

bool IsSupportedProfileVersion(std::string_view version);

// Runs every upgrade step newer than the table's VERSION, in order. VERSION
// itself is left as the file had it until the next save.
void MigrateProfile(SettingsTable& settings);

// Turns the sort words of older files into their codes (every loaded file).
void NormaliseSortKeys(SettingsTable& settings);

}  // namespace velmora::settings
