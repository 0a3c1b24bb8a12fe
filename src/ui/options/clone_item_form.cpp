// Forms of the clone list items.
#include "ui/options/clone_item_form.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <map>
#include <span>

#include "app/run/image_scan.h"
#include "image/clone_list/bild_effekt.h"
#include "settings/profile_data.h"
#include "image/clone_list/effect_codes.h"
#include "lang/messages.h"
#include "ui/options/message_presenter.h"
#include "ui/options/riloscript_highlighter.h"
#include "ui/options/script_editor.h"
#include "ui/options/setting_control.h"

namespace velmora::ui {
namespace {

enum class FieldKind { kText, kNumber, kColour, kFlag, kChoice, kFile, kStampText };

struct Choice {
  const char* value;
  const char* caption;
};

struct FieldDefinition {
  std::string key;
  const char* caption;
  FieldKind kind = FieldKind::kText;
  const image::OptionValueRange* range = nullptr;
  std::span<const Choice> choices{};
};

constexpr Choice kPositions[] = {{"1", "oben links"},   {"2", "oben Mitte"},  {"3", "oben rechts"},
                                 {"4", "Mitte links"},  {"5", "Mitte"},       {"6", "Mitte rechts"},
                                 {"7", "unten links"},  {"8", "unten Mitte"}, {"9", "unten rechts"}};
constexpr Choice kDirections[] = {{"0", "keine"}, {"1", "90°"}, {"2", "180°"}, {"3", "270°"}};
constexpr Choice kAlignments[] = {{"0", "automatisch"}, {"1", "links"}, {"2", "zentriert"}, {"3", "rechts"}};
constexpr Choice kBorderKinds[] = {{"0", "über dem Bild"}, {"1", "um das Bild"}, {"2", "Bilderrahmen"}};
constexpr Choice kInsideKinds[] = {{"0", "rechteckig"}, {"1", "oval"}};
constexpr Choice kSides[] = {{"15", "alle Seiten"}, {"1", "oben"},  {"2", "rechts"},  {"4", "unten"},
                             {"8", "links"},        {"5", "oben und unten"}, {"10", "links und rechts"}};
constexpr Choice kArrangements[] = {{"0", "kacheln"}, {"1", "strecken"}};
constexpr Choice kTurns[] = {{"0", "90° rechts"}, {"1", "180°"}, {"2", "90° links"}};
constexpr Choice kFlips[] = {{"1", "links-rechts"}, {"2", "oben-unten"}};

// The effect parameters' ranges that the effect page checks.
constexpr image::OptionValueRange kMosaicWidth{"ErrImageeffectMosaicWidth", 1, 99};
constexpr image::OptionValueRange kMosaicHeight{"ErrImageeffectMosaicHeight", 1, 99};
constexpr image::OptionValueRange kShadowOffset{"ErrImageeffectShadowOffset", 0, 9999};
constexpr image::OptionValueRange kNoiseValue{"ErrImageeffectNoiseValue", 1, 4000000};
constexpr image::OptionValueRange kHalftoneWidth{"ErrImageeffectHalftoneWidth", 1, 99};

std::string L(int n) { return "IMAGE_EFFECT_LONGVALUE_" + std::string(n < 10 ? "0" : "") + std::to_string(n); }
std::string D(int n) { return "IMAGE_EFFECT_DOUBLEVALUE_" + std::string(n < 10 ? "0" : "") + std::to_string(n); }

// Titles of the colour and file choosers (language section and key), and
// for files the key of the filter's name.
struct ChooserTitle {
  const char* field;
  const char* section;
  const char* title;
  const char* filter_name = nullptr;
};
constexpr ChooserTitle kChooserTitles[] = {
    {"STAMP_TEXT_COLOR", "CTextStempel", "TextStampColor"},
    {"STAMP_TEXT_BORDER_COLOR", "CTextStempel", "TextStampBordercolor"},
    {"STAMP_TEXT_BACKGROUND_COLOR", "CTextStempel", "TextStampBackgroundColor"},
    {"BORDER_COLOR", "CRahmen", "BorderBorderColor"},
    {"BORDER_IMAGE_NAME", "CRahmen", "BorderImageSelectImage", "BorderImageSupportedImageTypes"},
    {"STAMP_IMAGE", "CBildStempel", "ImageStampSelectImage", "ImageStampSupportedImageTypes"},
    {"STAMP_IMAGE_TRANSPARENTCOLOR", "CBildStempel", "ImageStampSelectTranscolor"},
};

// The chooser title of an item field; effect colours by their parameter.
QString ChooserTitleOf(const image::CloneItem& item, const std::string& field, const QString& caption) {
  for (const ChooserTitle& title : kChooserTitles) {
    if (field == title.field) return FromCp1252Verbatim(lang::GetText(title.section, title.title));
  }
  if (item.Kind() == image::CloneItemKind::kEffect) {
    const auto code = static_cast<const image::CBildEffekt&>(item).EffectCode();
    if (code == image::effect_code::kDuotone) return FromCp1252Verbatim(lang::GetText("CBildEffekte", "EffectDuotoneColor"));
    if (code == image::effect_code::kShadow) {
      return FromCp1252Verbatim(lang::GetText("CBildEffekte", field == L(3) ? "EffectBackgroundColor" : "EffectShadowColor"));
    }
  }
  return caption;
}

// "Unterstützte Bildtypen (*.JPG;*.PNG)": the extensions of the switched-on types.
QString ImageFilterOf(const std::string& field) {
  for (const ChooserTitle& title : kChooserTitles) {
    if (field != title.field || title.filter_name == nullptr) continue;
    QStringList patterns;
    for (const app::EnabledImageType& type : app::EnabledImageTypes(settings::WorkingSettings())) {
      for (const QString& extension : FromCp1252Verbatim(type.extensions).split(u',', Qt::SkipEmptyParts)) {
        patterns << QStringLiteral("*.") + extension.trimmed();
      }
    }
    return FromCp1252Verbatim(lang::GetText(title.section, title.filter_name)) + QStringLiteral(" (") + patterns.join(u' ') +
           QStringLiteral(")");
  }
  return {};
}

std::vector<FieldDefinition> EffectParameters(std::int32_t code) {
  using F = FieldKind;
  namespace e = image::effect_code;
  switch (code) {
    case e::kSharpen: return {{L(1), "Stärke", F::kNumber}, {L(2), "L2", F::kNumber}};
    case e::kGamma: return {{D(1), "Gamma"}};
    case e::kBrightnessContrast: return {{D(1), "Helligkeit"}, {D(2), "Kontrast"}};
    case e::kBlur: return {{L(1), "Filtergröße", F::kNumber}, {L(2), "L2", F::kNumber}, {D(1), "Intensität"}};
    case e::kSaturation: return {{D(1), "Sättigung"}};
    case e::kUnsharpMask:
      return {{L(1), "Schwelle", F::kNumber}, {L(2), "L2", F::kNumber}, {D(1), "Stärke"}, {D(2), "Radius"}};
    case e::kMosaic:
      return {{L(1), "Kachelbreite", F::kNumber, &kMosaicWidth}, {L(2), "Kachelhöhe", F::kNumber, &kMosaicHeight}};
    case e::kRotate: return {{L(1), "Drehung", F::kChoice, nullptr, kTurns}};
    case e::kFlip: return {{L(1), "Richtung", F::kChoice, nullptr, kFlips}};
    case e::kShadow:
      return {{L(1), "Versatz", F::kNumber, &kShadowOffset}, {L(2), "Richtung (Grad)", F::kNumber},
              {L(3), "Hintergrundfarbe", F::kColour},          {L(4), "Schattenfarbe aus dem Bild", F::kFlag},
              {L(5), "Schattenfarbe", F::kColour},             {L(6), "Streuung", F::kNumber}};
    case e::kNoise:
      return {{L(1), "Rauschwert", F::kNumber, &kNoiseValue}, {L(2), "einfarbig", F::kFlag}, {L(3), "L3", F::kNumber}};
    case e::kOilpainting: return {{L(1), "L1", F::kNumber}, {L(2), "L2", F::kNumber}, {L(3), "L3", F::kNumber}};
    case e::kWatercolor: return {{D(1), "Unschärfe"}, {L(1), "Kontrast", F::kNumber}, {L(2), "Aufhellen", F::kNumber}};
    case e::kEdgeDetect: return {{D(1), "Sigma"}, {D(2), "untere Schwelle"}, {D(3), "obere Schwelle"}};
    case e::kDuotone: return {{L(1), "Zweitonfarbe", F::kColour}};
    case e::kHalftone: return {{L(1), "Punktbreite", F::kNumber, &kHalftoneWidth}};
    case e::kCrackle: return {{L(1), "Modus", F::kNumber}, {L(2), "Tiefe", F::kNumber}, {L(3), "L3", F::kNumber}};
    default: return {};
  }
}

std::vector<FieldDefinition> FieldsOf(const image::CloneItem& item) {
  using F = FieldKind;
  switch (item.Kind()) {
    case image::CloneItemKind::kTextStamp:
      return {{"STAMP_TEXT_DESCRIPTION", "Beschreibung"},
              {"STAMP_TEXT", "Text", F::kStampText},
              {"STAMP_TEXT_FONT", "Schrift"},
              {"STAMP_TEXT_HEIGHT", "Höhe", F::kNumber, &image::kStampHeightRange},
              {"STAMP_TEXT_WEIGHT", "Stärke", F::kNumber},
              {"STAMP_TEXT_ITALIC", "kursiv", F::kFlag},
              {"STAMP_TEXT_UNDERLINE", "unterstrichen", F::kFlag},
              {"STAMP_TEXT_STRIKEOUT", "durchgestrichen", F::kFlag},
              {"STAMP_TEXT_COLOR", "Farbe", F::kColour},
              {"STAMP_TEXT_COLORREADABLE", "lesbare Farbe aus dem Bild", F::kFlag},
              {"STAMP_TEXT_OPACITY", "Deckkraft (%)", F::kNumber},
              {"STAMP_TEXT_POSITION", "Position", F::kChoice, nullptr, kPositions},
              {"STAMP_TEXT_OFFSETX", "Versatz X", F::kNumber, &image::kStampOffsetRange},
              {"STAMP_TEXT_OFFSETY", "Versatz Y", F::kNumber, &image::kStampOffsetRange},
              {"STAMP_TEXT_DIRECTION", "Drehung", F::kChoice, nullptr, kDirections},
              {"STAMP_TEXT_ALIGNMENT", "Ausrichtung", F::kChoice, nullptr, kAlignments},
              {"STAMP_TEXT_BACKGROUND", "Hintergrund", F::kFlag},
              {"STAMP_TEXT_BACKGROUND_COLOR", "Hintergrundfarbe", F::kColour},
              {"STAMP_TEXT_BACKGROUND_OPACITY", "Hintergrund-Deckkraft (%)", F::kNumber},
              {"STAMP_TEXT_BORDER", "Rahmen", F::kFlag},
              {"STAMP_TEXT_BORDER_COLOR", "Rahmenfarbe", F::kColour},
              {"STAMP_TEXT_BORDER_WIDTH", "Rahmenbreite", F::kNumber, &image::kStampFrameWidthRange}};
    case image::CloneItemKind::kImageStamp:
      return {{"STAMP_IMAGE_DESCRIPTION", "Beschreibung"},
              {"STAMP_IMAGE", "Bild", F::kFile},
              {"STAMP_IMAGE_POSITION", "Position", F::kChoice, nullptr, kPositions},
              {"STAMP_IMAGE_OFFSETX", "Versatz X", F::kNumber, &image::kStampOffsetRange},
              {"STAMP_IMAGE_OFFSETY", "Versatz Y", F::kNumber, &image::kStampOffsetRange},
              {"STAMP_IMAGE_OPACITY", "Deckkraft (%)", F::kNumber},
              {"STAMP_IMAGE_USE_TRANSPARENTCOLOR", "Transparentfarbe nutzen", F::kFlag},
              {"STAMP_IMAGE_TRANSPARENTCOLOR", "Transparentfarbe", F::kColour},
              {"STAMP_IMAGE_COLORTOLERANCE", "Farbtoleranz", F::kNumber},
              {"STAMP_IMAGE_STRETCH", "strecken", F::kFlag}};
    case image::CloneItemKind::kBorder:
      return {{"BORDER_DESCRIPTION", "Beschreibung"},
              {"BORDER_TYPE", "Art", F::kChoice, nullptr, kBorderKinds},
              {"BORDER_INSIDETYPE", "Form", F::kChoice, nullptr, kInsideKinds},
              {"BORDER_POSITION", "Seiten", F::kChoice, nullptr, kSides},
              {"BORDER_COLOR", "Farbe", F::kColour},
              {"BORDER_COLOR_FROM_IMAGE", "Farbe aus dem Bild", F::kFlag},
              {"BORDER_WIDTH", "Breite", F::kNumber, &image::kBorderWidthRange},
              {"BORDER_OPACITY", "Deckkraft (%)", F::kNumber},
              {"BORDER_OFFSET_LEFT", "Abstand links", F::kNumber, &image::kBorderOffsetRange},
              {"BORDER_OFFSET_RIGHT", "Abstand rechts", F::kNumber, &image::kBorderOffsetRange},
              {"BORDER_OFFSET_TOP", "Abstand oben", F::kNumber, &image::kBorderOffsetRange},
              {"BORDER_OFFSET_BOTTOM", "Abstand unten", F::kNumber, &image::kBorderOffsetRange},
              {"BORDER_IMAGE_NAME", "Rahmenbild", F::kFile},
              {"BORDER_IMAGE_ARRANGEMENT", "Verteilung", F::kChoice, nullptr, kArrangements}};
    case image::CloneItemKind::kEffect: {
      std::vector<FieldDefinition> fields{{"IMAGE_EFFECT_DESCRIPTION", "Beschreibung"},
                                    {"IMAGE_EFFECT_TYPE", "Effekt", F::kChoice}};
      const auto& effect = static_cast<const image::CBildEffekt&>(item);
      for (FieldDefinition& parameter : EffectParameters(effect.EffectCode())) fields.push_back(std::move(parameter));
      return fields;
    }
  }
  return {};
}

// The effect codes with their names from the language tables.
std::vector<std::pair<QString, QString>> EffectChoices() {
  std::vector<std::pair<QString, QString>> choices;
  for (std::int32_t code = 0; code <= image::effect_code::kLast; ++code) {
    const image::EffectDefaults& defaults = image::DefaultsOfEffect(code);
    if (defaults.label_key.empty()) continue;
    choices.emplace_back(QString::number(code), FromCp1252Verbatim(lang::GetText("CBildEffekte", defaults.label_key)));
  }
  return choices;
}

}  // namespace

struct CloneItemForm::FieldState {
  FieldDefinition definition;
  QWidget* control = nullptr;
  std::function<std::string()> value;
};

CloneItemForm::CloneItemForm(image::CloneItem& item, QWidget* parent) : QWidget(parent), item_(item) { Build(); }

CloneItemForm::~CloneItemForm() = default;

void CloneItemForm::Build() {
  auto* form = new QFormLayout(this);
  std::map<std::string, std::string> values;
  for (auto& [key, value] : item_.ProfileProperties()) values[key] = value;

  for (FieldDefinition& definition : FieldsOf(item_)) {
    auto state = std::make_unique<FieldState>();
    state->definition = definition;
    const QString caption = QString::fromUtf8(definition.caption);
    const QString value = FromCp1252Verbatim(values[definition.key]);
    FieldState* field = state.get();
    QWidget* row = nullptr;
    switch (definition.kind) {
      case FieldKind::kText:
      case FieldKind::kNumber:
      case FieldKind::kFile: {
        auto* edit = new QLineEdit(value, this);
        connect(edit, &QLineEdit::textEdited, this, [this, field] { Store(*field); });
        field->control = edit;
        field->value = [edit] { return ToCp1252Spelled(edit->text()); };
        row = edit;
        if (definition.kind == FieldKind::kFile) {
          row = new QWidget(this);
          auto* line = new QHBoxLayout(row);
          line->setContentsMargins(0, 0, 0, 0);
          line->addWidget(edit, 1);
          auto* choose = new QPushButton(QStringLiteral("…"), row);
          choose->setAccessibleName(caption + QStringLiteral(" …"));
          line->addWidget(choose);
          connect(choose, &QPushButton::clicked, this, [this, edit, field, caption] {
            const QString chosen = QFileDialog::getOpenFileName(this, ChooserTitleOf(item_, field->definition.key, caption),
                                                                edit->text(), ImageFilterOf(field->definition.key));
            if (chosen.isEmpty()) return;
            edit->setText(chosen);
            Store(*field);
          });
        }
        break;
      }
      case FieldKind::kStampText: {
        auto* edit = new QPlainTextEdit(this);
        edit->setPlainText(QString(value).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        edit->setTabChangesFocus(true);
        edit->setMaximumHeight(80);
        new RiloScriptHighlighter(edit->document(), HighlightMode::kTemplate);
        connect(edit, &QPlainTextEdit::textChanged, this, [this, field] { Store(*field); });
        field->control = edit;
        field->value = [edit] {
          return ToCp1252Spelled(edit->toPlainText().replace(QStringLiteral("\n"), QStringLiteral("\r\n")));
        };
        row = new QWidget(this);
        auto* line = new QHBoxLayout(row);
        line->setContentsMargins(0, 0, 0, 0);
        line->addWidget(edit, 1);
        auto* open = new QPushButton(QStringLiteral("…"), row);
        open->setAccessibleName(caption + QStringLiteral(" …"));
        line->addWidget(open);
        connect(open, &QPushButton::clicked, this, [this, edit] {
          ScriptSource source{ScriptSourceKind::kStampText, item_.Description(), {}};
          ScriptEditor editor(this, source, edit->toPlainText(), DefaultMessagePresenter());
          if (editor.exec() == QDialog::Accepted) edit->setPlainText(editor.text());
        });
        break;
      }
      case FieldKind::kColour: {
        auto* swatch = new QPushButton(this);
        const auto show = [swatch](long long colour_value) {
          const QColor colour = ColourOfValue(colour_value);
          swatch->setText(colour.name());
          swatch->setStyleSheet(QStringLiteral("background-color: %1").arg(colour.name()));
          swatch->setProperty("colour", colour_value);
        };
        show(value.toLongLong());
        connect(swatch, &QPushButton::clicked, this, [this, swatch, field, show, caption] {
          const QColor chosen = QColorDialog::getColor(ColourOfValue(swatch->property("colour").toLongLong()), this,
                                                       ChooserTitleOf(item_, field->definition.key, caption));
          if (!chosen.isValid()) return;
          show(ValueOfColour(chosen));
          Store(*field);
        });
        field->control = swatch;
        field->value = [swatch] { return std::to_string(swatch->property("colour").toLongLong()); };
        row = swatch;
        break;
      }
      case FieldKind::kFlag: {
        auto* box = new QCheckBox(this);
        box->setChecked(value.toLongLong() != 0);
        connect(box, &QCheckBox::toggled, this, [this, field] { Store(*field); });
        field->control = box;
        field->value = [box] { return std::string(box->isChecked() ? "1" : "0"); };
        row = box;
        break;
      }
      case FieldKind::kChoice: {
        auto* combo = new QComboBox(this);
        if (definition.key == "IMAGE_EFFECT_TYPE") {
          for (const auto& [code, name] : EffectChoices()) combo->addItem(name, code);
        } else {
          for (const Choice& choice : definition.choices) combo->addItem(QString::fromUtf8(choice.caption), QString::fromUtf8(choice.value));
        }
        int index = combo->findData(value);
        if (index < 0) {
          combo->addItem(value, value);
          index = combo->count() - 1;
        }
        combo->setCurrentIndex(index);
        connect(combo, &QComboBox::currentIndexChanged, this, [this, field] { Store(*field); });
        field->control = combo;
        field->value = [combo] { return ToCp1252Spelled(combo->currentData().toString()); };
        row = combo;
        break;
      }
    }
    field->control->setObjectName(QString::fromStdString(definition.key));
    field->control->setAccessibleName(caption);
    form->addRow(caption + QStringLiteral(":"), row);
    fields_.push_back(std::move(state));
  }
}

void CloneItemForm::Store(const FieldState& field) {
  const std::string value = field.value();
  if (field.definition.range != nullptr && image::CheckOptionValue(value, *field.definition.range)) {
    // Kept in the field until it is corrected; the item keeps its last good value.
    return;
  }
  item_.SetProfileProperty(field.definition.key, value);
  if (field.definition.key == "IMAGE_EFFECT_TYPE") {
    // Another effect has other parameters: the form is built again. Deferred,
    // since the combo box that sent this is among the widgets replaced.
    QMetaObject::invokeMethod(
        this,
        [this] {
          fields_.clear();
          qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
          delete layout();
          Build();
          emit edited();
        },
        Qt::QueuedConnection);
    return;
  }
  emit edited();
}

QWidget* CloneItemForm::Field(const std::string& key) const {
  for (const auto& field : fields_) {
    if (field->definition.key == key) return field->control;
  }
  return nullptr;
}

void CloneItemForm::SetFieldText(const std::string& key, const QString& text) {
  for (const auto& field : fields_) {
    if (field->definition.key != key) continue;
    if (auto* edit = qobject_cast<QLineEdit*>(field->control)) {
      edit->setText(text);
      Store(*field);
    } else if (auto* combo = qobject_cast<QComboBox*>(field->control)) {
      combo->setCurrentIndex(combo->findData(text));
    } else if (auto* box = qobject_cast<QCheckBox*>(field->control)) {
      box->setChecked(text.toInt() != 0);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(field->control)) {
      plain->setPlainText(text);
    }
  }
}

std::optional<image::OptionValueFailure> CloneItemForm::Check() const {
  for (const auto& field : fields_) {
    if (field->definition.range == nullptr) continue;
    if (auto failure = image::CheckOptionValue(field->value(), *field->definition.range)) {
      field->control->setFocus();
      return failure;
    }
  }
  return std::nullopt;
}

}  // namespace velmora::ui
