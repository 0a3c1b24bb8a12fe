// Token kinds of the RiloScript tokenizer. The codes are fixed: the compiler
// tests for them, and a single-character token uses its own character code.
#pragma once

#include <string>

namespace velmora::script {

namespace tok {
inline constexpr int kEmpty = 2000;
inline constexpr int kIdentifier = 2001;
inline constexpr int kString = 2002;
inline constexpr int kInteger = 2003;
inline constexpr int kHex = 2004;
inline constexpr int kDecimal = 2005;
inline constexpr int kSymbol = 2006;
inline constexpr int kLoneAt = 7001;
inline constexpr int kUnterminatedString = 7002;
inline constexpr int kEqual = 3001;
inline constexpr int kNotEqual = 3002;
inline constexpr int kLessEqual = 3003;
inline constexpr int kGreaterEqual = 3004;
inline constexpr int kLess = 3005;
inline constexpr int kGreater = 3006;
inline constexpr int kNot = 3007;
inline constexpr int kTilde = 3008;
inline constexpr int kOrOr = 3009;
inline constexpr int kAndAnd = 3010;
inline constexpr int kOr = 3011;
inline constexpr int kAnd = 3012;
inline constexpr int kXor = 3013;
inline constexpr int kSlash = 3020;
inline constexpr int kAssign = 5001;
inline constexpr int kLeftBrace = 4001;
inline constexpr int kRightBrace = 4002;
inline constexpr int kFunction = 4000;
inline constexpr int kIf = 4003;
inline constexpr int kElse = 4004;
inline constexpr int kWhile = 4005;
inline constexpr int kFor = 4006;
inline constexpr int kBreak = 4007;
inline constexpr int kContinue = 4008;
inline constexpr int kReturn = 4009;
inline constexpr int kGlobal = 4010;
inline constexpr int kTemplateText = 4011;
inline constexpr int kSwitch = 4012;
inline constexpr int kCase = 4013;
inline constexpr int kDefault = 4014;
inline constexpr int kComment = 6001;
inline constexpr int kEndOfInput = 9999;
}  // namespace tok

// 0 = template text, 1 = code, 2 = code with comments returned (highlighting).
enum class LexMode : int { kTemplate = 0, kCode = 1, kCodeWithComments = 2 };

struct Token {
  int kind = tok::kEmpty;
  std::string text;
};

}  // namespace velmora::script
