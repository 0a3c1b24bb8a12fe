// Controls of the options pages.
#include "ui/options/setting_control.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>

#include "app/run/output_names.h"
#include "app/run/setting_ranges.h"
#include "lang/messages.h"
#include "settings/profile_data.h"
#include "settings/setting_key.h"
#include "settings/working_settings.h"
#include "ui/options/message_presenter.h"
#include "ui/options/riloscript_highlighter.h"
#include "ui/options/script_editor.h"

namespace velmora::ui {
namespace {

// Settings hold CR LF; the editors work with LF.
QString ToEditorText(const std::string& value) {
  return FromCp1252Verbatim(value).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}
std::string FromEditorText(const QString& text) {
  QString copy = text;
  copy.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
  return ToCp1252Spelled(copy);
}

long long NumberOr(const std::string& text, long long fallback) {
  const auto value = app::ReadWholeNumber(text);
  return value ? *value : fallback;
}

// A value that is one of the file-type extension lists.
bool IsExtensionList(std::string_view key) { return key.size() > 4 && key.substr(key.size() - 4) == "_EXT"; }

// The language's titles of the choosers where it has one.
struct ChooserTitle {
  std::string_view key;
  std::string_view section;
  std::string_view title;
};
constexpr ChooserTitle kChooserTitles[] = {
    {"CLONE_PATH", "CClonen", "CloneDirectorySelect"},
    {"DECO_SOURCE", "CDeko", "DecoSourceSelect"},
    {"RILOSCRIPT_FILE", "Optionen", "RLSFileSelect"},
    {"THUMB_FRAMEFILLCOLOR", "CThumbnails", "ThumbFrameFillColor"},
};

QString ChooserTitleOf(std::string_view key, const QString& caption) {
  for (const ChooserTitle& title : kChooserTitles) {
    if (title.key == key) return FromCp1252Verbatim(lang::GetText(title.section, title.title));
  }
  return caption;
}

}  // namespace

QColor ColourOfValue(long long value) {
  return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                static_cast<int>((value >> 16) & 0xFF));
}

long long ValueOfColour(const QColor& colour) {
  return static_cast<long long>(colour.blue()) * 65536 + colour.green() * 256 + colour.red();
}

