// Working copy edits, commit and revert; the default profile.
#include "settings/working_settings.h"

#include "lang/messages.h"
#include "settings/profile_data.h"
#include "settings/profile_files.h"
#include "settings/program_version.h"
#include "settings/text_utils.h"

namespace velmora::settings {
namespace {

bool AnythingChanged() {
  return SettingsChanged() || WorkingModules().Changed() || WorkingCloneList().Changed();
}

void CopyModulesAndClones(RLModule& modules_to, const RLModule& modules_from, image::CCloneEffekte& clones_to,
                          const image::CCloneEffekte& clones_from) {
  modules_to = modules_from;
  clones_to = clones_from.Clone();
}

}  // namespace

std::string ProgramVersionText() { return std::string(kProgramVersionText); }

void ApplyTemplateLabels(SettingsTable& settings) {
  for (const SettingDefinition& definition : SettingsCatalogue()) {
    if (!definition.label_key.empty()) settings.SetLabel(definition.slot, lang::GetText("Profile", definition.label_key));
  }
}

void RefreshTemplateLabels() {
  ApplyTemplateLabels(StoredSettings());
  ApplyTemplateLabels(WorkingSettings());
}

void ResetToDefaults() {
  StoredSettings() = SettingsTable();
  ApplyTemplateLabels(StoredSettings());
  StoredCloneList().Clear();
  WorkingCloneList().Clear();
  StoredModules().Clear();
  WorkingModules().Clear();
  SetSettingsChanged(false);
  SetProfileDirty(false);
}

void SetWorkingSetting(int slot, std::string_view value) {
  if (WorkingSettings().Value(slot) == value) return;
  WorkingSettings().SetValue(slot, std::string(value));
  SetSettingsChanged(true);
}

void SetWorkingSetting(SettingKey key, std::string_view value) { SetWorkingSetting(key.slot(), value); }

void SetWorkingSetting(int slot, long long value) { SetWorkingSetting(slot, std::to_string(value)); }

void SetWorkingSetting(SettingKey key, long long value) { SetWorkingSetting(key.slot(), std::to_string(value)); }

int CommitWorkingSettings() {
  if (!AnythingChanged()) return 1;
  StoredSettings() = WorkingSettings();
  CopyModulesAndClones(StoredModules(), WorkingModules(), StoredCloneList(), WorkingCloneList());
  SetProfileDirty(true);
  SetSettingsChanged(false);
  WorkingModules().ResetChanged();
  WorkingCloneList().ResetChanged();
  return 1;
}

void CopyStoredToWorking() {
  WorkingSettings() = StoredSettings();
  CopyModulesAndClones(WorkingModules(), StoredModules(), WorkingCloneList(), StoredCloneList());
  if (Hooks().recompile_modules) Hooks().recompile_modules(WorkingModules());
  if (Hooks().refresh_options_dialog) Hooks().refresh_options_dialog();
  WorkingModules().ResetChanged();
  WorkingCloneList().ResetChanged();
}

int RevertWorkingSettings() {
  if (!AnythingChanged()) return lang::kResultYes;
  const int answer = lang::ShowMessage(lang::kApplicationTitle, lang::kButtonsYesNo | lang::kIconQuestion,
                                       "MsgProfileChangesReject", {Cp1252Text(CurrentProfile().Name)});
  if (answer != lang::kResultYes) return lang::kResultNo;
  WorkingSettings() = StoredSettings();
  CopyModulesAndClones(WorkingModules(), StoredModules(), WorkingCloneList(), StoredCloneList());
  if (Hooks().recompile_modules) Hooks().recompile_modules(WorkingModules());
  SetSettingsChanged(false);
  WorkingModules().ResetChanged();
  WorkingCloneList().ResetChanged();
  return lang::kResultYes;
}

bool SetStoredSettingByName(std::string_view name, std::string_view value) {
  const std::size_t first = name.find_first_not_of('$');
  if (first == std::string_view::npos) return false;
  const bool prepend = first > 0;
  const std::size_t last = name.find_last_not_of('$');
  const bool append = last + 1 < name.size();
  const auto slot = SlotOfKey(name.substr(first, last + 1 - first));
  if (!slot) return false;
  const std::string old = StoredSettings().Value(*slot);
  std::string result;
  if (prepend && append) result = old + std::string(value) + old;
  else if (prepend) result = std::string(value) + old;
  else if (append) result = old + std::string(value);
  else result = value;
  StoredSettings().SetValue(*slot, std::move(result));
  return true;
}

}  // namespace velmora::settings
