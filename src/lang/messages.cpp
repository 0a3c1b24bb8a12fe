// Message formatting and the headless message facility.
#include "lang/messages.h"

#include <cstdio>
#include <utility>

#include "app/platform/log.h"
#include "app/platform/text_encoding.h"

namespace velmora::lang {
namespace {

MessageObserver& Observer() {
  static MessageObserver observer;
  return observer;
}

void ReplaceAll(std::string& text, std::string_view what, std::string_view with) {
  for (std::size_t pos = text.find(what); pos != std::string::npos; pos = text.find(what, pos + with.size())) {
    text.replace(pos, what.size(), with);
  }
}

int Present(std::string_view title, int style, std::string_view key, std::string text) {
  // Without anyone to ask, every question takes its safe answer.
  const int buttons = style & 0x0F;
  const int result = buttons == kButtonsYesNo ? kResultYes : kResultOk;
  std::string shown = text;
  ReplaceAll(shown, "\r\n", "\n");
  std::fprintf(stderr, "%s: %s\n", Cp1252ToUtf8(title).c_str(), Cp1252ToUtf8(shown).c_str());
  std::string log_line = std::string(title) + ": " + text;
  ReplaceAll(log_line, "\r\n", " | ");
  WriteLog(log_line);
  if (Observer()) Observer()(ShownMessage{std::string(title), style, std::string(key), std::move(text), result});
  return result;
}

}  // namespace

std::string FormatMessage(std::string_view text, const MessageParameters& parameters) {
  std::string result(text);
  for (std::size_t i = 0; i < parameters.size(); ++i) {
    ReplaceAll(result, "%" + std::to_string(i + 1), parameters[i]);
  }
  ReplaceAll(result, "%n", "\r\n");
  return result;
}

std::string GetText(std::string_view /*section*/, std::string_view key) {
  return "?" + std::string(key) + "?";
}

int ShowMessage(std::string_view title, int style, std::string_view key, const MessageParameters& parameters) {
  return Present(title, style, key, FormatMessage(GetText("Msg", key), parameters));
}

int ShowMessageText(std::string_view title, int style, std::string_view text, const MessageParameters& parameters) {
  return Present(title, style, {}, FormatMessage(text, parameters));
}

MessageObserver SetMessageObserver(MessageObserver observer) { return std::exchange(Observer(), std::move(observer)); }

}  // namespace velmora::lang
