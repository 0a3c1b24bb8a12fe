// The modules of the script file that "RILOSCRIPT_FILE" names: listed,
// opened in the script editor, added, removed and written back to the file.
// Changes stay in memory until the user saves them; closing the options
// with unsaved ones asks first.
#pragma once

#include <QWidget>
#include <filesystem>
#include <memory>

#include "script/modules.h"

class QLabel;

namespace velmora::ui {

class MessagePresenter;
class ModuleListEditor;

class ScriptFileEditor : public QWidget {
  Q_OBJECT
 public:
  ScriptFileEditor(QWidget* parent, MessagePresenter& messages);
  ~ScriptFileEditor() override;

  // Reads the file's modules (none for an empty or missing name); unsaved
  // changes of the file shown before are dropped.
  void Load(const std::filesystem::path& file);
  // Writes the modules to the file; false after the message.
  bool Save();
  bool HasUnsavedChanges() const;

  script::RLModule& modules() { return modules_; }
  const std::filesystem::path& file() const { return file_; }
  ModuleListEditor& list() const { return *list_; }

 private:
  class FileStore;

  std::filesystem::path file_;
  script::RLModule modules_;
  std::unique_ptr<FileStore> store_;
  ModuleListEditor* list_ = nullptr;
  QLabel* file_label_ = nullptr;
};

}  // namespace velmora::ui
