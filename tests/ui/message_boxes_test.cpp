// Messages as message boxes: the style's buttons, icon and default, the
// button's result, and a message raised on a run's thread.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <functional>
#include <thread>

#include "lang/messages.h"
#include "ui/message_boxes.h"

namespace velmora::ui {
namespace {

// Answers the next message box from inside its own event loop (the box is
// modal, so only a timer gets to run while it is open).
class Answerer {
 public:
  explicit Answerer(std::function<void(QMessageBox*)> answer) : answer_(std::move(answer)) {
    timer_.setInterval(10);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr || !box->isVisible()) return;
      timer_.stop();
      answered_ = true;
      answer_(box);
    });
    timer_.start();
  }
  bool answered() const { return answered_; }

 private:
  std::function<void(QMessageBox*)> answer_;
  QTimer timer_;
  bool answered_ = false;
};

TEST(MessageBoxes, AQuestionFromARunsThreadIsAnsweredInTheWindow) {
  QWidget window;
  MessageBoxes boxes(&window);
  Answerer answerer([](QMessageBox* box) {
    EXPECT_EQ(box->icon(), QMessageBox::Question);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
    EXPECT_EQ(box->textFormat(), Qt::PlainText) << "a name must never become markup";
    EXPECT_TRUE(box->text().contains("Urlaub <b>2024</b>")) << box->text().toStdString();
    EXPECT_TRUE(box->text().contains(QString::fromUtf8("l\u00f6schen")));
    box->button(QMessageBox::Yes)->click();
  });
  std::atomic<int> result{0};
  std::thread run([&result] {
    result = lang::ShowMessage("Velmora", lang::kButtonsYesNo | lang::kIconQuestion | lang::kDefaultButton2,
                               "MsgProfileDeleteYesNo", {Cp1252Text(std::string("Urlaub <b>2024</b>"))});
  });
  EXPECT_TRUE(QTest::qWaitFor([&result] { return result != 0; }, 20000));
  run.join();
  EXPECT_TRUE(answerer.answered());
  EXPECT_EQ(result, lang::kResultYes);
}

TEST(MessageBoxes, EachStyleGetsItsButtonsAndIcon) {
  QWidget window;
  MessageBoxes boxes(&window);
  struct Case {
    int style;
    QMessageBox::StandardButtons buttons;
    QMessageBox::Icon icon;
    QMessageBox::StandardButton press;
    int result;
  };
  for (const Case& c : {Case{lang::kButtonsOk | lang::kIconExclamation, QMessageBox::Ok, QMessageBox::Warning,
                             QMessageBox::Ok, lang::kResultOk},
                        Case{lang::kButtonsOkCancel | lang::kIconStop, QMessageBox::Ok | QMessageBox::Cancel,
                             QMessageBox::Critical, QMessageBox::Cancel, lang::kResultCancel},
                        Case{lang::kButtonsYesNoCancel | lang::kIconInformation,
                             QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Information,
                             QMessageBox::No, lang::kResultNo}}) {
    Answerer answerer([&c](QMessageBox* box) {
      EXPECT_EQ(box->standardButtons(), c.buttons);
      EXPECT_EQ(box->icon(), c.icon);
      box->button(c.press)->click();
    });
    EXPECT_EQ(lang::ShowMessageText("T", c.style, "Text"), c.result);
    EXPECT_TRUE(answerer.answered());
  }
}

// When the window goes while a run waits for an answer, the run gets the
// default answer instead of waiting for ever.
TEST(MessageBoxes, WithoutTheWindowTheHeadlessDefaultAnswers) {
  { MessageBoxes boxes(nullptr); }
  EXPECT_EQ(lang::ShowMessageText("T", lang::kButtonsYesNo | lang::kDefaultButton2, "?"), lang::kResultNo);
}

}  // namespace
}  // namespace velmora::ui
