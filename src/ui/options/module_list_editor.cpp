// The module list editor.
#include "ui/options/module_list_editor.h"

#include <QHBoxLayout>
#include <QInputDialog>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "lang/messages.h"
#include "ui/options/message_presenter.h"

namespace velmora::ui {

ModuleListEditor::ModuleListEditor(QWidget* parent, ModuleStore& store, ScriptSourceKind kind,
                                   MessagePresenter& messages)
    : QWidget(parent), store_(store), kind_(kind), messages_(messages) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  list_ = new QListWidget(this);
  list_->setAccessibleName(FromCp1252Verbatim(
      lang::GetText("Optionen", kind == ScriptSourceKind::kFileModule ? "RLSFile" : "OptionsRiloScript")));
  layout->addWidget(list_, 1);
  buttons_ = new QVBoxLayout;
  auto* add = new QPushButton(QStringLiteral("&Neu"), this);
  auto* edit = new QPushButton(QStringLiteral("&Bearbeiten"), this);
  auto* remove = new QPushButton(QStringLiteral("&Entfernen"), this);
  for (QPushButton* button : {add, edit, remove}) {
    button->setAccessibleName(QString(button->text()).remove(u'&'));
    buttons_->addWidget(button);
  }
  layout->addLayout(buttons_);

  connect(add, &QPushButton::clicked, this, [this] {
    bool ok = false;
    const QString name = QInputDialog::getText(this, list_->accessibleName(), QString(), QLineEdit::Normal, QString(), &ok);
    if (ok && AddModule(name)) EditModule(static_cast<int>(store_.Count()) - 1);
  });
  connect(edit, &QPushButton::clicked, this, [this] { EditModule(list_->currentRow()); });
  connect(list_, &QListWidget::itemActivated, this, [this] { EditModule(list_->currentRow()); });
  connect(remove, &QPushButton::clicked, this, [this] {
    if (list_->currentRow() >= 0) RemoveModule(static_cast<std::size_t>(list_->currentRow()));
  });
  Fill();
}

void ModuleListEditor::Fill() {
  list_->clear();
  for (std::size_t i = 0; i < store_.Count(); ++i) list_->addItem(FromCp1252Verbatim(store_.Name(i)));
}

bool ModuleListEditor::AddModule(const QString& name) {
  const std::string chosen = ToCp1252Spelled(name.trimmed());
  if (chosen.empty()) {
    messages_.Show(this, lang::kApplicationTitle, lang::kIconExclamation, "ErrModuleMissingName");
    return false;
  }
  for (std::size_t i = 0; i < store_.Count(); ++i) {
    if (FromCp1252Verbatim(store_.Name(i)).compare(FromCp1252Verbatim(chosen), Qt::CaseInsensitive) == 0) {
      messages_.Show(this, lang::kApplicationTitle, lang::kIconExclamation, "MsgModuleExist", {Cp1252Text(chosen)});
      return false;
    }
  }
  store_.Add(chosen, "function " + chosen + "()\r\n{\r\n}");
  Fill();
  return true;
}

void ModuleListEditor::SetModuleText(std::size_t index, const QString& text) {
  QString copy = text;
  std::string source = ToCp1252Spelled(copy.replace(QStringLiteral("\n"), QStringLiteral("\r\n")));
  if (index < store_.Count() && source != store_.Source(index)) store_.SetSource(index, std::move(source));
}

void ModuleListEditor::RemoveModule(std::size_t index) {
  if (index >= store_.Count()) return;
  store_.Remove(index);
  Fill();
}

void ModuleListEditor::EditModule(int row) {
  if (row < 0 || static_cast<std::size_t>(row) >= store_.Count()) return;
  const auto index = static_cast<std::size_t>(row);
  ScriptEditor editor(this, {kind_, store_.Name(index), {}},
                      FromCp1252Verbatim(store_.Source(index)).replace(QStringLiteral("\r\n"), QStringLiteral("\n")), messages_);
  editor.setWindowTitle(FromCp1252Verbatim(store_.Name(index)));
  if (editor.exec() == QDialog::Accepted) SetModuleText(index, editor.text());
}

}  // namespace velmora::ui
