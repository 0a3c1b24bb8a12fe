// The options dialog.
#include "ui/options/options_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QSet>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "html/template_snippets.h"
#include "image/rename/rename_name.h"
#include "lang/messages.h"
#include "settings/profile_data.h"
#include "settings/profile_files.h"
#include "settings/profile_management.h"
#include "settings/settings_catalogue.h"
#include "settings/user_settings.h"
#include "settings/working_settings.h"
#include "ui/options/clone_list_editor.h"
#include "ui/options/message_presenter.h"
#include "ui/options/module_list_editor.h"
#include "ui/options/option_page_table.h"
#include "ui/options/page_preview.h"
#include "ui/options/script_editor.h"
#include "ui/options/script_file_editor.h"
#include "platform/native_path.h"
#include "ui/options/setting_control.h"

namespace velmora::ui {
namespace {

QString Text(std::string_view section, std::string_view key) { return FromCp1252Verbatim(lang::GetText(section, key)); }

// A caption for a setting: its label where the language tables give one
// (the template snippets), else its key.
QString CaptionOf(int slot) {
  const settings::SettingSlot& entry = settings::WorkingSettings().Slot(slot);
  return entry.label.empty() ? QString::fromStdString(entry.key) : FromCp1252Verbatim(entry.label);
}

// Puts "&" before the first letter of `caption` that no other caption of
// the page uses yet, so that every field has its own Alt key.
QString WithMnemonic(const QString& caption, QSet<QChar>& used) {
  for (qsizetype i = 0; i < caption.size(); ++i) {
    const QChar c = caption[i].toLower();
    if (!c.isLetterOrNumber() || used.contains(c)) continue;
    used.insert(c);
    QString marked = caption;
    marked.insert(i, u'&');
    return marked;
  }
  return caption;
}

// The settings of the generally page live in the user settings store.
struct GeneralOption {
  const char* name;
  const char* caption;
};
constexpr GeneralOption kGeneralFlags[] = {
    {"profilelastbasedir", "Mit dem zuletzt benutzten Basisverzeichnis des Profils starten"},
    {"profilelastselection", "Abgewählte Verzeichnisse je Profil merken"},
    {"deleteoption", "Alte Ausgaben in den Papierkorb verschieben"},
};

}  // namespace

// The profile's modules are the working copy's; every change marks the
// list, so that OK commits and saves it with the settings.
class OptionsDialog::ProfileModuleStore final : public ModuleStore {
 public:
  std::size_t Count() const override { return settings::WorkingModules().Count(); }
  std::string Name(std::size_t index) const override { return settings::WorkingModules().Item(index + 1).name; }
  std::string Source(std::size_t index) const override { return settings::WorkingModules().Item(index + 1).source; }
  void SetSource(std::size_t index, std::string source) override {
    settings::WorkingModules().SetSource(index + 1, std::move(source));
  }
  void Add(std::string name, std::string source) override {
    settings::WorkingModules().Add(std::move(name), std::move(source));
  }
  void Remove(std::size_t index) override { settings::WorkingModules().Remove(index + 1); }
};

OptionsDialog::OptionsDialog(QWidget* parent, OptionsDialogSetup setup)
    : QDialog(parent),
      messages_(setup.messages != nullptr ? *setup.messages : DefaultMessagePresenter()),
      preview_folder_(setup.preview_folder) {
  setWindowTitle(Text("Optionen", "Options"));
  setAccessibleName(windowTitle());
  auto* layout = new QVBoxLayout(this);
  auto* body = new QHBoxLayout;
  page_list_ = new QListWidget(this);
  page_list_->setAccessibleName(windowTitle());
  page_list_->setMaximumWidth(220);
  pages_ = new QStackedWidget(this);
  body->addWidget(page_list_);
  body->addWidget(pages_, 1);
  layout->addLayout(body, 1);

  const auto pages = OptionPages();
  controls_.resize(pages.size());
  for (std::size_t i = 0; i < pages.size(); ++i) {
    page_list_->addItem(Text("Optionen", pages[i].caption_key));
    pages_->addWidget(BuildPage(static_cast<int>(i)));
  }
  if (clone_list_ != nullptr) clone_list_->SetPreviewPhoto(setup.preview_photo);
  page_list_->setCurrentRow(0);
  connect(page_list_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row == current_) return;
    if (!ShowPage(row)) {
      const QSignalBlocker block(page_list_);
      page_list_->setCurrentRow(current_);
    }
  });

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &OptionsDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &OptionsDialog::reject);
  layout->addWidget(buttons);
  resize(1100, 720);
}

OptionsDialog::~OptionsDialog() = default;

int OptionsDialog::PageCount() const { return pages_->count(); }
int OptionsDialog::CurrentPage() const { return current_; }
QWidget* OptionsDialog::Page(int index) const { return pages_->widget(index); }
QString OptionsDialog::PageCaption(int index) const { return page_list_->item(index)->text(); }

