// RiloScript tokenizer.
#include "script/lexer.h"

#include <array>
#include <utility>

#include "script/ansi.h"

namespace velmora::script {
namespace {

bool IsBlank(unsigned char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsHexDigit(unsigned char c) { return IsAnsiDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
bool IsNameChar(unsigned char c) { return IsAnsiLetter(c) || IsAnsiDigit(c); }

struct Keyword {
  std::string_view text;
  int kind;
};
constexpr std::array<Keyword, 12> kKeywords{{
    {"function", tok::kFunction}, {"if", tok::kIf},         {"else", tok::kElse},
    {"while", tok::kWhile},       {"for", tok::kFor},       {"break", tok::kBreak},
    {"continue", tok::kContinue}, {"return", tok::kReturn}, {"global", tok::kGlobal},
    {"switch", tok::kSwitch},     {"case", tok::kCase},     {"default", tok::kDefault},
}};

}  // namespace

int KeywordKind(std::string_view identifier) {
  if (identifier.size() > 8) return tok::kIdentifier;
  const std::string lower = AnsiLower(identifier);
  for (const Keyword& k : kKeywords) {
    if (k.text == lower) return k.kind;
  }
  return tok::kIdentifier;
}

void Lexer::Reset(std::string_view source, LexMode mode) {
  // A code 4 inside the text ends the input, as the end-of-input marker does.
  source_ = source.substr(0, source.find('\x04'));
  pos_ = 0;
  line_ = 1;
  token_start_ = 0;
  mode_ = mode;
  buffered_ = false;
  token_ = Token{};
}

const Token& Lexer::Peek() {
  if (!buffered_) {
    ReadToken();
    buffered_ = true;
  }
  return token_;
}

void Lexer::Consume() {
  buffered_ = false;
  token_.kind = tok::kEmpty;
  token_.text.clear();
}

Token Lexer::Next() {
  Peek();
  Token result = std::move(token_);
  Consume();
  return result;
}

void Lexer::Advance() {
  // Every line feed is counted once, when it is passed.
  if (At(pos_) == '\n') ++line_;
  ++pos_;
}

void Lexer::ReadToken() {
  token_.text.clear();
  if (mode_ == LexMode::kTemplate) {
    ReadTemplate();
  } else {
    ReadCode();
  }
}

void Lexer::ReadTemplate() {
  token_start_ = static_cast<int>(pos_) + 1;
  const std::size_t begin = pos_;
  while (At(pos_) != '{' && pos_ < source_.size()) Advance();
  token_.text.assign(source_.substr(begin, pos_ - begin));
  if (!token_.text.empty()) {
    token_.kind = tok::kTemplateText;
  } else {
    token_.kind = pos_ < source_.size() ? tok::kEmpty : tok::kEndOfInput;
  }
}

void Lexer::ReadCode() {
  std::string& text = token_.text;
  for (;;) {
    token_start_ = 0;
    while (IsBlank(At(pos_))) Advance();
    token_start_ = static_cast<int>(pos_) + 1;
    const unsigned char c = At(pos_);
    if (pos_ >= source_.size()) {
      token_.kind = tok::kEndOfInput;
      return;
    }
    if (c == '"') {
      Advance();
      for (;;) {
        const unsigned char s = At(pos_);
        if (pos_ >= source_.size() || s == '\r' || s == '\n') {
          token_.kind = tok::kUnterminatedString;
          return;
        }
        Advance();
        if (s == '"') {
          if (At(pos_) != '"') break;
          Advance();  // a doubled quote stands for one quote
        }
        text.push_back(static_cast<char>(s));
      }
      token_.kind = tok::kString;
      return;
    }
    if (IsAnsiDigit(c) || c == '.') {
      text.push_back(static_cast<char>(c));
      Advance();
      int kind = c == '.' ? tok::kDecimal : tok::kInteger;
      for (;;) {
        const unsigned char d = At(pos_);
        if (IsAnsiDigit(d)) {
        } else if (kind == tok::kInteger && d == '.') {
          kind = tok::kDecimal;
        } else if (kind == tok::kInteger && (d == 'x' || d == 'X') && text == "0") {
          kind = tok::kHex;
        } else if (kind == tok::kHex && IsHexDigit(d)) {
        } else {
          break;
        }
        text.push_back(static_cast<char>(d));
        Advance();
      }
      token_.kind = kind;
      return;
    }
    if (c == '@' || IsAnsiLetter(c)) {
      text.push_back(static_cast<char>(c));
      Advance();
      if (c == '@' && !IsAnsiLetter(At(pos_))) {
        token_.kind = tok::kLoneAt;
        return;
      }
      while (pos_ < source_.size() && IsNameChar(At(pos_))) {
        text.push_back(source_[pos_]);
        Advance();
      }
      token_.kind = c == '@' ? tok::kSymbol : KeywordKind(text);
      return;
    }
    text.push_back(static_cast<char>(c));
    Advance();
    const unsigned char n = At(pos_);
    auto take_second = [&](int kind) {
      text.push_back(static_cast<char>(n));
      Advance();
      token_.kind = kind;
    };
    switch (c) {
      case '=': n == '=' ? take_second(tok::kEqual) : void(token_.kind = tok::kAssign); return;
      case '<': n == '=' ? take_second(tok::kLessEqual) : void(token_.kind = tok::kLess); return;
      case '>': n == '=' ? take_second(tok::kGreaterEqual) : void(token_.kind = tok::kGreater); return;
      case '!': n == '=' ? take_second(tok::kNotEqual) : void(token_.kind = tok::kNot); return;
      case '&': n == '&' ? take_second(tok::kAndAnd) : void(token_.kind = tok::kAnd); return;
      case '|': n == '|' ? take_second(tok::kOrOr) : void(token_.kind = tok::kOr); return;
      case '~': token_.kind = tok::kTilde; return;
      case '^': token_.kind = tok::kXor; return;
      case '{': token_.kind = tok::kLeftBrace; return;
      case '}': token_.kind = tok::kRightBrace; return;
      case '/': break;
      default: token_.kind = c; return;
    }
    if (n != '/') {
      token_.kind = tok::kSlash;
      return;
    }
    // A comment runs to the end of the line.
    while (pos_ < source_.size() && At(pos_) != '\r' && At(pos_) != '\n') {
      text.push_back(source_[pos_]);
      Advance();
    }
    if (mode_ == LexMode::kCodeWithComments) {
      if (pos_ < source_.size()) {
        text.push_back(source_[pos_]);
        Advance();
      }
      token_.kind = tok::kComment;
      return;
    }
    // In code mode the comment is dropped, also on a last line without a
    // line break, so a hand-written file may end in a comment.
    text.clear();
  }
}

}  // namespace velmora::script
