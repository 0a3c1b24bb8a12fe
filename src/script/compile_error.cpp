// Compile error keys and the composed compiler message.
#include "script/compile_error.h"

#include <array>

#include "lang/messages.h"

namespace velmora::script {
namespace {

constexpr std::array<std::string_view, 29> kKeys{
    "ErrRLSOk",
    "ErrRLSErrorUnknown",
    "ErrRLSErrorUnknown",
    "ErrRLSFunctionMissingTailingBracket",
    "ErrRLSBodyMissing",
    "ErrRLSFunctionargumentsMissingTailingBracket",
    "ErrRLSSemikolon",
    "ErrRLSMissingLeftSquareBracket",
    "ErrRLSMissingRightSquareBracket",
    "ErrRLSMissingLeftBracket",
    "ErrRLSMissingRightBracket",
    "ErrRLSMissingLeftBraceBracket",
    "ErrRLSMissingRightBraceBracket",
    "ErrRLSMissingOperator",
    "ErrRLSMissingArgument",
    "ErrRLSMissingColon",
    "ErrRLSArgumentlist",
    "ErrRLSContinue",
    "ErrRLSBreak",
    "ErrRLSFunctionAlreadyExist",
    "ErrRLSMissingFunction",
    "ErrRLSInvalidFunctionname",
    "ErrRLSAssignmentInvalid",
    "ErrRLSAssignmentReadonly",
    "ErrRLSMssingConstant",
    "ErrRLSMissingStringDelimiter",
    "ErrRLSMissingEnumName",
    "ErrRLSNestingTooDeep",
    "ErrRLSNumberRange",
};

}  // namespace

std::string_view CompileErrorKey(int code) {
  if (code < 0 || code >= static_cast<int>(kKeys.size())) return "ErrRLSErrorUnknown";
  return kKeys[static_cast<std::size_t>(code)];
}

std::string CompileResult::Message() const {
  std::string message = lang::GetText("Msg", CompileErrorKey(code));
  if (code == err::kOk) return message;
  message += "\r\n";
  message += lang::GetText("Msg", "ErrRLSFound");
  message += ' ';
  message += std::string_view(token).substr(0, 25);
  message += "\r\n";
  message += lang::GetText("Msg", "ErrRLSLine");
  message += ' ';
  message += std::to_string(line);
  return message;
}

}  // namespace velmora::script
