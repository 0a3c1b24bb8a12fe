// Loading, saving and deleting the current profile's file, and choosing the
// current profile. Messages go through the message facility; every operation
// leaves a consistent settings table behind (the default profile after any
// failed load).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "settings/profile_list.h"

namespace velmora::settings {

// The selected profile and the default profile: the built-in one (type 0, no
// file), or the profile file named like it when there is one.
const RLProfil& CurrentProfile();
const RLProfil& DefaultProfile();

// The user profile directory as stored (LastSession/userprofiledir).
std::string UserProfileDirectory();

// Reads the current profile into the stored copy and migrates it. False when
// the file could not be used; the default profile is then selected and loaded.
bool LoadCurrentProfile();

// Makes `profile` current (nullptr: the default profile), loads it and copies
// it to the working copy. False when the requested profile could not be loaded.
bool SelectProfile(const RLProfil* profile);

enum : int { kProfileWritten = 1, kProfileNotWritten = 2 };

// Writes the stored copy (commit first) into the user profile directory.
int SaveCurrentProfile();
// Commits and saves under a new user profile name; on success the profile list is rebuilt.
int SaveProfileAs(std::string_view name);

enum : int { kProfileDeleted = 1, kProfileDeleteRefused = 2 };
int DeleteCurrentProfile();

// Replaces the default profile entry (built when the profile list is built).
void SetDefaultProfile(RLProfil profile);

}  // namespace velmora::settings
