// A list of script modules with buttons to add, edit and remove them: the
// profile's own modules and those of the script file alike. Where the
// modules live is the store's business.
#pragma once

#include <QWidget>
#include <cstddef>
#include <string>

#include "ui/options/script_editor.h"

class QListWidget;
class QVBoxLayout;

namespace velmora::ui {

class MessagePresenter;

// The modules being edited (names and sources Windows-1252, CR LF).
class ModuleStore {
 public:
  virtual ~ModuleStore() = default;
  virtual std::size_t Count() const = 0;
  virtual std::string Name(std::size_t index) const = 0;  // index from 0
  virtual std::string Source(std::size_t index) const = 0;
  virtual void SetSource(std::size_t index, std::string source) = 0;
  virtual void Add(std::string name, std::string source) = 0;
  virtual void Remove(std::size_t index) = 0;
};

class ModuleListEditor : public QWidget {
  Q_OBJECT
 public:
  // `kind` says how the editor compiles a module and names it in a message.
  ModuleListEditor(QWidget* parent, ModuleStore& store, ScriptSourceKind kind, MessagePresenter& messages);

  // Shows the store's modules again.
  void Fill();
  // Adds a module with an empty function of its name; false after a message
  // (no name, or a module of that name in any letter case).
  bool AddModule(const QString& name);
  // Puts `text` (LF line ends) into the module at `index` as the editor would.
  void SetModuleText(std::size_t index, const QString& text);
  void RemoveModule(std::size_t index);
  // The column of buttons, for an owner's own ("Speichern").
  QVBoxLayout* buttons() const { return buttons_; }

 private:
  void EditModule(int row);

  ModuleStore& store_;
  ScriptSourceKind kind_;
  MessagePresenter& messages_;
  QListWidget* list_ = nullptr;
  QVBoxLayout* buttons_ = nullptr;
};

}  // namespace velmora::ui
