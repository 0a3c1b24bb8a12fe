// The main window's menus: profile (new, copy, rename, delete, import,
// export), options, language, help and the about box.
#pragma once

#include <QObject>
#include <filesystem>
#include <functional>

class QAction;
class QMainWindow;
class QMenu;

namespace velmora::ui {

struct MenuHandlers {
  std::function<void()> profile_changed;   // the current profile or the list changed
  std::function<void()> language_changed;  // after the captions were applied again
  // Before the options dialog opens: saves what the window holds of the
  // profile and gives the first ticked folder with photos (native; empty
  // when there is none), whose pages the dialog's previews show.
  std::function<std::filesystem::path()> before_options;
};

class WindowMenus : public QObject {
  Q_OBJECT

 public:
  WindowMenus(QMainWindow* window, MenuHandlers handlers);

  // During a run nothing that the run reads may change.
  void SetRunning(bool running);
  // Enables what fits the current profile and ticks the current language.
  void Refresh();

  QMenu* language_menu() const { return language_; }

 private:
  void FillLanguages();

  QMainWindow* window_;
  MenuHandlers handlers_;
  QMenu* profile_;
  QMenu* options_;
  QMenu* language_;
  QAction* rename_;
  QAction* delete_;
  QAction* remember_selection_;
};

// Makes the language current, stores the choice and relabels every window.
void SwitchLanguage(const std::string& id);

}  // namespace velmora::ui
