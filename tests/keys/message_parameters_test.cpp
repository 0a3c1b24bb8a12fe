// Every message shown from the code gets as many parameters as its German
// text has placeholders. The key itself is checked when compiling; the
// braced parameter list is not, so this test reads the calls in the sources.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "lang/builtin_german.h"
#include "lang/message_key.h"

namespace velmora::lang {
namespace {

// A function that shows a message: which argument is the key and where the
// parameters come from (an argument in braces, or a fixed count the
// function adds itself).
struct MessageCall {
  std::string name;
  std::size_t key_argument;
  std::size_t parameter_argument;  // ignored when fixed_count >= 0
  int fixed_count = -1;
};

const std::vector<MessageCall> kMessageCalls = {
    {"ShowMessage", 2, 3},
    {"Fail", 0, 1},                // run checks
    {"FailLoad", 0, 1},            // profile files
    {"ShowBatchMessage", 0, 1},    // batch mode
    {"folders_.Create", 1, 0, 2},  // output folders: error, folder
};

std::map<std::string, int> ExpectedCounts() {
  std::map<std::string, int> counts;
  for (const BuiltinText& entry : BuiltinGermanTexts()) {
    if (entry.section == "Msg") counts[std::string(entry.key)] = message_table::HighestPlaceholder(entry.text);
  }
  return counts;
}

// The text from an opening parenthesis or brace to its match, skipping
// string and character literals.
std::size_t ClosingOf(const std::string& text, std::size_t open) {
  int depth = 0;
  for (std::size_t i = open; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"' || c == '\'') {
      for (++i; i < text.size() && text[i] != c; ++i) i += text[i] == '\\';
    } else if (c == '(' || c == '{' || c == '[') {
      ++depth;
    } else if ((c == ')' || c == '}' || c == ']') && --depth == 0) {
      return i;
    }
  }
  return std::string::npos;
}

// The top-level arguments between the parentheses at `open`.
std::vector<std::string> Arguments(const std::string& text, std::size_t open) {
  const std::size_t close = ClosingOf(text, open);
  std::vector<std::string> arguments;
  if (close == std::string::npos) return arguments;
  std::size_t start = open + 1;
  for (std::size_t i = start; i <= close; ++i) {
    const char c = text[i];
    if (c == '"' || c == '\'') {
      for (++i; i < close && text[i] != c; ++i) i += text[i] == '\\';
    } else if (c == '(' || c == '{' || c == '[') {
      i = ClosingOf(text, i);
    } else if (c == ',' || i == close) {
      arguments.push_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  return arguments;
}

std::vector<std::string> StringLiterals(const std::string& text) {
  std::vector<std::string> literals;
  for (std::size_t i = text.find('"'); i != std::string::npos; i = text.find('"', i + 1)) {
    const std::size_t end = text.find('"', i + 1);
    if (end == std::string::npos) break;
    literals.push_back(text.substr(i + 1, end - i - 1));
    i = end;
  }
  return literals;
}

// The number of top-level entries of a braced list; -1 for anything else.
int BracedCount(std::string argument) {
  const std::size_t open = argument.find_first_not_of(" \r\n\t");
  if (open == std::string::npos || argument[open] != '{') return -1;
  const std::size_t close = ClosingOf(argument, open);
  std::string inner = argument.substr(open, close - open + 1);
  inner.front() = '(';
  inner.back() = ')';
  const std::vector<std::string> entries = Arguments(inner, 0);
  if (entries.size() == 1 && entries[0].find_first_not_of(" \r\n\t") == std::string::npos) return 0;
  return static_cast<int>(entries.size());
}

TEST(MessageParameters, EveryCallPassesAsManyParametersAsItsTextHasPlaceholders) {
  const std::map<std::string, int> expected = ExpectedCounts();
  int checked = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(VELMORA_SOURCE_DIR)) {
    if (entry.path().extension() != ".cpp" && entry.path().extension() != ".h") continue;
    std::ifstream file(entry.path());
    std::stringstream buffer;
    buffer << file.rdbuf();
    const std::string text = buffer.str();
    for (const MessageCall& call : kMessageCalls) {
      const std::string opening = call.name + "(";
      for (std::size_t at = text.find(opening); at != std::string::npos; at = text.find(opening, at + 1)) {
        const char before = at == 0 ? ' ' : text[at - 1];
        if (std::isalnum(static_cast<unsigned char>(before)) || before == '_') continue;
        const std::vector<std::string> arguments = Arguments(text, at + call.name.size());
        if (arguments.size() <= call.key_argument) continue;  // the declaration's own text, or a shorter overload
        int count = call.fixed_count;
        if (count < 0) {
          count = arguments.size() > call.parameter_argument ? BracedCount(arguments[call.parameter_argument]) : 0;
        }
        if (count < 0) continue;  // parameters built elsewhere
        for (const std::string& key : StringLiterals(arguments[call.key_argument])) {
          const auto found = expected.find(key);
          if (found == expected.end()) continue;  // a caption or a text, not a key
          EXPECT_EQ(count, found->second) << entry.path().filename().string() << ": " << call.name << " " << key;
          ++checked;
        }
      }
    }
  }
  // Guards the scanner itself: most messages are shown through these calls.
  EXPECT_GE(checked, 40);
}

TEST(MessageParameters, HighestPlaceholderCountsNumbersNotLineBreaks) {
  EXPECT_EQ(message_table::HighestPlaceholder("Fehler %1%n%nClone-Verzeichnis%n%2"), 2);
  EXPECT_EQ(message_table::HighestPlaceholder("%n%n"), 0);
  EXPECT_EQ(message_table::HighestPlaceholder("%3 vor %1"), 3);
  EXPECT_EQ(message_table::HighestPlaceholder("100%"), 0);
}

}  // namespace
}  // namespace velmora::lang
