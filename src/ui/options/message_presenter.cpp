// Message boxes of the option pages.
#include "ui/options/message_presenter.h"

#include <QInputDialog>
#include <QMessageBox>

#include "platform/text_encoding.h"

namespace velmora::ui {

QString FromCp1252Verbatim(std::string_view text) { return QString::fromStdString(Cp1252ToUtf8(text)); }

std::string ToCp1252Spelled(const QString& text) { return Utf8ToCp1252ForDisplay(text.toStdString()); }

int MessagePresenter::Show(QWidget* parent, std::string_view title, int style, lang::MessageKey key,
                           const lang::MessageParameters& parameters) {
  const std::string text = lang::FormatMessage(lang::GetText("Msg", key.name()), parameters);
  return Present(parent, title, style, key.name(), text);
}

int BoxMessagePresenter::Present(QWidget* parent, std::string_view title, int style, std::string_view /*key*/,
                                 const std::string& text) {
  QMessageBox box(parent);
  box.setWindowTitle(FromCp1252Verbatim(title));
  box.setText(FromCp1252Verbatim(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  box.setTextFormat(Qt::PlainText);  // names from photos and profiles are never markup
  switch (style & 0x70) {
    case lang::kIconStop: box.setIcon(QMessageBox::Critical); break;
    case lang::kIconQuestion: box.setIcon(QMessageBox::Question); break;
    case lang::kIconExclamation: box.setIcon(QMessageBox::Warning); break;
    case lang::kIconInformation: box.setIcon(QMessageBox::Information); break;
    default: break;
  }
  struct Button {
    QMessageBox::StandardButton standard;
    int result;
  };
  std::vector<Button> buttons;
  switch (style & 0x0F) {
    case lang::kButtonsOkCancel: buttons = {{QMessageBox::Ok, lang::kResultOk}, {QMessageBox::Cancel, lang::kResultCancel}}; break;
    case lang::kButtonsYesNoCancel:
      buttons = {{QMessageBox::Yes, lang::kResultYes}, {QMessageBox::No, lang::kResultNo},
                 {QMessageBox::Cancel, lang::kResultCancel}};
      break;
    case lang::kButtonsYesNo: buttons = {{QMessageBox::Yes, lang::kResultYes}, {QMessageBox::No, lang::kResultNo}}; break;
    default: buttons = {{QMessageBox::Ok, lang::kResultOk}}; break;
  }
  QMessageBox::StandardButtons all;
  for (const Button& button : buttons) all |= button.standard;
  box.setStandardButtons(all);
  std::size_t default_index = 0;
  if ((style & lang::kDefaultButton2) != 0) default_index = 1;
  if ((style & lang::kDefaultButton3) != 0) default_index = 2;
  if (default_index < buttons.size()) box.setDefaultButton(buttons[default_index].standard);
  const int pressed = box.exec();
  for (const Button& button : buttons) {
    if (pressed == button.standard) return button.result;
  }
  return buttons.back().result;  // closed by the window: the last button (Cancel / No / OK)
}

std::optional<QString> BoxMessagePresenter::AskProfileName(QWidget* parent, const QString& suggestion) {
  bool ok = false;
  const QString name = QInputDialog::getText(parent, FromCp1252Verbatim(lang::GetText("Profile", "ProfileSave")),
                                             FromCp1252Verbatim(lang::GetText("Optionen", "OptionsProfile")),
                                             QLineEdit::Normal, suggestion, &ok);
  if (!ok) return std::nullopt;
  return name;
}

MessagePresenter& DefaultMessagePresenter() {
  static BoxMessagePresenter presenter;
  return presenter;
}

}  // namespace velmora::ui
