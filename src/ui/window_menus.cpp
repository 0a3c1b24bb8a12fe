// Building the menus and wiring their actions.
#include "ui/window_menus.h"

#include <QActionGroup>
#include <QMainWindow>
#include <QMenuBar>
#include <string>

#include "lang/language_registry.h"
#include "lang/messages.h"
#include "platform/native_path.h"
#include "platform/program_paths.h"
#include "settings/user_settings.h"
#include "settings/working_settings.h"
#include "ui/about_box.h"
#include "ui/options/options_dialog.h"
#include "ui/captions.h"
#include "ui/profile_actions.h"
#include "ui/qt_text.h"
#include "ui/url_opener.h"

namespace velmora::ui {
namespace {

QAction* AddAction(QMenu* menu, const char* key, const std::function<void()>& action) {
  QAction* added = menu->addAction(QString());
  SetCaptionKey(added, key);
  QObject::connect(added, &QAction::triggered, menu, [action] { action(); });
  return added;
}

// The guide as HTML where the installed package keeps it
// (share/doc/velmora beside share/velmora) or where the build writes it
// (docs/ beside bin/); the README beside the program when neither was made.
std::filesystem::path UserGuideFile() {
  const std::filesystem::path candidates[] = {
      ProgramDirectory() / ".." / "doc" / "velmora" / "html" / "index.html",
      ExecutableDirectory() / ".." / "docs" / "html" / "index.html",
  };
  std::error_code error;
  for (const std::filesystem::path& candidate : candidates) {
    if (std::filesystem::is_regular_file(candidate, error)) return candidate.lexically_normal();
  }
  return ProgramDirectory() / "doc" / "README.md";
}

void OpenUserGuide() {
  const std::filesystem::path guide = UserGuideFile();
  std::error_code error;
  if (!std::filesystem::is_regular_file(guide, error)) {
    lang::ShowMessage(lang::kApplicationTitle, lang::kButtonsOk | lang::kIconExclamation, "ErrHelpMissing",
                      {DisplayPath(guide)});
    return;
  }
  OpenUrl(QUrl::fromLocalFile(FromNative(guide)));
}

}  // namespace

void SwitchLanguage(const std::string& id) {
  lang::SelectLanguage(id, [](const std::string& chosen) {
    settings::WriteUserSetting("Administration", "language", chosen);
    settings::RefreshTemplateLabels();
  });
  ApplyCaptionsToAllWindows();
}

WindowMenus::WindowMenus(QMainWindow* window, MenuHandlers handlers)
    : QObject(window), window_(window), handlers_(std::move(handlers)) {
  QMenuBar* bar = window->menuBar();
  const auto changed = [this](bool (*action)(QWidget*)) {
    return [this, action] {
      if (action(window_)) handlers_.profile_changed();
      Refresh();
    };
  };
  profile_ = bar->addMenu(QString());
  SetCaptionKey(profile_, "MenuProfile");
  AddAction(profile_, "MenuProfileNew", changed(&NewProfile));
  AddAction(profile_, "MenuProfileCopy", changed(&CopyProfile));
  rename_ = AddAction(profile_, "MenuProfileRename", changed(&RenameProfile));
  delete_ = AddAction(profile_, "MenuProfileDelete", changed(&DeleteProfile));
  profile_->addSeparator();
  AddAction(profile_, "MenuProfileImport", changed(&ImportProfile));
  AddAction(profile_, "MenuProfileExport", changed(&ExportProfile));
  profile_->addSeparator();
  QAction* quit = AddAction(profile_, "MenuExit", [window] { window->close(); });
  quit->setShortcut(QKeySequence::Quit);

  options_ = bar->addMenu(QString());
  SetCaptionKey(options_, "MenuOptions");
  AddAction(options_, "MenuOptionsEdit", [this] {
    OptionsDialog dialog(window_, {.messages = nullptr, .preview_photo = {}, .preview_folder = handlers_.before_options()});
    dialog.exec();
    // OK may have saved the profile under a new name.
    handlers_.profile_changed();
  });
  remember_selection_ = AddAction(options_, "MenuRememberSelection", [this] {
    settings::WriteUserSetting("LastSession", "profilelastselection", remember_selection_->isChecked() ? "1" : "0");
  });
  remember_selection_->setCheckable(true);

  language_ = bar->addMenu(QString());
  SetCaptionKey(language_, "MenuLanguage");
  FillLanguages();

  QMenu* help = bar->addMenu(QString());
  SetCaptionKey(help, "MenuHelp");
  AddAction(help, "MenuHelpGuide", &OpenUserGuide)->setShortcut(QKeySequence::HelpContents);
  AddAction(help, "MenuInfo", [this] { AboutBox(window_).exec(); });
  Refresh();
}

void WindowMenus::FillLanguages() {
  auto* group = new QActionGroup(language_);
  lang::RLLanguages& languages = lang::LanguageList();
  for (std::size_t i = 1; i <= languages.Count(); ++i) {
    const lang::RLLanguage* language = languages.Item(i);
    if (language == nullptr) continue;
    const std::string id = language->ID();
    QAction* action = language_->addAction(FromCp1252(language->GetText("Sprache", "LanguageName")));
    action->setCheckable(true);
    action->setData(QString::fromStdString(id));
    group->addAction(action);
    connect(action, &QAction::triggered, this, [this, id] {
      SwitchLanguage(id);
      handlers_.language_changed();
      Refresh();
    });
  }
}

void WindowMenus::SetRunning(bool running) {
  profile_->setEnabled(!running);
  options_->setEnabled(!running);
  language_->setEnabled(!running);
}

void WindowMenus::Refresh() {
  rename_->setEnabled(CurrentProfileIsUsers());
  delete_->setEnabled(CurrentProfileIsUsers());
  remember_selection_->setChecked(settings::ReadUserSetting("LastSession", "profilelastselection", "0") == "1");
  const QString current = QString::fromStdString(lang::CurrentLanguage().ID());
  for (QAction* action : language_->actions()) action->setChecked(action->data().toString() == current);
}

}  // namespace velmora::ui
