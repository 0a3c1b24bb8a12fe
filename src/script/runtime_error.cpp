// Run-time error keys.
#include "script/runtime_error.h"

#include <array>

namespace velmora::script {
namespace {

constexpr std::array<std::string_view, 27> kKeys{
    "ErrKIFErrorMissing",      "ErrKIFFunctionUnknown",      "ErrKIFParameterCount",     "ErrKIFParametertype",
    "ErrKIFParameter",         "ErrKIFDatabaseType",         "ErrKIFDatabaseField",      "ErrKIFEXIFDataUnknown",
    "ErrKIFEXIFMissing",       "ErrKIFEXIFSectionUnknown",   "ErrKIFEXIFMakernoteUnknown", "ErrKIFEXIFTagUnknown",
    "ErrKIFEXIFTagposition",   "ErrKIFEXIFFormat",           "ErrKIFEXIFDatatypeUnknown", "ErrKIFIPTCDataUnknown",
    "ErrKIFIPTCTagposition",   "ErrKIFIPTCTagUnknown",       "ErrKIFIPTCTagMissing",     "ErrKIFCommentMissing",
    "ErrKIFDirNotExist",       "ErrKIFImageNotExist",        "ErrKIFWSHMissing",         "ErrKIFRecursionTooDeep",
    "ErrKIFInstructionLimit",  "ErrKIFOutputLimit",          "ErrKIFFileAccess",
};

}  // namespace

std::string_view RuntimeErrorKey(int code) {
  if (code < 1 || code >= static_cast<int>(kKeys.size())) return "ErrKIFErrorMissing";
  return kKeys[static_cast<std::size_t>(code)];
}

}  // namespace velmora::script
