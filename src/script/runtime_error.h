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
// The image and metadata functions.
inline constexpr int kExifDataUnknown = 7;        // the image has no such entry
inline constexpr int kExifMissing = 8;            // no EXIF data (or no current image)
inline constexpr int kExifSectionUnknown = 9;
inline constexpr int kExifMakernoteUnknown = 10;  // the maker note's layout was not recognised
inline constexpr int kExifTagUnknown = 11;
inline constexpr int kExifTagposition = 12;       // a position or component outside the entries
inline constexpr int kIptcDataUnknown = 15;       // no IPTC data (or no current image)
inline constexpr int kIptcTagposition = 16;
inline constexpr int kIptcTagUnknown = 17;
inline constexpr int kIptcTagMissing = 18;
inline constexpr int kCommentMissing = 19;
inline constexpr int kDirNotExist = 20;
inline constexpr int kImageNotExist = 21;
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
