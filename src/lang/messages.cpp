// Message formatting and the headless message facility.
#include "lang/messages.h"

#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <utility>

#include "platform/control_characters.h"
#include "platform/log.h"
#include "platform/text_encoding.h"
#include "lang/keyed_collection.h"
#include "lang/language_registry.h"

namespace velmora::lang {
namespace {

struct FacilityState {
  MessageObserver observer;
  MessagePresenter presenter;
  bool ask_on_terminal = false;
  bool batch_active = false;
  bool shown_during_batch = false;
};

FacilityState& State() {
  static FacilityState state;
  return state;
}

void ReplaceAll(std::string& text, std::string_view what, std::string_view with) {
  for (std::size_t pos = text.find(what); pos != std::string::npos; pos = text.find(what, pos + with.size())) {
    text.replace(pos, what.size(), with);
  }
}

struct Button {
  int result;
  const char* answer_key;  // its name in section "Kommandozeile"
};

std::vector<Button> ButtonsOf(int style) {
  switch (style & 0x0F) {
    case kButtonsOkCancel: return {{kResultOk, "AnswerOk"}, {kResultCancel, "AnswerCancel"}};
    case kButtonsYesNoCancel:
      return {{kResultYes, "AnswerYes"}, {kResultNo, "AnswerNo"}, {kResultCancel, "AnswerCancel"}};
    case kButtonsYesNo: return {{kResultYes, "AnswerYes"}, {kResultNo, "AnswerNo"}};
    default: return {{kResultOk, "AnswerOk"}};
  }
}

std::size_t DefaultButtonIndex(int style, std::size_t count) {
  const std::size_t wanted = (style & kDefaultButton3) ? 2 : (style & kDefaultButton2) ? 1 : 0;
  return wanted < count ? wanted : 0;
}

// Asks on the terminal: the answer is the button whose name starts like the
// typed text; an empty line or the end of input takes the default.
int AskOnTerminal(const std::vector<Button>& buttons, std::size_t default_index) {
  std::string prompt;
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    if (i > 0) prompt += " / ";
    prompt += Cp1252ToUtf8(GetText("Kommandozeile", buttons[i].answer_key));
  }
  const std::string default_name = Cp1252ToUtf8(GetText("Kommandozeile", buttons[default_index].answer_key));
  for (;;) {
    std::fprintf(stderr, "%s [%s]: ", prompt.c_str(), default_name.c_str());
    std::fflush(stderr);
    std::string answer;
    if (!std::getline(std::cin, answer) || answer.empty()) return buttons[default_index].result;
    for (const Button& button : buttons) {
      const std::string name = FoldCase(Cp1252ToUtf8(GetText("Kommandozeile", button.answer_key)));
      if (FoldCase(answer) == name.substr(0, answer.size())) return button.result;
    }
  }
}

// Parameters carry names and texts from outside: their control characters
// are escaped before they are placed, so only the text's own "%n" breaks lines.
MessageParameters Escaped(const MessageParameters& parameters) {
  MessageParameters escaped;
  escaped.reserve(parameters.size());
  for (const Cp1252Text& parameter : parameters) escaped.emplace_back(EscapeControlCharacters(parameter.bytes()));
  return escaped;
}

int Present(std::string_view title, int style, std::string_view key, std::string text) {
  FacilityState& state = State();
  text = EscapeControlCharacters(text, true);
  if (!state.presenter) {
    std::string shown = text;
    ReplaceAll(shown, "\r\n", "\n");
    std::fprintf(stderr, "%s: %s\n", Cp1252Text(EscapeControlCharacters(title)).ToUtf8().c_str(),
                 Cp1252Text(std::move(shown)).ToUtf8().c_str());
  }
  // One log line per event: the key makes the message findable whatever language it was shown in.
  std::string log_line = "Message " + (key.empty() ? std::string() : std::string(key) + " ") + std::string(title) +
                         ": " + text;
  ReplaceAll(log_line, "\r\n", " | ");
  WriteLog(log_line);

  const auto buttons = ButtonsOf(style);
  const std::size_t default_index = DefaultButtonIndex(style, buttons.size());
  int result = buttons[default_index].result;
  if (state.presenter) {
    result = state.presenter(title, style, text);
  } else if (buttons.size() > 1 && state.ask_on_terminal && isatty(STDIN_FILENO) && isatty(STDERR_FILENO)) {
    result = AskOnTerminal(buttons, default_index);
  }
  if (state.batch_active) state.shown_during_batch = true;
  if (state.observer) state.observer(ShownMessage{std::string(title), style, std::string(key), std::move(text), result});
  return result;
}

}  // namespace

std::string FormatMessage(std::string_view text, const MessageParameters& parameters) {
  std::string result(text);
  // Ascending order on purpose: "%10" is hit by "%1" first, and a parameter
  // holding "%2" is itself replaced when parameter 2 follows.
  for (std::size_t i = 0; i < parameters.size(); ++i) {
    ReplaceAll(result, "%" + std::to_string(i + 1), parameters[i].bytes());
  }
  ReplaceAll(result, "%n", "\r\n");
  return result;
}

std::string GetText(std::string_view section, std::string_view key) { return CurrentLanguage().GetText(section, key); }

int ShowMessage(std::string_view title, int style, MessageKey key, const MessageParameters& parameters) {
  return Present(title, style, key.name(), FormatMessage(GetText("Msg", key.name()), Escaped(parameters)));
}

int ShowMessageText(std::string_view title, int style, std::string_view text, const MessageParameters& parameters) {
  return Present(title, style, {}, FormatMessage(text, Escaped(parameters)));
}

MessagePresenter SetMessagePresenter(MessagePresenter presenter) {
  return std::exchange(State().presenter, std::move(presenter));
}

MessageObserver SetMessageObserver(MessageObserver observer) {
  return std::exchange(State().observer, std::move(observer));
}

void SetAskOnTerminal(bool ask) { State().ask_on_terminal = ask; }
void SetBatchModeActive(bool active) { State().batch_active = active; }
bool BatchModeActive() { return State().batch_active; }
bool MessageShownDuringBatch() { return State().shown_during_batch; }
void ResetMessageShownDuringBatch() { State().shown_during_batch = false; }

}  // namespace velmora::lang
