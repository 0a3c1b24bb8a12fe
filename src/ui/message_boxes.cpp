// Message boxes for the message facility.
#include "ui/message_boxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QThread>
#include <atomic>
#include <memory>

#include "lang/messages.h"
#include "ui/qt_text.h"

namespace velmora::ui {
namespace {

QMessageBox::Icon IconOf(int style) {
  switch (style & 0x70) {
    case lang::kIconStop: return QMessageBox::Critical;
    case lang::kIconQuestion: return QMessageBox::Question;
    case lang::kIconExclamation: return QMessageBox::Warning;
    case lang::kIconInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

struct ButtonChoice {
  QMessageBox::StandardButton button;
  int result;
};

std::vector<ButtonChoice> ButtonsOf(int style) {
  switch (style & 0x0F) {
    case lang::kButtonsOkCancel:
      return {{QMessageBox::Ok, lang::kResultOk}, {QMessageBox::Cancel, lang::kResultCancel}};
    case lang::kButtonsYesNoCancel:
      return {{QMessageBox::Yes, lang::kResultYes},
              {QMessageBox::No, lang::kResultNo},
              {QMessageBox::Cancel, lang::kResultCancel}};
    case lang::kButtonsYesNo: return {{QMessageBox::Yes, lang::kResultYes}, {QMessageBox::No, lang::kResultNo}};
    default: return {{QMessageBox::Ok, lang::kResultOk}};
  }
}

std::size_t DefaultIndex(int style, std::size_t count) {
  const std::size_t wanted = (style & lang::kDefaultButton3) ? 2 : (style & lang::kDefaultButton2) ? 1 : 0;
  return wanted < count ? wanted : 0;
}

int DefaultResult(int style) {
  const auto buttons = ButtonsOf(style);
  return buttons[DefaultIndex(style, buttons.size())].result;
}

// Set while the window goes away: a run still asking gets the default.
std::atomic<bool> closing{false};

}  // namespace

int ShowMessageBox(QWidget* parent, std::string_view title, int style, std::string_view text) {
  QMessageBox box(IconOf(style), FromCp1252(title), FromCp1252(text), QMessageBox::NoButton, parent);
  // Names and texts from photos and profiles must never become markup.
  box.setTextFormat(Qt::PlainText);
  const auto buttons = ButtonsOf(style);
  QMessageBox::StandardButtons shown;
  for (const ButtonChoice& choice : buttons) shown |= choice.button;
  box.setStandardButtons(shown);
  box.setDefaultButton(buttons[DefaultIndex(style, buttons.size())].button);
  // A box closed without one of its buttons gives the default answer.
  const int pressed = box.exec();
  for (const ButtonChoice& choice : buttons) {
    if (choice.button == pressed) return choice.result;
  }
  return DefaultResult(style);
}

MessageBoxes::MessageBoxes(QWidget* parent) {
  closing = false;
  QPointer<QWidget> owner(parent);
  lang::SetMessagePresenter([owner](std::string_view title, int style, std::string_view text) {
    if (closing) return DefaultResult(style);
    if (QThread::currentThread() == qApp->thread()) return ShowMessageBox(owner, title, style, text);
    // The run's thread waits for the answer while the window's thread shows the box.
    int result = DefaultResult(style);
    const std::string title_copy(title), text_copy(text);
    QMetaObject::invokeMethod(
        qApp,
        [&] {
          if (!closing) result = ShowMessageBox(owner, title_copy, style, text_copy);
        },
        Qt::BlockingQueuedConnection);
    return result;
  });
}

MessageBoxes::~MessageBoxes() {
  closing = true;
  lang::SetMessagePresenter({});
}

}  // namespace velmora::ui
