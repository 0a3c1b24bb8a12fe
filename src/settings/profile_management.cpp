// The profile list, switching and creating profiles.
#include "settings/profile_management.h"

#include <algorithm>
#include <vector>

#include "platform/log.h"
#include "platform/native_path.h"
#include "platform/program_paths.h"
#include "platform/text_encoding.h"
#include "lang/builtin_german.h"
#include "lang/language_registry.h"
#include "lang/messages.h"
#include "settings/profile_data.h"
#include "settings/profile_files.h"
#include "settings/text_utils.h"
#include "settings/user_settings.h"
#include "settings/working_settings.h"

namespace velmora::settings {
namespace {

// Yes, No and Cancel: the save question before changes would be lost.
constexpr int kButtonsYesNoCancel = 3;

RLProfile& TheList() {
  static RLProfile list;
  return list;
}

bool HasProfileExtension(const std::filesystem::path& path) {
  return Cp1252EqualsIgnoreCase(path.extension().string(), ".vlp");
}

// Adds every "*.vlp" of `folder` in name order (the listing order of a folder
// is arbitrary on Linux, the list should not be).
void AddProfilesOf(const std::filesystem::path& folder, std::int32_t type, std::string_view log_word) {
  std::error_code error;
  std::vector<std::filesystem::path> files;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (it->is_regular_file(error) && HasProfileExtension(it->path())) files.push_back(it->path());
  }
  std::sort(files.begin(), files.end());
  // Shown to the user only: better the raw bytes than nothing.
  const std::string directory = FromNativePathOrBytes(folder).bytes();
  for (const std::filesystem::path& file : files) {
    const std::string file_name = file.filename().string();
    const auto name = Cp1252Text::FromUtf8(file_name.substr(0, file_name.size() - 4));
    if (!name) {
      WriteLog("Skip profile " + file.string() + ": its name has characters outside Windows-1252");
      continue;
    }
    std::filesystem::path without_extension = file;
    without_extension.replace_extension();
    WriteLog("Add " + std::string(log_word) + " Profile " + FromNativePathOrBytes(without_extension).bytes());
    TheList().Add(type, name->bytes(), directory);
  }
}

// A profile file named like the default profile, in the language shown or
// by the built-in name the shipped file carries ("Voreinstellung"), is what
// choosing the default gives: the shipped file holds the page snippets that
// keep names from running as code, whatever language the user reads.
const RLProfil* DefaultProfileFile() {
  std::vector<std::string> names = {lang::GetText("Global", "ProfileDefaultname")};
  for (const lang::BuiltinText& text : lang::BuiltinGermanTexts()) {
    if (text.section == "Global" && text.key == "ProfileDefaultname") names.push_back(Utf8ToCp1252(text.text).value_or(""));
  }
  for (const std::string& name : names) {
    const RLProfil* entry = FindProfile(name);
    if (entry != nullptr && !entry->IsDefault()) return entry;
  }
  return nullptr;
}

int AskSaveChanges() {
  const int answer = lang::ShowMessage(lang::kApplicationTitle, kButtonsYesNoCancel | lang::kIconQuestion,
                                       "MsgProfileChangesSave", {Cp1252Text(CurrentProfile().Name)});
  if (answer == lang::kResultYes) return SaveCurrentProfile();
  if (answer == lang::kResultNo) return lang::kResultNo;
  return lang::kResultCancel;
}

}  // namespace

const RLProfile& ProfileList() { return TheList(); }

void RefreshProfileList() {
  RebuildProfileList();
  SelectProfile(FindProfile(ReadUserSetting("LastSession", "profile")));
}

void RebuildProfileList() {
  TheList() = RLProfile();
  const RLProfil& default_entry =
      TheList().Add(kDefaultProfileType, lang::GetText("Global", "ProfileDefaultname"), "");
  SetDefaultProfile(default_entry);
  AddProfilesOf(ProgramDirectory() / "profiles", kSystemProfileType, "SYSTEM");
  const std::string user_directory = UserProfileDirectory();
  if (!user_directory.empty()) AddProfilesOf(ToNativePath(Cp1252Text(user_directory)), kUserProfileType, "USER");
  if (const RLProfil* file = DefaultProfileFile()) SetDefaultProfile(*file);
}

const RLProfil* FindProfile(std::string_view name) {
  if (name.empty()) return nullptr;
  return TheList().Item(name);
}

