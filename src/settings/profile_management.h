// Profile management around the file operations: the list of default, system
// and user profiles, switching with the questions before changes are lost,
// creating profiles and the user profile directory. Library operations that a
// headless run and a user interface call alike.
#pragma once

#include <string>
#include <string_view>

#include "settings/profile_list.h"

namespace velmora::settings {

const RLProfile& ProfileList();

// Rebuilds the list (default, then profiles/ beside the program, then the user
// profile directory; a later name hides an earlier one) and selects the
// last-session profile, or the default profile when it is unknown.
void RefreshProfileList();
// The same list without selecting a profile (nothing is loaded).
void RebuildProfileList();

const RLProfil* FindProfile(std::string_view name);

// True when `name` is the default profile's name in any known language
// ("Voreinstellung", "Default"): a command line written for one language
// still works when the user has chosen another.
bool IsDefaultProfileName(std::string_view name);

// Before the program ends, the profile changes or the user profile directory
// changes: 1 nothing pending or saved, 6 script file changes discarded,
// 7 profile changes discarded, 2 cancel.
int ConfirmProfileChanges();

// Commits, confirms and selects `profile`. False when the user cancelled (the
// current profile stays with its changes) or it is the current one already.
bool SwitchProfile(const RLProfil& profile);
// Switches back to the profile that was active before the last switch.
bool SwitchToPreviousProfile();

// The new-profile dialog's action: true when the profile was saved (the dialog
// closes); false when the dialog stays open (message shown or user said No).
bool CreateProfile(std::string_view name);

// Not empty, no blanks at the ends, not starting with "$", shorter than 256
// characters, none of " / \ : | < > * ? and no control characters.
bool ValidateProfileName(std::string_view name);

// Takes a new user profile directory after commit and confirmation; false on cancel.
bool SetUserProfileDirectory(std::string_view directory);

// At start-up: an empty user profile directory becomes "profiles" in the
// per-user data folder; the folder is created when missing. Returns it.
std::string InitUserProfileDirectory();

// The line the profile page shows under the description: "Erstellt mit
// Velmora, Version 2.11.0" (every ".0" of the version becomes ".").
std::string ProfileCreatedText(std::string_view version);

// Keeps the list entry in step with a profile that was just saved.
void NoteSavedProfile(const RLProfil& profile);

}  // namespace velmora::settings
