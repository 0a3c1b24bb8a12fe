// The RiloScript tokenizer: one hand-written state machine over the
// Windows-1252 source, with a one-token look-ahead for the compiler.
#pragma once

#include <string>
#include <string_view>

#include "script/token.h"

namespace velmora::script {

class Lexer {
 public:
  Lexer() = default;
  Lexer(std::string_view source, LexMode mode) { Reset(source, mode); }

  void Reset(std::string_view source, LexMode mode);

  // The next token without consuming it; reads one only when the buffer is empty.
  const Token& Peek();
  void Consume();
  Token Next();

  // Takes effect with the next token actually read: a buffered token keeps its kind.
  void SetMode(LexMode mode) { mode_ = mode; }
  LexMode mode() const { return mode_; }

  int line() const { return line_; }
  // 1-based position of the first character of the current token (0 while
  // white space is skipped).
  int token_start() const { return token_start_; }

 private:
  void ReadToken();
  void ReadCode();
  void ReadTemplate();
  // Code 4 stands for the end of input: past the last character, or a code 4 inside.
  unsigned char At(std::size_t index) const { return index < source_.size() ? static_cast<unsigned char>(source_[index]) : 4; }
  void Advance();

  std::string_view source_;
  std::size_t pos_ = 0;  // 0-based index of the character to be read next
  int line_ = 1;
  int token_start_ = 0;
  LexMode mode_ = LexMode::kCode;
  bool buffered_ = false;
  Token token_;
};

// Keyword kind of an identifier text (any case), or kIdentifier.
int KeywordKind(std::string_view identifier);

}  // namespace velmora::script