bool IsDefaultProfileName(std::string_view name) {
  lang::RLLanguages& languages = lang::LanguageList();
  for (std::size_t i = 1; i <= languages.Count(); ++i) {
    const lang::RLLanguage* language = languages.Item(i);
    if (language != nullptr && Cp1252EqualsIgnoreCase(language->GetText("Global", "ProfileDefaultname"), name)) {
      return true;
    }
  }
  return Cp1252EqualsIgnoreCase(lang::GetText("Global", "ProfileDefaultname"), name);
}

int ConfirmProfileChanges() {
  int result = 1;
  if (Hooks().script_file_has_changes && Hooks().script_file_has_changes()) {
    const int answer = lang::ShowMessage(lang::kApplicationTitle, lang::kButtonsYesNo | lang::kIconQuestion,
                                         "MsgRLSChangesReject");
    if (answer != lang::kResultYes) return lang::kResultCancel;
    result = lang::kResultYes;
  }
  if (StoredModules().Changed() || ProfileDirty()) result = AskSaveChanges();
  if (result == 1) {
    SetSettingsChanged(false);
    SetProfileDirty(false);
    StoredModules().ResetChanged();
    WorkingModules().ResetChanged();
  }
  return result;
}

bool SwitchProfile(const RLProfil& profile) {
  const RLProfil target = profile;
  const RLProfil current = CurrentProfile();
  if (target.ProfileType == current.ProfileType && Cp1252EqualsIgnoreCase(target.Name, current.Name)) return false;
  CommitWorkingSettings();
  if (ConfirmProfileChanges() == lang::kResultCancel) return false;
  WriteUserSetting("LastSession", "profileprevious", current.IsDefault() ? std::string() : current.Name);
  SelectProfile(&target);
  return true;
}

bool SwitchToPreviousProfile() {
  const std::string previous = ReadUserSetting("LastSession", "profileprevious");
  const RLProfil* profile = previous.empty() ? &DefaultProfile() : FindProfile(previous);
  return profile != nullptr && SwitchProfile(*profile);
}

bool CreateProfile(std::string_view raw_name) {
  const std::string name(TrimBlanks(raw_name));
  const int style = lang::kButtonsOk | lang::kIconExclamation;
  if (name.empty()) {
    lang::ShowMessage(lang::kApplicationTitle, style, "ErrProfileMissingName");
    return false;
  }
  if (!ValidateProfileName(name)) {
    lang::ShowMessage(lang::kApplicationTitle, style, "ErrProfileInvalidCharacter");
    return false;
  }
  if (FindProfile(name) != nullptr &&
      lang::ShowMessage(lang::kApplicationTitle, lang::kButtonsYesNo | lang::kIconQuestion, "MsgProfileExist",
                        {Cp1252Text(name)}) != lang::kResultYes) {
    return false;
  }
  return SaveProfileAs(name) == kProfileWritten;
}

bool ValidateProfileName(std::string_view name) {
  if (name.empty() || name.size() >= 256 || name.front() == '$') return false;
  if (TrimBlanks(name).size() != name.size()) return false;
  return std::none_of(name.begin(), name.end(), [](char c) {
    return static_cast<unsigned char>(c) < 0x20 || std::string_view("\"/\\:|<>*?").find(c) != std::string_view::npos;
  });
}

bool SetUserProfileDirectory(std::string_view directory) {
  if (directory == UserProfileDirectory()) return true;
  CommitWorkingSettings();
  if (ConfirmProfileChanges() == lang::kResultCancel) return false;
  WriteUserSetting("LastSession", "userprofiledir", directory);
  RefreshProfileList();
  return true;
}

std::string InitUserProfileDirectory() {
  std::string directory = UserProfileDirectory();
  if (directory.empty()) {
    directory = FromNativePathOrBytes(UserDataDirectory() / "profiles").bytes();
    WriteUserSetting("LastSession", "userprofiledir", directory);
  }
  std::error_code error;
  std::filesystem::create_directories(ToNativePath(Cp1252Text(directory)), error);
  if (error) WriteLog("User profile directory " + directory + " cannot be created: " + error.message());
  return directory;
}

std::string ProfileCreatedText(std::string_view version) {
  std::string shown(version);
  for (std::size_t pos = shown.find(".0"); pos != std::string::npos; pos = shown.find(".0", pos + 1)) {
    shown.replace(pos, 2, ".");
  }
  return lang::GetText("CProfil", "ProfileCreated") + " " + shown;
}

void NoteSavedProfile(const RLProfil& profile) {
  if (RLProfil* entry = TheList().Item(profile.Name)) *entry = profile;
}

}  // namespace velmora::settings
