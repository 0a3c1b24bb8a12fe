// Run-time error codes of the machine and the internal functions, and the
// error report that records the last one in ERRN_LAST, ERRS_LAST, ERRF_LAST.
#pragma once

#include <string_view>

namespace velmora::script {

namespace rterr {
inline constexpr int kFunctionUnknown = 1;
inline constexpr int kParameterCount = 2;
inline constexpr int kParametertype = 3;
inline constexpr int kParameter = 4;
inline constexpr int kDatabaseType = 5;   // no row found
inline constexpr int kDatabaseField = 6;  // a field type without script value
inline constexpr int kDirNotExist = 20;
// Limits of this implementation (see MachineLimits).
inline constexpr int kRecursionTooDeep = 23;
inline constexpr int kInstructionLimit = 24;
inline constexpr int kOutputLimit = 25;
// A file or data source outside what the host lets scripts touch.
inline constexpr int kFileAccess = 26;
}  // namespace rterr

// "ErrKIF..." key of a code; "ErrKIFErrorMissing" for unlisted codes.
std::string_view RuntimeErrorKey(int code);

}  // namespace velmora::script