QWidget* OptionsDialog::BuildPage(int index) {
  const OptionPage& page = OptionPages()[static_cast<std::size_t>(index)];
  auto* scroll = new QScrollArea(pages_);
  scroll->setWidgetResizable(true);
  auto* content = new QWidget(scroll);
  auto* column = new QVBoxLayout(content);
  auto* form = new QFormLayout;
  column->addLayout(form);
  QSet<QChar> used{u'o', u'a'};  // OK and Abbrechen keep theirs
  const bool previews = page.template_kind == static_cast<int>(html::PageKind::kThumb) ||
                        page.template_kind == static_cast<int>(html::PageKind::kImage);
  if (previews) used.insert(u'v');  // the preview button's

  const auto add_control = [&](const OptionEntry& entry) {
    const int slot = settings::SettingKey::Require(entry.key).slot();
    const QString caption = entry.caption.empty()
                                ? CaptionOf(slot)
                                : QString::fromUtf8(entry.caption.data(), static_cast<qsizetype>(entry.caption.size()));
    auto* control = new SettingControl(entry, caption, content);
    auto* label = new QLabel(WithMnemonic(caption, used), content);
    label->setBuddy(control->focusWidget());
    form->addRow(label, control->widget());
    controls_[static_cast<std::size_t>(index)].push_back(control);
  };
  for (const OptionEntry& entry : page.entries) add_control(entry);

  if (previews) {
    const bool thumbnails = page.template_kind == static_cast<int>(html::PageKind::kThumb);
    auto* preview = new QPushButton(QStringLiteral("&Vorschau: ") + Text("Optionen", thumbnails ? "HTMLThumbPage" : "HTMLImagePage"), content);
    preview->setAccessibleName(QString(preview->text()).remove(u'&'));
    preview->setEnabled(!preview_folder_.empty());
    connect(preview, &QPushButton::clicked, this, [this, thumbnails] {
      if (!CheckPage(current_)) return;
      OpenPagePreview(thumbnails ? PreviewPageKind::kThumbnailPage : PreviewPageKind::kImagePage, preview_folder_);
    });
    column->addWidget(preview);
  }
  if (page.template_kind >= 0) {
    // The template snippets of the page kind, in slot order, each a script
    // field; the older attribute slots inside the range are listed above.
    static std::vector<OptionEntry> snippet_entries = [] {
      std::vector<OptionEntry> entries;
      for (const auto& definition : settings::SettingsCatalogue()) {
        entries.push_back({definition.key, {}, ControlKind::kScript});
      }
      return entries;
    }();
    const html::PageKindSlots& kind_slots = html::SlotsOf(static_cast<html::PageKind>(page.template_kind));
    for (const OptionEntry& entry : snippet_entries) {
      const int slot = settings::SettingKey::Require(entry.key).slot();
      if (slot < kind_slots.first || slot > kind_slots.last) continue;
      bool listed = false;
      for (const OptionEntry& own : page.entries) listed = listed || own.key == entry.key;
      if (!listed) add_control(entry);
    }
  }
  for (SettingControl* control : controls_[static_cast<std::size_t>(index)]) {
    reloaders_.push_back([control] { control->Load(); });
  }

  switch (page.extra) {
    case PageExtra::kCloneList:
      clone_list_ = new CloneListEditor(content);
      connect(clone_list_, &CloneListEditor::leavingItem, this, [this](bool& allowed) {
        if (const auto failure = clone_list_->Check()) {
          messages_.Show(this, lang::kApplicationTitle, lang::kIconExclamation, failure->key, failure->parameters);
          allowed = false;
        }
      });
      column->addWidget(clone_list_, 1);
      reloaders_.push_back([this] { clone_list_->Reload(); });
      break;
    case PageExtra::kModules: column->addWidget(BuildModulesPage(content), 1); break;
    case PageExtra::kGeneral: column->addWidget(BuildGeneralPage(content)); break;
    case PageExtra::kProfile: {
      column->addWidget(BuildProfileInfo(content));
      auto* save_as = new QPushButton(QStringLiteral("Speichern &unter …"), content);
      save_as->setAccessibleName(Text("Profile", "ProfileSave"));
      connect(save_as, &QPushButton::clicked, this, [this] {
        if (!CheckPage(current_)) return;
        settings::CommitWorkingSettings();
        if (SaveUnderNewName()) Reload();
      });
      column->addWidget(save_as);
      break;
    }
    case PageExtra::kRenameExamples: column->addWidget(BuildRenameExamples(content)); break;
    case PageExtra::kScriptFile: {
      script_file_ = new ScriptFileEditor(content, messages_);
      SettingControl* file = controls_[static_cast<std::size_t>(index)].front();
      const auto load = [this] {
        script_file_->Load(ToNativePath(Cp1252Text(settings::WorkingSettings().Text("RILOSCRIPT_FILE"))));
      };
      load();
      connect(file, &SettingControl::finished, this, [this, load] {
        const auto named = ToNativePath(Cp1252Text(settings::WorkingSettings().Text("RILOSCRIPT_FILE")));
        if (named != script_file_->file() && MayDropScriptFileChanges()) load();
      });
      reloaders_.push_back(load);
      column->addWidget(script_file_, 1);
      break;
    }
    case PageExtra::kNone: break;
  }
  column->addStretch(0);
  scroll->setWidget(content);
  return scroll;
}

