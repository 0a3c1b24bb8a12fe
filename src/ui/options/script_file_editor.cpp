// The script file's modules.
#include "ui/options/script_file_editor.h"

#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "lang/messages.h"
#include "ui/options/message_presenter.h"
#include "ui/options/script_editor.h"

namespace velmora::ui {

ScriptFileEditor::ScriptFileEditor(QWidget* parent, MessagePresenter& messages) : QWidget(parent), messages_(messages) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  file_label_ = new QLabel(this);
  file_label_->setTextFormat(Qt::PlainText);
  layout->addWidget(file_label_);
  auto* row = new QHBoxLayout;
  list_ = new QListWidget(this);
  list_->setAccessibleName(FromCp1252(lang::GetText("Optionen", "RLSFile")));
  row->addWidget(list_, 1);
  auto* buttons = new QVBoxLayout;
  auto* add = new QPushButton(QStringLiteral("&Neu"), this);
  auto* edit = new QPushButton(QStringLiteral("&Bearbeiten"), this);
  auto* remove = new QPushButton(QStringLiteral("&Entfernen"), this);
  auto* save = new QPushButton(QStringLiteral("&Speichern"), this);
  save->setToolTip(FromCp1252(lang::GetText("Global", "RLSStore")));
  for (QPushButton* button : {add, edit, remove, save}) {
    button->setAccessibleName(QString(button->text()).remove(u'&'));
    buttons->addWidget(button);
  }
  buttons->addStretch(1);
  row->addLayout(buttons);
  layout->addLayout(row);

  connect(add, &QPushButton::clicked, this, [this] {
    bool ok = false;
    const QString name = QInputDialog::getText(this, FromCp1252(lang::GetText("Optionen", "RLSFile")), QString(),
                                               QLineEdit::Normal, QString(), &ok);
    if (ok && AddModule(name)) EditModule(static_cast<int>(modules_.Count()) - 1);
  });
  connect(edit, &QPushButton::clicked, this, [this] { EditModule(list_->currentRow()); });
  connect(list_, &QListWidget::itemActivated, this, [this] { EditModule(list_->currentRow()); });
  connect(remove, &QPushButton::clicked, this, [this] {
    const int row_index = list_->currentRow();
    if (row_index < 0) return;
    const std::string name = modules_.at(static_cast<std::size_t>(row_index)).name;
    modules_.Remove(name);
    removed_ = true;
    Fill();
  });
  connect(save, &QPushButton::clicked, this, [this] { Save(); });
}

void ScriptFileEditor::Load(const std::filesystem::path& file) {
  file_ = file;
  modules_.Clear();
  removed_ = false;
  std::error_code error;
  if (!file.empty() && std::filesystem::is_regular_file(file, error)) script::LoadScriptFile(file, modules_);
  modules_.ResetChanged();
  Fill();
}

bool ScriptFileEditor::Save() {
  if (file_.empty()) return false;
  if (!script::StoreScriptFile(file_, modules_)) return false;
  removed_ = false;
  return true;
}

void ScriptFileEditor::Fill() {
  file_label_->setText(QString::fromStdString(file_.string()));
  list_->clear();
  for (const script::RLModul& module : modules_.all()) list_->addItem(FromCp1252(module.name));
}

bool ScriptFileEditor::AddModule(const QString& name) {
  const std::string chosen = ToCp1252(name.trimmed());
  if (chosen.empty()) {
    messages_.Show(this, lang::kApplicationTitle, lang::kIconExclamation, "ErrModuleMissingName");
    return false;
  }
  if (modules_.Find(chosen) != nullptr) {
    messages_.Show(this, lang::kApplicationTitle, lang::kIconExclamation, "MsgModuleExist", {Cp1252Text(chosen)});
    return false;
  }
  modules_.Add({chosen, "function " + chosen + "()\r\n{\r\n}", script::kModuleNotCompiled, true});
  Fill();
  return true;
}

void ScriptFileEditor::SetModuleText(std::size_t index, const QString& text) {
  script::RLModul& module = modules_.at(index);
  QString copy = text;
  const std::string source = ToCp1252(copy.replace(QStringLiteral("\n"), QStringLiteral("\r\n")));
  if (source == module.content) return;
  module.content = source;
  module.changed = true;
  module.status = script::kModuleNotCompiled;
}

void ScriptFileEditor::EditModule(int row) {
  if (row < 0 || static_cast<std::size_t>(row) >= modules_.Count()) return;
  const script::RLModul& module = modules_.at(static_cast<std::size_t>(row));
  ScriptEditor editor(this, {ScriptSourceKind::kFileModule, module.name, {}},
                      FromCp1252(module.content).replace(QStringLiteral("\r\n"), QStringLiteral("\n")), messages_);
  editor.setWindowTitle(FromCp1252(module.name));
  if (editor.exec() == QDialog::Accepted) SetModuleText(static_cast<std::size_t>(row), editor.text());
}

}  // namespace velmora::ui
