// The program's one profile in memory: a stored copy (as last loaded or saved,
// written to the file) and a working copy (edited by the option pages, read by
// runs) of the settings, the clone list and the script modules, with the two
// program-wide change flags. Nothing else owns profile data.
#pragma once

#include <functional>
#include <string>

#include "image/clone_list/clone_list.h"
#include "settings/script_module_list.h"
#include "settings/settings_table.h"

namespace velmora::settings {

SettingsTable& StoredSettings();
SettingsTable& WorkingSettings();
image::CCloneEffekte& StoredCloneList();
image::CCloneEffekte& WorkingCloneList();
RLModule& StoredModules();
RLModule& WorkingModules();

// A working setting was given a different value (cleared by commit, load, save, delete).
bool SettingsChanged();
// Working values were committed into the stored copy (cleared by load and save).
bool ProfileDirty();
void SetSettingsChanged(bool changed);
void SetProfileDirty(bool dirty);

// What the profile layer needs from the layers above it, registered by them at
// start-up; an empty function is skipped (a headless run has no dialog or title).
struct ProfileHooks {
  std::function<void(const RLModule&)> recompile_modules;  // after the working modules were replaced
  std::function<void()> refresh_options_dialog;
  std::function<void(const std::string&)> set_window_title;
  std::function<bool()> script_file_has_changes;  // unsaved modules of the script file
};
void SetProfileHooks(ProfileHooks hooks);
const ProfileHooks& Hooks();

}  // namespace velmora::settings
