// Profile file load, save and delete.
#include "settings/profile_files.h"

#include <algorithm>
#include <system_error>

#include "platform/log.h"
#include "platform/native_path.h"
#include "platform/text_encoding.h"
#include "lang/messages.h"
#include "platform/atomic_file.h"
#include "settings/profile_data.h"
#include "settings/profile_management.h"
#include "settings/profile_migration.h"
#include "settings/profile_reader.h"
#include "settings/profile_writer.h"
#include "settings/text_utils.h"
#include "settings/user_settings.h"
#include "settings/working_settings.h"

namespace velmora::settings {
namespace {

constexpr int kMessageStyle = lang::kButtonsOk | lang::kIconExclamation;

struct Selection {
  RLProfil default_profile{kDefaultProfileType, lang::GetText("Global", "ProfileDefaultname"), ""};
  RLProfil current = default_profile;
};

Selection& TheSelection() {
  static Selection selection;
  return selection;
}

std::string Title(std::string_view key) { return lang::GetText("Profile", key); }

// Shown to the user only: better the raw bytes than nothing.
Cp1252Text PathText(const std::filesystem::path& path) { return FromNativePathOrBytes(path); }

// A file that is valid UTF-8 and not plain ASCII was most likely saved by an
// editor in UTF-8; it is still read byte for byte (umlauts then show as two
// characters), but the log says why.
void LogIfUtf8(std::string_view bytes, const std::filesystem::path& path) {
  const bool has_high_bytes =
      std::any_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
  if (has_high_bytes && IsValidUtf8(bytes)) {
    WriteLog("Profile " + PathText(path).bytes() + " looks like UTF-8 text; it is read as Windows-1252, byte for byte");
  }
}

// The base directory remembered per profile once carried "|"-separated extras.
void CleanProfileLastData(const std::string& name) {
  const std::string value = ReadUserSetting("ProfilesLastData", name);
  const std::size_t bar = value.find('|');
  if (bar != std::string::npos) WriteUserSetting("ProfilesLastData", name, value.substr(0, bar));
}

bool FailLoad(lang::MessageKey key, const lang::MessageParameters& parameters) {
  lang::ShowMessage(Title("ProfileLoad"), kMessageStyle, key, parameters);
  // When the file that failed stands in for the default profile, the
  // built-in settings are what is left.
  Selection& selection = TheSelection();
  if (!selection.default_profile.IsDefault() && selection.current.ProfileType == selection.default_profile.ProfileType &&
      Cp1252EqualsIgnoreCase(selection.current.Name, selection.default_profile.Name)) {
    selection.default_profile = RLProfil{kDefaultProfileType, selection.default_profile.Name, ""};
  }
  SelectProfile(nullptr);
  return false;
}

bool ReadProfileFile(const std::filesystem::path& path) {
  std::string bytes;
  if (const std::error_code error = ReadWholeFile(path, bytes)) {
    return FailLoad("ErrProfileFileOpen", {Cp1252Text::Number(error.value()), PathText(path)});
  }
  LogIfUtf8(bytes, path);
  if (const auto error = ReadProfileText(bytes, StoredSettings(), StoredCloneList(), StoredModules())) {
    return FailLoad("ErrProfileFileRead", {Cp1252Text::Number(error->number), PathText(path),
                                           Cp1252Text::Number(error->line_number), Cp1252Text(error->line_text)});
  }
  const std::string& version = StoredSettings().Text("VERSION");
  if (!IsSupportedProfileVersion(version)) return FailLoad("ErrProfileVersion", {Cp1252Text(version), PathText(path)});
  MigrateProfile(StoredSettings());
  NormaliseSortKeys(StoredSettings());
  return true;
}

void MarkLoaded() {
  SetSettingsChanged(false);
  SetProfileDirty(false);
  StoredModules().ResetChanged();
  WorkingModules().ResetChanged();
  StoredCloneList().ResetChanged();
}

}  // namespace

const RLProfil& CurrentProfile() { return TheSelection().current; }
const RLProfil& DefaultProfile() { return TheSelection().default_profile; }

void SetDefaultProfile(RLProfil profile) {
  Selection& selection = TheSelection();
  if (selection.current.IsDefault()) selection.current = profile;
  selection.default_profile = std::move(profile);
}

std::string UserProfileDirectory() { return ReadUserSetting("LastSession", "userprofiledir"); }

bool LoadCurrentProfile() {
  ResetToDefaults();
  const RLProfil profile = CurrentProfile();
  if (profile.IsDefault()) {
    StoredSettings().Set("VERSION", ProgramVersionText());
  } else if (!ReadProfileFile(profile.FilePath())) {
    return false;
  }
  // JPEG 2000 cannot be read; a loaded profile never selects it.
  StoredSettings().Set("JP2", "0");
  if (Hooks().set_window_title) Hooks().set_window_title(std::string(lang::kApplicationTitle) + " - " + profile.Name);
  MarkLoaded();
  CleanProfileLastData(profile.Name);
  return true;
}

bool SelectProfile(const RLProfil* profile) {
  TheSelection().current = profile != nullptr ? *profile : DefaultProfile();
  const bool loaded = LoadCurrentProfile();
  CopyStoredToWorking();
  return loaded;
}

int SaveCurrentProfile() {
  const std::string title = Title("ProfileSave");
  if (CurrentProfile().IsDefault()) {
    lang::ShowMessage(title, kMessageStyle, "ErrProfileDefaultReadonly");
    return kProfileNotWritten;
  }
  const std::string directory = UserProfileDirectory();
  std::error_code error;
  if (directory.empty() || !std::filesystem::is_directory(ToNativePath(Cp1252Text(directory)), error)) {
    lang::ShowMessage(title, kMessageStyle, "ErrUserProfileDirNotExist", {Cp1252Text(directory)});
    return kProfileNotWritten;
  }
  const RLProfil target{kUserProfileType, CurrentProfile().Name, directory};
  const std::filesystem::path path = target.FilePath();
  const std::string version = ProgramVersionText();
  const std::string old_working_version = WorkingSettings().Text("VERSION");
  const std::string old_stored_version = StoredSettings().Text("VERSION");
  WorkingSettings().Set("VERSION", version);
  StoredSettings().Set("VERSION", version);
  bool create_failed = false;
  error = WriteFileAtomically(path, WriteProfileText(StoredSettings(), WorkingCloneList(), StoredModules()),
                              Durability::kSynced, &create_failed);
  if (error) {
    // Nothing was written, so the tables keep the version the file still has.
    WorkingSettings().Set("VERSION", old_working_version);
    StoredSettings().Set("VERSION", old_stored_version);
    lang::ShowMessage(title, kMessageStyle,
                      create_failed ? lang::MessageKey("ErrProfileFileCreate") : lang::MessageKey("ErrProfileFileWrite"),
                      {Cp1252Text::Number(error.value()), PathText(path)});
    return kProfileNotWritten;
  }
  SetSettingsChanged(false);
  SetProfileDirty(false);
  StoredModules().ResetChanged();
  WorkingModules().ResetChanged();
  WriteUserSetting("LastSession", "profile", Cp1252ToLower(target.Name));
  TheSelection().current = target;
  NoteSavedProfile(target);
  return kProfileWritten;
}

int SaveProfileAs(std::string_view name) {
  CommitWorkingSettings();
  const RLProfil previous = CurrentProfile();
  TheSelection().current = RLProfil{kUserProfileType, std::string(name), UserProfileDirectory()};
  const int result = SaveCurrentProfile();
  if (result == kProfileWritten) {
    RefreshProfileList();
  } else {
    TheSelection().current = previous;
  }
  return result;
}

int DeleteCurrentProfile() {
  if (CurrentProfile().IsDefault()) {
    lang::ShowMessage(Title("ProfileDelete"), kMessageStyle, "ErrProfileDefaultDelete");
    return kProfileDeleteRefused;
  }
  const std::filesystem::path path = CurrentProfile().FilePath();
  std::error_code error;
  if (!std::filesystem::remove(path, error) && !error) error = std::make_error_code(std::errc::no_such_file_or_directory);
  if (error) {
    lang::ShowMessage(Title("ProfileDelete"), kMessageStyle, "ErrProfileProfileDelete",
                      {Cp1252Text::Number(error.value()), PathText(path)});
    return kProfileDeleteRefused;
  }
  RefreshProfileList();
  SetSettingsChanged(false);
  WorkingModules().ResetChanged();
  return kProfileDeleted;
}

}  // namespace velmora::settings