QWidget* OptionsDialog::BuildModulesPage(QWidget* parent) {
  profile_module_store_ = std::make_unique<ProfileModuleStore>();
  profile_modules_ = new ModuleListEditor(parent, *profile_module_store_, ScriptSourceKind::kModule, messages_);
  profile_modules_->buttons()->addStretch(1);
  reloaders_.push_back([this] { profile_modules_->Fill(); });
  return profile_modules_;
}

QWidget* OptionsDialog::BuildGeneralPage(QWidget* parent) {
  auto* box = new QWidget(parent);
  auto* form = new QFormLayout(box);
  auto* folder = new QLineEdit(FromCp1252Verbatim(settings::UserProfileDirectory()), box);
  folder->setAccessibleName(Text("CAllgemeines", "UserProfileDirectory"));
  auto* row = new QWidget(box);
  auto* line = new QHBoxLayout(row);
  line->setContentsMargins(0, 0, 0, 0);
  line->addWidget(folder, 1);
  auto* choose = new QPushButton(QStringLiteral("…"), row);
  choose->setAccessibleName(Text("CAllgemeines", "UserProfileDirectorySelect"));
  line->addWidget(choose);
  connect(choose, &QPushButton::clicked, this, [this, folder] {
    const QString chosen =
        QFileDialog::getExistingDirectory(this, Text("CAllgemeines", "UserProfileDirectorySelect"), folder->text());
    if (!chosen.isEmpty()) folder->setText(chosen);
  });
  auto* label = new QLabel(QStringLiteral("&") + Text("CAllgemeines", "UserProfileDirectory"), box);
  label->setBuddy(folder);
  form->addRow(label, row);
  general_store_.push_back([folder] {
    const std::string chosen = ToCp1252Spelled(folder->text());
    if (chosen != settings::UserProfileDirectory()) settings::SetUserProfileDirectory(chosen);
  });
  for (const GeneralOption& option : kGeneralFlags) {
    auto* check = new QCheckBox(QString::fromUtf8(option.caption), box);
    check->setAccessibleName(QString::fromUtf8(option.caption));
    check->setObjectName(QString::fromLatin1(option.name));
    check->setChecked(settings::ReadUserSetting("LastSession", option.name, "0") != "0");
    form->addRow(check);
    general_store_.push_back([check, option] {
      settings::WriteUserSetting("LastSession", option.name, check->isChecked() ? "1" : "0");
    });
  }
  return box;
}

QWidget* OptionsDialog::BuildProfileInfo(QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setAccessibleName(Text("Optionen", "OptionsProfile"));
  const auto fill = [label] {
    const settings::RLProfil& profile = settings::CurrentProfile();
    label->setText(FromCp1252Verbatim(profile.Name) + QStringLiteral("\n") +
                   FromCp1252Verbatim(settings::ProfileCreatedText(settings::StoredSettings().Text("VERSION"))));
  };
  fill();
  reloaders_.push_back(fill);
  return label;
}

QWidget* OptionsDialog::BuildRenameExamples(QWidget* parent) {
  // Two example names for clones and thumbnails each, rebuilt on every edit.
  auto* label = new QLabel(parent);
  label->setAccessibleName(Text("Optionen", "OptionsCloningRename"));
  label->setTextFormat(Qt::PlainText);
  const auto fill = [label] {
    const settings::SettingsTable& s = settings::WorkingSettings();
    const std::string dir = lang::GetText("CClonenUmbenennen", "RenameClonesDir");
    const std::string file1 = lang::GetText("CClonenUmbenennen", "RenameClonesFile1");
    const std::string file2 = lang::GetText("CClonenUmbenennen", "RenameClonesFile2");
    QString text;
    for (const char* prefix : {"CLONE", "THUMB"}) {
      const std::string p(prefix);
      const auto rename = image::RenameSettings::FromTexts(
          s.Text(settings::SettingKey::Require(p + "_RENAME_MASK")), s.Text(settings::SettingKey::Require(p + "_RENAME_DIGITS")),
          s.Text(settings::SettingKey::Require(p + "_RENAME_FIND")), s.Text(settings::SettingKey::Require(p + "_RENAME_REPLACE")),
          s.Text(settings::SettingKey::Require(p + "_RENAME_CASE")));
      text += FromCp1252Verbatim(image::RenameName(rename, dir, file1, 1)) + QStringLiteral("    ") +
              FromCp1252Verbatim(image::RenameName(rename, dir, file2, 2)) + QStringLiteral("\n");
    }
    label->setText(text);
  };
  fill();
  reloaders_.push_back(fill);
  for (auto& page_controls : controls_) {
    for (SettingControl* control : page_controls) connect(control, &SettingControl::edited, label, fill);
  }
  return label;
}

