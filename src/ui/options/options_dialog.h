// The options dialog: every setting of the working profile on pages named
// as the "Optionen" language section names them, the clone list editor and
// the script modules. Edits go to the working copy at once; OK checks the
// values, commits and saves the profile (a system profile or the built-in
// one under a new user profile name), Cancel puts the stored copy back.
#pragma once

#include <QDialog>
#include <filesystem>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

class QListWidget;
class QStackedWidget;

namespace velmora::ui {

class CloneListEditor;
class MessagePresenter;
class ModuleListEditor;
class ScriptFileEditor;
class SettingControl;

struct OptionsDialogSetup {
  // Messages and questions; nullptr: message boxes.
  MessagePresenter* messages = nullptr;
  // The first selected photo, for the clone list preview; empty: a sample.
  std::filesystem::path preview_photo;
  // The first selected folder, for the previews of the thumbnail and image
  // pages; empty: no preview.
  std::filesystem::path preview_folder;
};

class OptionsDialog : public QDialog {
  Q_OBJECT
 public:
  explicit OptionsDialog(QWidget* parent, OptionsDialogSetup setup = {});
  ~OptionsDialog() override;

  int PageCount() const;
  int CurrentPage() const;
  // Leaves the current page (its values are checked first) for page `index`;
  // false when a value was refused and the page stays.
  bool ShowPage(int index);
  QWidget* Page(int index) const;
  QString PageCaption(int index) const;

  // The control of a setting, or nullptr when no page has one.
  SettingControl* ControlOf(std::string_view key) const;
  CloneListEditor* cloneListEditor() const { return clone_list_; }
  ScriptFileEditor* scriptFileEditor() const { return script_file_; }
  ModuleListEditor* profileModulesEditor() const { return profile_modules_; }

  // Shows the working values again (the profile layer calls this after it
  // replaced the working copy).
  void Reload();

  void accept() override;
  void reject() override;

 private:
  QWidget* BuildPage(int index);
  QWidget* BuildModulesPage(QWidget* parent);
  QWidget* BuildGeneralPage(QWidget* parent);
  QWidget* BuildProfileInfo(QWidget* parent);
  QWidget* BuildRenameExamples(QWidget* parent);
  // The first refused value of page `index`, shown; false when there was one.
  bool CheckPage(int index);
  bool Save();
  // Saves under a name the user gives; false when cancelled or not written.
  bool SaveUnderNewName();
  // False when the script file has unsaved changes the user keeps.
  bool MayDropScriptFileChanges();
  void StoreGeneralOptions();

  MessagePresenter& messages_;
  QListWidget* page_list_ = nullptr;
  QStackedWidget* pages_ = nullptr;
  std::vector<std::vector<SettingControl*>> controls_;  // per page
  CloneListEditor* clone_list_ = nullptr;
  class ProfileModuleStore;
  std::unique_ptr<ProfileModuleStore> profile_module_store_;
  ModuleListEditor* profile_modules_ = nullptr;
  ScriptFileEditor* script_file_ = nullptr;
  std::vector<std::function<void()>> reloaders_;
  std::vector<std::function<void()>> general_store_;
  std::filesystem::path preview_folder_;
  int current_ = 0;
};

}  // namespace velmora::ui
