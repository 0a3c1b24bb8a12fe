// The modules of the script file that "RILOSCRIPT_FILE" names: listed,
// opened in the script editor, added, removed and written back to the file.
// Changes stay in memory until the user saves them; closing the options
// with unsaved ones asks first.
#pragma once

#include <QWidget>
#include <filesystem>

#include "script/modules.h"

class QListWidget;
class QLabel;

namespace velmora::ui {

class MessagePresenter;

class ScriptFileEditor : public QWidget {
  Q_OBJECT
 public:
  ScriptFileEditor(QWidget* parent, MessagePresenter& messages);

  // Reads the file's modules (none for an empty or missing name); unsaved
  // changes of the file shown before are dropped.
  void Load(const std::filesystem::path& file);
  // Writes the modules to the file; false after the message.
  bool Save();
  bool HasUnsavedChanges() const { return removed_ || modules_.AnyChanged(); }

  script::RLModule& modules() { return modules_; }
  // Puts `text` (LF line ends) into module `index` as the editor would.
  void SetModuleText(std::size_t index, const QString& text);
  // Adds a module with an empty function of its name; false after a message.
  bool AddModule(const QString& name);

 private:
  void Fill();
  void EditModule(int row);

  MessagePresenter& messages_;
  std::filesystem::path file_;
  script::RLModule modules_;
  QListWidget* list_ = nullptr;
  QLabel* file_label_ = nullptr;
  bool removed_ = false;  // a module was removed since the last load or save
};

}  // namespace velmora::ui
