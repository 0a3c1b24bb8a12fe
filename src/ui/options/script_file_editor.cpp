// The script file's modules.
#include "ui/options/script_file_editor.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "lang/messages.h"
#include "ui/options/message_presenter.h"
#include "ui/options/module_list_editor.h"

namespace velmora::ui {

// The file's modules in memory; a removal is remembered as a change, since
// the module that was removed carries no mark of its own any more.
class ScriptFileEditor::FileStore final : public ModuleStore {
 public:
  explicit FileStore(script::RLModule& modules) : modules_(modules) {}
  std::size_t Count() const override { return modules_.Count(); }
  std::string Name(std::size_t index) const override { return modules_.at(index).name; }
  std::string Source(std::size_t index) const override { return modules_.at(index).content; }
  void SetSource(std::size_t index, std::string source) override {
    script::RLModul& module = modules_.at(index);
    module.content = std::move(source);
    module.changed = true;
    module.status = script::kModuleNotCompiled;
  }
  void Add(std::string name, std::string source) override {
    modules_.Add({std::move(name), std::move(source), script::kModuleNotCompiled, true});
  }
  void Remove(std::size_t index) override {
    modules_.RemoveAt(index);
    removed = true;
  }
  bool removed = false;

 private:
  script::RLModule& modules_;
};

ScriptFileEditor::ScriptFileEditor(QWidget* parent, MessagePresenter& messages)
    : QWidget(parent), store_(std::make_unique<FileStore>(modules_)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  file_label_ = new QLabel(this);
  file_label_->setTextFormat(Qt::PlainText);
  layout->addWidget(file_label_);
  list_ = new ModuleListEditor(this, *store_, ScriptSourceKind::kFileModule, messages);
  auto* save = new QPushButton(QStringLiteral("&Speichern"), this);
  save->setAccessibleName(FromCp1252Verbatim(lang::GetText("Global", "RLSStore")));
  list_->buttons()->addWidget(save);
  list_->buttons()->addStretch(1);
  connect(save, &QPushButton::clicked, this, [this] { Save(); });
  layout->addWidget(list_, 1);
}

ScriptFileEditor::~ScriptFileEditor() = default;

void ScriptFileEditor::Load(const std::filesystem::path& file) {
  file_ = file;
  modules_.Clear();
  std::error_code error;
  if (!file.empty() && std::filesystem::is_regular_file(file, error)) script::LoadScriptFile(file, modules_);
  modules_.ResetChanged();
  store_->removed = false;
  file_label_->setText(QString::fromStdString(file_.string()));
  list_->Fill();
}

bool ScriptFileEditor::Save() {
  if (file_.empty() || !script::StoreScriptFile(file_, modules_)) return false;
  store_->removed = false;
  return true;
}

bool ScriptFileEditor::HasUnsavedChanges() const { return store_->removed || modules_.AnyChanged(); }

}  // namespace velmora::ui
