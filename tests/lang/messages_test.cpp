// Message formatting and the headless message facility.
#include "lang/messages.h"

#include <gtest/gtest.h>
#include <pty.h>
#include <unistd.h>

#include <iostream>

#include "platform/log.h"
#include "support/temp_dir.h"

namespace velmora::lang {
namespace {

// Parameters from Windows-1252 test texts.
MessageParameters Texts(std::initializer_list<const char*> texts) {
  MessageParameters parameters;
  for (const char* text : texts) parameters.emplace_back(std::string(text));
  return parameters;
}

TEST(FormatMessage, EveryPlaceholderIsReplacedThenLineBreaks) {
  EXPECT_EQ(FormatMessage("A%nB %1 %1", Texts({"x"})), "A\r\nB x x");
  EXPECT_EQ(FormatMessage("50% of %1, 100%", Texts({"all"})), "50% of all, 100%");
  EXPECT_EQ(FormatMessage("%1 %2", {}), "%1 %2");
}

TEST(FormatMessage, ParametersAreSubstitutedInAscendingOrder) {
  // A parameter holding "%2" is itself replaced by parameter 2.
  EXPECT_EQ(FormatMessage("%1", Texts({"%2", "t"})), "t");
  // A parameter holding "%n" becomes a line break.
  EXPECT_EQ(FormatMessage("[%1]", Texts({"a%nb"})), "[a\r\nb]");
  // "%10" is hit by "%1" first.
  const MessageParameters ten = Texts({"one", "2", "3", "4", "5", "6", "7", "8", "9", "ten"});
  EXPECT_EQ(FormatMessage("%10", ten), "one0");
}

class MessageFacility : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = SetMessageObserver([this](const ShownMessage& message) { shown_.push_back(message); });
  }
  void TearDown() override {
    SetMessageObserver(previous_);
    SetBatchModeActive(false);
    ResetMessageShownDuringBatch();
  }
  std::vector<ShownMessage> shown_;
  MessageObserver previous_;
};

TEST_F(MessageFacility, ShowMessageLooksUpTheGermanTextAndFormatsIt) {
  EXPECT_EQ(ShowMessage(kApplicationTitle, kIconExclamation, "ErrBatchLevel", Texts({"7"})), kResultOk);
  ASSERT_EQ(shown_.size(), 1u);
  EXPECT_EQ(shown_[0].key, "ErrBatchLevel");
  EXPECT_EQ(shown_[0].title, "Velmora");
  EXPECT_EQ(shown_[0].text, "Auswerte-Level\r\n7\r\nnicht zul\xE4ssig");
}

// A file name is a parameter: its control characters are spelled out, while
// the text's own "%n" and a "%n" that a caller puts in still break lines.
TEST_F(MessageFacility, ControlCharactersOfParametersAreSpelledOut) {
  ShowMessage(kApplicationTitle, kIconExclamation, "ErrBatchLevel", Texts({"a\r\nb\x1B]0;x\x07%nc"}));
  ASSERT_EQ(shown_.size(), 1u);
  EXPECT_EQ(shown_[0].text, "Auswerte-Level\r\na\\x0D\\x0Ab\\x1B]0;x\\x07\r\nc\r\nnicht zul\xE4ssig");
}

TEST_F(MessageFacility, QuestionsTakeTheDefaultButtonWithoutATerminal) {
  EXPECT_EQ(ShowMessageText("T", kButtonsYesNo | kIconQuestion, "?"), kResultYes);
  EXPECT_EQ(ShowMessageText("T", kButtonsYesNo | kDefaultButton2, "?"), kResultNo);
  EXPECT_EQ(ShowMessageText("T", kButtonsOkCancel, "?"), kResultOk);
  EXPECT_EQ(ShowMessageText("T", kButtonsYesNoCancel | kDefaultButton3, "?"), kResultCancel);
  EXPECT_EQ(ShowMessageText("T", kButtonsOk | kDefaultButton3, "?"), kResultOk);
}

// A window presents the messages itself: it gets the escaped, formatted text
// and its answer is the result; the observer and the log still hear of it.
TEST_F(MessageFacility, APresenterAnswersInsteadOfTheDefault) {
  std::string seen_title, seen_text;
  int seen_style = 0;
  const MessagePresenter previous = SetMessagePresenter([&](std::string_view title, int style, std::string_view text) {
    seen_title = title;
    seen_style = style;
    seen_text = text;
    return kResultNo;
  });
  EXPECT_EQ(ShowMessage("Titel", kButtonsYesNo | kIconQuestion, "ErrBatchLevel", Texts({"a\x07"})), kResultNo);
  EXPECT_EQ(seen_title, "Titel");
  EXPECT_EQ(seen_style, kButtonsYesNo | kIconQuestion);
  EXPECT_EQ(seen_text, "Auswerte-Level\r\na\\x07\r\nnicht zul\xE4ssig");
  ASSERT_EQ(shown_.size(), 1u);
  EXPECT_EQ(shown_[0].result, kResultNo);
  SetMessagePresenter(previous);
  EXPECT_EQ(ShowMessageText("T", kButtonsYesNo, "?"), kResultYes) << "without a presenter the default answers again";
}

// With asking switched on and a terminal on standard input and error, the
// question is asked there; an answer picks the button whose name it starts,
// an empty line the default button.
TEST_F(MessageFacility, OnATerminalQuestionsAreAskedWhenAskingIsOn) {
  int master = -1;
  int slave = -1;
  ASSERT_EQ(openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
  const int saved_input = dup(STDIN_FILENO);
  const int saved_error = dup(STDERR_FILENO);
  dup2(slave, STDIN_FILENO);
  dup2(slave, STDERR_FILENO);
  SetAskOnTerminal(true);
  ASSERT_EQ(write(master, "n\n\nX\nj\n", 7), 7);
  const int no = ShowMessageText("T", kButtonsYesNo, "?");
  const int by_default = ShowMessageText("T", kButtonsYesNo | kDefaultButton2, "?");
  const int after_unknown_answer = ShowMessageText("T", kButtonsYesNo | kDefaultButton2, "?");
  SetAskOnTerminal(false);
  const int not_asked = ShowMessageText("T", kButtonsYesNo | kDefaultButton2, "?");
  dup2(saved_input, STDIN_FILENO);
  dup2(saved_error, STDERR_FILENO);
  for (int fd : {saved_input, saved_error, slave, master}) close(fd);
  std::cin.clear();
  EXPECT_EQ(no, kResultNo);
  EXPECT_EQ(by_default, kResultNo);
  EXPECT_EQ(after_unknown_answer, kResultYes);
  EXPECT_EQ(not_asked, kResultNo);
}

TEST_F(MessageFacility, AMessageDuringBatchModeIsRemembered) {
  ShowMessageText("T", 0, "before batch");
  EXPECT_FALSE(MessageShownDuringBatch());
  SetBatchModeActive(true);
  ShowMessage("T", 0, "ErrBatchLevelMissing");
  EXPECT_TRUE(MessageShownDuringBatch());
}

TEST_F(MessageFacility, MessagesAreLoggedOnOneLineWithTheirKey) {
  test::TempDir dir;
  ASSERT_TRUE(ProgramLog().Open((dir / "m.log").string()));
  ShowMessage(kApplicationTitle, 0, "ErrBatchLevel", Texts({"abc"}));
  ProgramLog().Close();
  const std::string log = test::ReadFile(dir / "m.log");
  EXPECT_NE(log.find(" Message ErrBatchLevel Velmora: Auswerte-Level | abc | nicht zul\xE4ssig\r\n"),
            std::string::npos);
}

}  // namespace
}  // namespace velmora::lang
