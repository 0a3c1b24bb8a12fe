// The command-line tokenizer and parser.
#include "app/command_arguments.h"

namespace velmora::app {
namespace {

enum class TokenKind { kEnd, kSwitchName, kValue, kEquals, kError };

struct Token {
  TokenKind kind = TokenKind::kEnd;
  std::string text;
};

// Reads one token at a time. A character that ends a word is left for the
// next call; quotes may open anywhere inside a value and are dropped, except
// that a quote met inside a bare word is kept (so `""` inside quotes yields
// one literal quote).
class Tokenizer {
 public:
  explicit Tokenizer(std::string_view text) : text_(text) {}

  Token Next() {
    enum class State { kSkipping, kAfterSlash, kInWord, kInSwitchName, kInQuotes };
    State state = State::kSkipping;
    Token token;
    for (;;) {
      const bool at_end = position_ >= text_.size();
      const char c = at_end ? '\0' : text_[position_];
      switch (state) {
        case State::kSkipping:
          if (at_end) return {TokenKind::kEnd, {}};
          ++position_;
          if (c == ' ') break;
          if (c == '/') state = State::kAfterSlash;
          else if (c == '=') return {TokenKind::kEquals, "="};
          else if (c == '"') state = State::kInQuotes;
          else {
            token.text += c;
            state = State::kInWord;
          }
          break;
        case State::kAfterSlash:
          if (at_end) return {TokenKind::kError, {}};
          ++position_;
          if (c != ' ') {
            token.text += c;
            state = State::kInSwitchName;
          }
          break;
        case State::kInSwitchName:
          if (at_end || c == ' ' || c == '/' || c == '=' || c == '"') {
            token.kind = TokenKind::kSwitchName;
            return token;
          }
          token.text += c;
          ++position_;
          break;
        case State::kInWord:
          if (at_end || c == ' ' || c == '/' || c == '=') {
            token.kind = TokenKind::kValue;
            return token;
          }
          token.text += c;
          ++position_;
          if (c == '"') state = State::kInQuotes;
          break;
        case State::kInQuotes:
          if (at_end) return {TokenKind::kError, {}};
          ++position_;
          if (c == '"') state = State::kInWord;
          else token.text += c;
          break;
      }
    }
  }

 private:
  std::string_view text_;
  std::size_t position_ = 0;
};

std::string_view TrimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

void CommandArguments::SetCommandLine(std::string_view command_line) {
  command_line_ = std::string(TrimBlanks(command_line));
  Parse();
}

void CommandArguments::Parse() {
  items_.Clear();
  error_ = false;
  Tokenizer tokenizer(command_line_);
  for (Token token = tokenizer.Next(); token.kind != TokenKind::kEnd; token = tokenizer.Next()) {
    if (token.kind != TokenKind::kSwitchName) {
      error_ = true;
      continue;
    }
    Token equals = tokenizer.Next();
    if (equals.kind != TokenKind::kEquals) {
      error_ = true;
      if (equals.kind == TokenKind::kEnd) break;
      continue;
    }
    Token value = tokenizer.Next();
    if (value.kind != TokenKind::kValue) {
      error_ = true;
      if (value.kind == TokenKind::kEnd) break;
      continue;
    }
    items_.Replace(token.text, CommandArgument{token.text, std::move(value.text)});
  }
}

std::string CommandArguments::ItemKey(std::size_t index) const {
  if (index < 1 || index > items_.Count()) return {};
  return items_.Entries()[index - 1].second.key;
}

std::optional<std::string> CommandArguments::ItemParameter(std::string_view key) const {
  const CommandArgument* item = items_.Find(key);
  if (item == nullptr) return std::nullopt;
  return item->parameter;
}

}  // namespace velmora::app