SettingControl::SettingControl(const OptionEntry& entry, const QString& caption, QWidget* parent)
    : QObject(parent), entry_(entry), slot_(settings::SettingKey::Require(entry.key).slot()), caption_(caption) {
  const auto with_button = [&](QWidget* field, const QString& button_text, auto slot_function) {
    auto* box = new QWidget(parent);
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(field, 1);
    auto* button = new QPushButton(button_text, box);
    button->setAccessibleName(caption + QStringLiteral(" …"));
    layout->addWidget(button);
    connect(button, &QPushButton::clicked, this, slot_function);
    widget_ = box;
    focus_ = field;
  };

  switch (entry.kind) {
    case ControlKind::kFlag: {
      auto* box = new QCheckBox(parent);
      connect(box, &QCheckBox::toggled, this, &SettingControl::Store);
      widget_ = focus_ = box;
      break;
    }
    case ControlKind::kNumber: {
      if (app::RangeOfSetting(settings::SettingKey::Require(entry.key))) {
        // A free field: an out-of-range value is refused with its message
        // when the page is left, rather than silently clamped.
        auto* field = new QLineEdit(parent);
        connect(field, &QLineEdit::textEdited, this, &SettingControl::Store);
        widget_ = focus_ = field;
      } else {
        auto* spin = new QSpinBox(parent);
        spin->setRange(entry.lowest, entry.highest);
        connect(spin, &QSpinBox::valueChanged, this, &SettingControl::Store);
        widget_ = focus_ = spin;
      }
      break;
    }
    case ControlKind::kColour: {
      auto* swatch = new QPushButton(parent);
      swatch->setMinimumWidth(80);
      connect(swatch, &QPushButton::clicked, this, &SettingControl::ChooseColour);
      widget_ = focus_ = swatch;
      break;
    }
    case ControlKind::kFolder:
    case ControlKind::kFile: {
      auto* field = new QLineEdit(parent);
      connect(field, &QLineEdit::textEdited, this, &SettingControl::Store);
      connect(field, &QLineEdit::editingFinished, this, &SettingControl::finished);
      with_button(field, QStringLiteral("…"), &SettingControl::ChoosePath);
      break;
    }
    case ControlKind::kChoice: {
      auto* combo = new QComboBox(parent);
      for (const ChoiceItem& choice : entry.choices) {
        combo->addItem(QString::fromUtf8(choice.caption.data(), static_cast<qsizetype>(choice.caption.size())),
                       QString::fromLatin1(choice.value.data(), static_cast<qsizetype>(choice.value.size())));
      }
      connect(combo, &QComboBox::currentIndexChanged, this, &SettingControl::Store);
      widget_ = focus_ = combo;
      break;
    }
    case ControlKind::kBits: {
      auto* box = new QWidget(parent);
      auto* layout = new QHBoxLayout(box);
      layout->setContentsMargins(0, 0, 0, 0);
      for (const ChoiceItem& choice : entry.choices) {
        auto* bit = new QCheckBox(QString::fromUtf8(choice.caption.data(), static_cast<qsizetype>(choice.caption.size())), box);
        bit->setProperty("bit", QString::fromLatin1(choice.value.data(), static_cast<qsizetype>(choice.value.size())).toInt());
        bit->setAccessibleName(caption + QStringLiteral(": ") + bit->text());
        connect(bit, &QCheckBox::toggled, this, &SettingControl::Store);
        layout->addWidget(bit);
        if (focus_ == nullptr) focus_ = bit;
      }
      widget_ = box;
      break;
    }
    case ControlKind::kText: {
      auto* field = new QLineEdit(parent);
      connect(field, &QLineEdit::textEdited, this, &SettingControl::Store);
      widget_ = focus_ = field;
      break;
    }
    case ControlKind::kLongText:
    case ControlKind::kScript: {
      auto* edit = new QPlainTextEdit(parent);
      edit->setTabChangesFocus(true);  // Tab leaves the field; the editor window takes real tabs
      edit->setMaximumHeight(entry.kind == ControlKind::kScript ? 90 : 120);
      edit->setLineWrapMode(QPlainTextEdit::NoWrap);
      if (entry.kind == ControlKind::kScript) {
        new RiloScriptHighlighter(edit->document(),
                                  entry.key == "IMAGE_ORACLE" ? HighlightMode::kCode : HighlightMode::kTemplate);
      }
      connect(edit, &QPlainTextEdit::textChanged, this, &SettingControl::Store);
      if (entry.kind == ControlKind::kScript) {
        with_button(edit, QStringLiteral("…"), &SettingControl::EditScript);
      } else {
        widget_ = focus_ = edit;
      }
      break;
    }
    case ControlKind::kReadOnly: {
      auto* label = new QLabel(parent);
      label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
      label->setFocusPolicy(Qt::StrongFocus);
      widget_ = focus_ = label;
      break;
    }
  }
  focus_->setAccessibleName(caption);
  widget_->setAccessibleName(caption);
  widget_->setObjectName(QString::fromLatin1(entry.key.data(), static_cast<qsizetype>(entry.key.size())));
  // The key as profiles and the command line ("/THUMB_SIZE=150") name it.
  const std::string& label = settings::WorkingSettings().Slot(slot_).label;
  QString tip = QString::fromLatin1(entry.key.data(), static_cast<qsizetype>(entry.key.size()));
  if (!label.empty()) tip += QStringLiteral(": ") + FromCp1252Verbatim(label);
  widget_->setToolTip(tip);
  Load();
}

void SettingControl::Load() {
  loading_ = true;
  const std::string& value = settings::WorkingSettings().Value(slot_);
  switch (entry_.kind) {
    case ControlKind::kFlag: static_cast<QCheckBox*>(focus_)->setChecked(NumberOr(value, 0) != 0); break;
    case ControlKind::kNumber:
      if (auto* spin = qobject_cast<QSpinBox*>(focus_)) {
        spin->setValue(static_cast<int>(NumberOr(value, entry_.lowest)));
      } else {
        static_cast<QLineEdit*>(focus_)->setText(FromCp1252Verbatim(value));
      }
      break;
    case ControlKind::kColour: {
      const QColor colour = ColourOfValue(NumberOr(value, 0));
      auto* swatch = static_cast<QPushButton*>(focus_);
      swatch->setText(colour.name());
      swatch->setStyleSheet(QStringLiteral("background-color: %1; color: %2")
                                .arg(colour.name(), colour.lightness() > 128 ? QStringLiteral("black") : QStringLiteral("white")));
      break;
    }
    case ControlKind::kFolder:
    case ControlKind::kFile:
    case ControlKind::kText: static_cast<QLineEdit*>(focus_)->setText(FromCp1252Verbatim(value)); break;
    case ControlKind::kChoice: {
      auto* combo = static_cast<QComboBox*>(focus_);
      int index = combo->findData(FromCp1252Verbatim(value).trimmed());
      if (index < 0) {
        // A code the list does not know (hand-written profile) stays visible and kept.
        combo->addItem(FromCp1252Verbatim(value), FromCp1252Verbatim(value));
        index = combo->count() - 1;
      }
      combo->setCurrentIndex(index);
      break;
    }
    case ControlKind::kBits: {
      const long long bits = NumberOr(value, 0);
      for (auto* bit : widget_->findChildren<QCheckBox*>()) bit->setChecked((bits & bit->property("bit").toInt()) != 0);
      break;
    }
    case ControlKind::kLongText:
    case ControlKind::kScript: static_cast<QPlainTextEdit*>(focus_)->setPlainText(ToEditorText(value)); break;
    case ControlKind::kReadOnly: static_cast<QLabel*>(focus_)->setText(FromCp1252Verbatim(value)); break;
  }
  loading_ = false;
}