SettingControl* OptionsDialog::ControlOf(std::string_view key) const {
  for (const auto& page : controls_) {
    for (SettingControl* control : page) {
      if (control->entry().key == key) return control;
    }
  }
  return nullptr;
}

void OptionsDialog::Reload() {
  for (const auto& reload : reloaders_) reload();
}

bool OptionsDialog::CheckPage(int index) {
  for (SettingControl* control : controls_[static_cast<std::size_t>(index)]) {
    const auto failure = control->Check();
    if (!failure) continue;
    messages_.Show(this, lang::kApplicationTitle, lang::kIconExclamation, failure->key, failure->parameters);
    // The search pattern has a harmless value to fall back to; every other
    // refused value stays for the user to correct.
    if (control->entry().key == "FILTER") {
      control->SetValue("*");
      continue;
    }
    control->focusWidget()->setFocus();
    return false;
  }
  if (clone_list_ != nullptr && OptionPages()[static_cast<std::size_t>(index)].extra == PageExtra::kCloneList) {
    if (const auto failure = clone_list_->Check()) {
      messages_.Show(this, lang::kApplicationTitle, lang::kIconExclamation, failure->key, failure->parameters);
      return false;
    }
  }
  return true;
}

bool OptionsDialog::ShowPage(int index) {
  if (index < 0 || index >= PageCount()) return false;
  if (index != current_ && !CheckPage(current_)) return false;
  current_ = index;
  pages_->setCurrentIndex(index);
  const QSignalBlocker block(page_list_);
  page_list_->setCurrentRow(index);
  return true;
}

bool OptionsDialog::Save() {
  settings::CommitWorkingSettings();
  const settings::RLProfil& profile = settings::CurrentProfile();
  if (profile.ProfileType == settings::kUserProfileType) {
    return settings::SaveCurrentProfile() == settings::kProfileWritten;
  }
  // The built-in profile and the shipped ones stay as they are: the changes
  // become a user profile of their own.
  return SaveUnderNewName();
}

bool OptionsDialog::SaveUnderNewName() {
  for (;;) {
    const auto name = messages_.AskProfileName(this, FromCp1252Verbatim(settings::CurrentProfile().Name));
    if (!name) return false;
    const std::string chosen = ToCp1252Spelled(name->trimmed());
    if (chosen.empty()) {
      messages_.Show(this, lang::kApplicationTitle, lang::kIconExclamation, "ErrProfileMissingName");
      continue;
    }
    if (!settings::ValidateProfileName(chosen)) {
      messages_.Show(this, lang::kApplicationTitle, lang::kIconExclamation, "ErrProfileInvalidCharacter");
      continue;
    }
    const settings::RLProfil* existing = settings::FindProfile(chosen);
    if (existing != nullptr &&
        messages_.Show(this, lang::kApplicationTitle, lang::kButtonsYesNo | lang::kIconQuestion, "MsgProfileExist",
                       {Cp1252Text(chosen)}) != lang::kResultYes) {
      continue;
    }
    return settings::SaveProfileAs(chosen) == settings::kProfileWritten;
  }
}

void OptionsDialog::accept() {
  for (int i = 0; i < PageCount(); ++i) {
    if (!CheckPage(i)) {
      current_ = i;
      pages_->setCurrentIndex(i);
      const QSignalBlocker block(page_list_);
      page_list_->setCurrentRow(i);
      return;
    }
  }
  if (!MayDropScriptFileChanges()) return;
  if (!Save()) return;
  for (const auto& store : general_store_) store();
  QDialog::accept();
}

void OptionsDialog::reject() {
  if (!MayDropScriptFileChanges()) return;
  settings::CopyStoredToWorking();
  QDialog::reject();
}

bool OptionsDialog::MayDropScriptFileChanges() {
  if (script_file_ == nullptr || !script_file_->HasUnsavedChanges()) return true;
  return messages_.Show(this, lang::kApplicationTitle, lang::kButtonsYesNo | lang::kIconQuestion,
                        "MsgRLSChangesReject") == lang::kResultYes;
}

}  // namespace velmora::ui
