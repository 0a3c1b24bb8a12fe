// Compile error codes, their message keys and the composed compiler message
// (key text, the token found, the line).
#pragma once

#include <string>
#include <string_view>

namespace velmora::script {

namespace err {
inline constexpr int kOk = 0;
inline constexpr int kGlobalList = 2;  // a stray token in a `global` list
inline constexpr int kFunctionMissingTailingBracket = 3;
inline constexpr int kBodyMissing = 4;
inline constexpr int kFunctionargumentsMissingTailingBracket = 5;
inline constexpr int kSemikolon = 6;
inline constexpr int kMissingLeftSquareBracket = 7;
inline constexpr int kMissingRightSquareBracket = 8;
inline constexpr int kMissingLeftBracket = 9;
inline constexpr int kMissingRightBracket = 10;
inline constexpr int kMissingLeftBraceBracket = 11;
inline constexpr int kMissingRightBraceBracket = 12;
inline constexpr int kMissingOperator = 13;
inline constexpr int kMissingArgument = 14;
inline constexpr int kMissingColon = 15;
inline constexpr int kArgumentlist = 16;
inline constexpr int kContinue = 17;
inline constexpr int kBreak = 18;
inline constexpr int kFunctionAlreadyExist = 19;
inline constexpr int kMissingFunction = 20;
inline constexpr int kInvalidFunctionname = 21;
inline constexpr int kAssignmentInvalid = 22;
inline constexpr int kAssignmentReadonly = 23;
inline constexpr int kMssingConstant = 24;
inline constexpr int kMissingStringDelimiter = 25;
inline constexpr int kMissingEnumName = 26;
// Guards of this implementation: nesting deeper than kMaxNesting, and
// number literals outside the 32-bit range.
inline constexpr int kNestingTooDeep = 27;
inline constexpr int kNumberRange = 28;
}  // namespace err

// Levels of nested blocks, statements and parentheses a source may use.
inline constexpr int kMaxNesting = 200;

// The message key of a code ("ErrRLSErrorUnknown" for unlisted codes).
std::string_view CompileErrorKey(int code);

// What a compilation leaves for its report.
struct CompileResult {
  int code = err::kOk;
  std::string token;     // the token at which the error was found
  int line = 0;          // 1-based
  int token_start = 0;   // 1-based character position; the caret goes to token_start - 1

  bool ok() const { return code == err::kOk; }
  // "ErrRLSOk" alone, or the key's text, "ErrRLSFound" with the first 25
  // characters of the token and "ErrRLSLine" with the line, one per line.
  std::string Message() const;
};

}  // namespace velmora::script