std::string SettingControl::Value() const {
  switch (entry_.kind) {
    case ControlKind::kFlag: return static_cast<QCheckBox*>(focus_)->isChecked() ? "1" : "0";
    case ControlKind::kNumber:
      if (auto* spin = qobject_cast<QSpinBox*>(focus_)) return std::to_string(spin->value());
      return ToCp1252Spelled(static_cast<QLineEdit*>(focus_)->text());
    case ControlKind::kColour: return std::to_string(ValueOfColour(QColor(static_cast<QPushButton*>(focus_)->text())));
    case ControlKind::kFolder:
    case ControlKind::kFile:
    case ControlKind::kText: return ToCp1252Spelled(static_cast<QLineEdit*>(focus_)->text());
    case ControlKind::kChoice: return ToCp1252Spelled(static_cast<QComboBox*>(focus_)->currentData().toString());
    case ControlKind::kBits: {
      long long bits = NumberOr(settings::WorkingSettings().Value(slot_), 0);
      for (auto* bit : widget_->findChildren<QCheckBox*>()) {
        const int mask = bit->property("bit").toInt();
        bits = bit->isChecked() ? (bits | mask) : (bits & ~static_cast<long long>(mask));
      }
      return std::to_string(bits);
    }
    case ControlKind::kLongText:
    case ControlKind::kScript: return FromEditorText(static_cast<QPlainTextEdit*>(focus_)->toPlainText());
    case ControlKind::kReadOnly: return settings::WorkingSettings().Value(slot_);
  }
  return {};
}

void SettingControl::SetValue(const std::string& value) {
  settings::SetWorkingSetting(slot_, value);
  Load();
  emit edited();
  emit finished();
}

void SettingControl::Store() {
  if (loading_ || entry_.kind == ControlKind::kReadOnly) return;
  settings::SetWorkingSetting(slot_, Value());
  emit edited();
}

std::optional<image::OptionValueFailure> SettingControl::Check() const {
  const settings::SettingKey key = settings::SettingKey::Require(entry_.key);
  const std::string value = Value();
  if (entry_.kind == ControlKind::kNumber) {
    if (const auto range = app::RangeOfSetting(key)) {
      const auto number = app::ReadWholeNumber(value);
      if (!number || *number < range->min || *number > range->max) return image::OptionValueFailure{range->message, {}};
    }
    return std::nullopt;
  }
  if (entry_.kind != ControlKind::kText) return std::nullopt;
  if (const auto message = app::CheckOutputName(key, value)) return image::OptionValueFailure{*message, {}};
  if (entry_.key == "FILTER" && value.empty()) return image::OptionValueFailure{"ErrMissingTemplate", {}};
  if (IsExtensionList(entry_.key) && value.empty()) return image::OptionValueFailure{"ErrMissingImageType", {}};
  return std::nullopt;
}

void SettingControl::ChooseColour() {
  const QColor chosen =
      QColorDialog::getColor(ColourOfValue(NumberOr(Value(), 0)), widget_, ChooserTitleOf(entry_.key, caption_));
  if (chosen.isValid()) SetValue(std::to_string(ValueOfColour(chosen)));
}

void SettingControl::ChoosePath() {
  const QString current = static_cast<QLineEdit*>(focus_)->text();
  const QString chosen = entry_.kind == ControlKind::kFolder
                             ? QFileDialog::getExistingDirectory(widget_, ChooserTitleOf(entry_.key, caption_), current)
                             : QFileDialog::getOpenFileName(widget_, ChooserTitleOf(entry_.key, caption_), current);
  if (!chosen.isEmpty()) SetValue(ToCp1252Spelled(chosen));
}

void SettingControl::EditScript() {
  ScriptSource source;
  source.kind = entry_.key == "IMAGE_ORACLE" ? ScriptSourceKind::kOracle : ScriptSourceKind::kTemplate;
  source.name = std::string(entry_.key);
  ScriptEditor editor(widget_, source, static_cast<QPlainTextEdit*>(focus_)->toPlainText(), DefaultMessagePresenter());
  editor.setWindowTitle(caption_);
  if (editor.exec() == QDialog::Accepted) static_cast<QPlainTextEdit*>(focus_)->setPlainText(editor.text());
}

}  // namespace velmora::ui
