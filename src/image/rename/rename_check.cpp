#include "image/rename/rename_check.h"

namespace velmora::image {
namespace {

// Sample names the checks build with: two files of one directory.
constexpr std::string_view kSampleDir = "VZ";
constexpr std::string_view kSampleFile1 = "DATEI1";
constexpr std::string_view kSampleFile2 = "DATEI2";

}  // namespace

bool IsValidRenamedFileName(std::string_view name) {
  if (name.empty() || name.size() >= 256) return false;
  if (name.front() == ' ' || name.back() == ' ' || name.front() == '$') return false;
  for (const char c : name) {
    if (static_cast<unsigned char>(c) < 0x20) return false;
    if (std::string_view("\"/\\:|<>*?").find(c) != std::string_view::npos) return false;
  }
  return true;
}

std::optional<lang::MessageKey> CheckRenameSettings(const RenameSettings& settings) {
  if (settings.mask.empty()) return lang::MessageKey("ErrRenameClonesMaskMissing");
  const std::string first = RenameName(settings, kSampleDir, kSampleFile1, 1);
  if (first == RenameName(settings, kSampleDir, kSampleFile2, 2)) return lang::MessageKey("ErrRenameClonesNotUnique");
  if (!IsValidRenamedFileName(first)) return lang::MessageKey("ErrRenameClonesNameInvalid");
  if (SplitRenameList(settings.find).size() != SplitRenameList(settings.replace).size()) {
    return lang::MessageKey("ErrRenameClonesFindReplaceCount");
  }
  return std::nullopt;
}

}  // namespace velmora::image
