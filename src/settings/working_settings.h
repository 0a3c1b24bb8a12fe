// Editing and committing the working copy of the profile, and the built-in
// default profile.
#pragma once

#include <string>
#include <string_view>

#include "settings/settings_table.h"

namespace velmora::settings {

// "2.11.00": the version this program writes into profiles.
std::string ProgramVersionText();

// Stored copy = built-in defaults with the template labels of the current
// language; both clone lists and both module lists emptied; flags cleared.
void ResetToDefaults();

// The labels of the template snippet slots from language section "Profile".
void ApplyTemplateLabels(SettingsTable& settings);
// The same for the stored and the working copy: call after the language changed.
void RefreshTemplateLabels();

// Sets a working value; SettingsChanged only when the text differs.
void SetWorkingSetting(int slot, std::string_view value);
void SetWorkingSetting(SettingKey key, std::string_view value);
// Numbers (sizes, codes, colours) as decimal text.
void SetWorkingSetting(int slot, long long value);
void SetWorkingSetting(SettingKey key, long long value);

// Copies working to stored when anything changed (settings, clone list or
// modules) and marks the profile dirty. Always 1.
int CommitWorkingSettings();

// Stored to working for settings, modules (recompiled) and clone list.
void CopyStoredToWorking();

// 6 when nothing changed or the user agreed to drop the changes of the current
// profile (then stored
// is copied to working), 7 when the user keeps them.
int RevertWorkingSettings();

// The command-line override: "$NAME" puts the value before the old one,
// "NAME$" after it, "$NAME$" on both sides; an unknown name changes nothing.
// False for an unknown name.
bool SetStoredSettingByName(std::string_view name, std::string_view value);

}  // namespace velmora::settings
