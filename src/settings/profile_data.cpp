// The stored and working profile copies.
#include "settings/profile_data.h"

namespace velmora::settings {
namespace {

struct ProfileCopies {
  SettingsTable stored_settings;
  SettingsTable working_settings;
  image::CCloneEffekte stored_clones;
  image::CCloneEffekte working_clones;
  RLModule stored_modules;
  RLModule working_modules;
  bool settings_changed = false;
  bool profile_dirty = false;
  ProfileHooks hooks;
};

ProfileCopies& Copies() {
  static ProfileCopies copies;
  return copies;
}

}  // namespace

SettingsTable& StoredSettings() { return Copies().stored_settings; }
SettingsTable& WorkingSettings() { return Copies().working_settings; }
image::CCloneEffekte& StoredCloneList() { return Copies().stored_clones; }
image::CCloneEffekte& WorkingCloneList() { return Copies().working_clones; }
RLModule& StoredModules() { return Copies().stored_modules; }
RLModule& WorkingModules() { return Copies().working_modules; }

bool SettingsChanged() { return Copies().settings_changed; }
bool ProfileDirty() { return Copies().profile_dirty; }
void SetSettingsChanged(bool changed) { Copies().settings_changed = changed; }
void SetProfileDirty(bool dirty) { Copies().profile_dirty = dirty; }

void SetProfileHooks(ProfileHooks hooks) { Copies().hooks = std::move(hooks); }
const ProfileHooks& Hooks() { return Copies().hooks; }

}  // namespace velmora::settings
