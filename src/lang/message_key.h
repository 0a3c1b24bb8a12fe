// A message key as the code names it. Written as a literal
// (`ShowMessage(title, style, "ErrNothingToDo")`) it is looked up in section
// "Msg" of the built-in German table while compiling, so a misspelt key does
// not build. How many parameters a message expects (the highest %N of its
// German text) is checked by a test that reads the calls in the sources:
// a braced parameter list cannot be counted against a key while compiling.
#pragma once

#include <string_view>

#include "lang/builtin_german_texts.h"

namespace velmora::lang {

namespace message_table {

// Deliberately not constexpr: reaching it while compiling stops the build at
// the call site that names a message key the table lacks.
void UnknownMessageKey(std::string_view key);

consteval std::string_view GermanMessage(std::string_view key) {
  for (const BuiltinText& entry : kBuiltinGermanTexts) {
    if (entry.section == "Msg" && entry.key == key) return entry.text;
  }
  UnknownMessageKey(key);
  return {};
}

// The highest N of the "%N" placeholders of a text (0 without any).
constexpr int HighestPlaceholder(std::string_view text) {
  int highest = 0;
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '%') continue;
    int number = 0;
    std::size_t digit = i + 1;
    for (; digit < text.size() && text[digit] >= '0' && text[digit] <= '9'; ++digit) {
      number = number * 10 + (text[digit] - '0');
    }
    if (number > highest) highest = number;
  }
  return highest;
}

}  // namespace message_table

class MessageKey {
 public:
  consteval MessageKey(const char* key)  // NOLINT: implicit on purpose, so that calls name the literal
      : name_(key) {
    message_table::GermanMessage(key);
  }

  constexpr std::string_view name() const { return name_; }

  // Compares by name, with another key or with a key read back from a shown message.
  friend constexpr bool operator==(MessageKey key, std::string_view name) { return key.name_ == name; }

 private:
  std::string_view name_;
};

}  // namespace velmora::lang
