// Profile menu actions.
#include "ui/profile_actions.h"

#include <QFileDialog>
#include <QInputDialog>
#include <optional>
#include <string>

#include "lang/messages.h"
#include "platform/atomic_file.h"
#include "platform/cp1252_case.h"
#include "platform/error_text.h"
#include "platform/native_path.h"
#include "platform/text_lines.h"
#include "settings/profile_data.h"
#include "settings/profile_files.h"
#include "settings/profile_management.h"
#include "settings/profile_writer.h"
#include "settings/user_settings.h"
#include "settings/working_settings.h"
#include "ui/qt_text.h"
#include "ui/url_opener.h"

namespace velmora::ui {
namespace {

constexpr std::string_view kSection = "Startdialog";
constexpr int kWarning = lang::kButtonsOk | lang::kIconExclamation;

QString DialogTitle(std::string_view key) {
  QString title = Text(kSection, key);
  if (title.endsWith(QStringLiteral(" ..."))) title.chop(4);
  return title;
}

// Asks for a profile name; nothing when the user cancelled. A name that
// Windows-1252 cannot hold is refused like any invalid one.
std::optional<std::string> AskName(QWidget* parent, std::string_view title_key, std::string_view label_key,
                                   const QString& proposal = {}) {
  bool accepted = false;
  const QString name = QInputDialog::getText(parent, DialogTitle(title_key), Text(kSection, label_key),
                                             QLineEdit::Normal, proposal, &accepted);
  if (!accepted) return std::nullopt;
  const std::optional<std::string> text = ToCp1252(name);
  if (!text) {
    lang::ShowMessage(lang::kApplicationTitle, kWarning, "ErrProfileInvalidCharacter");
    return std::nullopt;
  }
  return std::string(TrimBlanks(*text));
}

// A name the profile dialog would refuse is refused with its message.
bool Acceptable(const std::string& name) {
  if (name.empty()) {
    lang::ShowMessage(lang::kApplicationTitle, kWarning, "ErrProfileMissingName");
    return false;
  }
  if (!settings::ValidateProfileName(name)) {
    lang::ShowMessage(lang::kApplicationTitle, kWarning, "ErrProfileInvalidCharacter");
    return false;
  }
  return true;
}

bool MayReplace(const std::string& name) {
  if (settings::FindProfile(name) == nullptr) return true;
  return lang::ShowMessage(lang::kApplicationTitle, lang::kButtonsYesNo | lang::kIconQuestion | lang::kDefaultButton2,
                           "MsgProfileExist", {Cp1252Text(name)}) == lang::kResultYes;
}

void CopyFailed(const std::filesystem::path& from, const std::filesystem::path& to, const std::error_code& error) {
  lang::ShowMessage(lang::kApplicationTitle, kWarning, "ErrProfileCopy",
                    {DisplayPath(from), DisplayPath(to), ErrorReason(error)});
}

std::filesystem::path UserProfileFile(const std::string& name) {
  return settings::RLProfil{settings::kUserProfileType, name, settings::UserProfileDirectory()}.FilePath();
}

// Makes the profile of that name current and the one the next start selects.
void SelectByName(const std::string& name) {
  settings::RebuildProfileList();
  settings::SelectProfile(settings::FindProfile(name));
  settings::WriteUserSetting("LastSession", "profile", Cp1252ToLower(name));
}

}  // namespace

bool CurrentProfileIsUsers() { return settings::CurrentProfile().ProfileType == settings::kUserProfileType; }

bool NewProfile(QWidget* parent) {
  const auto name = AskName(parent, "MenuProfileNew", "ProfileNewName");
  if (!name || !Acceptable(*name)) return false;
  // A new profile starts from the built-in settings.
  const settings::RLProfil& fallback = settings::DefaultProfile();
  if (!settings::CurrentProfile().IsDefault() && !settings::SwitchProfile(fallback)) return false;
  settings::CreateProfile(*name);
  return true;
}

bool CopyProfile(QWidget* parent) {
  const auto name = AskName(parent, "MenuProfileCopy", "ProfileNewName");
  return name && settings::CreateProfile(*name);
}

bool RenameProfile(QWidget* parent) {
  if (!CurrentProfileIsUsers()) return false;
  const std::string old_name = settings::CurrentProfile().Name;
  const auto name = AskName(parent, "MenuProfileRename", "ProfileRenameName", FromCp1252(old_name));
  if (!name || *name == old_name || !Acceptable(*name)) return false;
  // Only a different spelling of the same name may replace it without asking.
  if (!Cp1252EqualsIgnoreCase(*name, old_name) && !MayReplace(*name)) return false;
  settings::CommitWorkingSettings();
  if (settings::ConfirmProfileChanges() == lang::kResultCancel) return false;
  const std::filesystem::path from = settings::CurrentProfile().FilePath();
  const std::filesystem::path to = UserProfileFile(*name);
  std::error_code error;
  std::filesystem::rename(from, to, error);
  if (error) {
    CopyFailed(from, to, error);
    return false;
  }
  SelectByName(*name);
  return true;
}

bool DeleteProfile(QWidget*) {
  if (settings::CurrentProfile().IsDefault()) {
    lang::ShowMessage(lang::GetText("Profile", "ProfileDelete"), kWarning, "ErrProfileDefaultDelete");
    return false;
  }
  if (!CurrentProfileIsUsers()) return false;
  if (lang::ShowMessage(lang::GetText("Profile", "ProfileDelete"),
                        lang::kButtonsYesNo | lang::kIconQuestion | lang::kDefaultButton2, "MsgProfileDeleteYesNo",
                        {Cp1252Text(settings::CurrentProfile().Name)}) != lang::kResultYes) {
    return false;
  }
  return settings::DeleteCurrentProfile() == settings::kProfileDeleted;
}

bool ImportProfile(QWidget* parent) {
  const QString chosen = QFileDialog::getOpenFileName(parent, DialogTitle("MenuProfileImport"), QString(),
                                                      Text(kSection, "ProfileFiles") + QStringLiteral(" (*.vlp)"));
  if (chosen.isEmpty()) return false;
  const std::filesystem::path from = ToNative(chosen);
  const std::optional<Cp1252Text> stem = FromNativePath(from.stem());
  if (!stem) {
    lang::ShowMessage(lang::kApplicationTitle, kWarning, "ErrProfileInvalidCharacter");
    return false;
  }
  const std::string name = stem->bytes();
  if (!Acceptable(name) || !MayReplace(name)) return false;
  settings::CommitWorkingSettings();
  if (settings::ConfirmProfileChanges() == lang::kResultCancel) return false;
  const std::filesystem::path to = UserProfileFile(name);
  // The file is only copied here; loading it checks it like any profile.
  if (const std::error_code error = CopyFileAtomically(from, to, Durability::kSynced)) {
    CopyFailed(from, to, error);
    return false;
  }
  SelectByName(name);
  return true;
}

bool ExportProfile(QWidget* parent) {
  const std::string name = settings::CurrentProfile().IsDefault() ? lang::GetText("Global", "ProfileDefaultname")
                                                                   : settings::CurrentProfile().Name;
  const QString chosen =
      QFileDialog::getSaveFileName(parent, DialogTitle("MenuProfileExport"), FromCp1252(name) + QStringLiteral(".vlp"),
                                   Text(kSection, "ProfileFiles") + QStringLiteral(" (*.vlp)"));
  if (chosen.isEmpty()) return false;
  // What the window works with, unsaved changes included.
  settings::CommitWorkingSettings();
  const std::string text = settings::WriteProfileText(settings::StoredSettings(), settings::WorkingCloneList(),
                                                      settings::StoredModules());
  const std::filesystem::path to = ToNative(chosen);
  if (const std::error_code error = WriteFileAtomically(to, text, Durability::kSynced)) {
    CopyFailed(settings::CurrentProfile().FilePath(), to, error);
  }
  return false;
}

}  // namespace velmora::ui
