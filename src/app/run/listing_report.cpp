// Messages about what the listings leave out.
#include "app/run/listing_report.h"

#include "platform/log.h"
#include "platform/text_encoding.h"
#include "lang/messages.h"

namespace velmora::app {
namespace {

constexpr int kStyle = lang::kButtonsOk | lang::kIconExclamation;

}  // namespace

void ListingReport::NameNotRepresentable(const std::filesystem::path& path, bool is_folder) {
  if (!FirstTime(path)) return;
  lang::ShowMessage(lang::kApplicationTitle, kStyle,
                    is_folder ? lang::MessageKey("ErrFolderNameNotRepresentable") : lang::MessageKey("ErrFileNameNotRepresentable"),
                    {Utf8ToCp1252ForDisplay(path.string())});
}

void ListingReport::FolderNotReadable(const std::filesystem::path& folder, const std::error_code& error) {
  if (!FirstTime(folder)) return;
  lang::ShowMessage(lang::kApplicationTitle, kStyle, "ErrFolderNotReadable",
                    {std::to_string(error.value()), Utf8ToCp1252ForDisplay(folder.string()),
                     Utf8ToCp1252(error.message()).value_or("")});
}

SkippedNameReport ListingReport::SkippedFiles() {
  return [this](const std::filesystem::path& path) { NameNotRepresentable(path, false); };
}

SkippedNameReport ListingReport::SkippedFolders() {
  return [this](const std::filesystem::path& path) { NameNotRepresentable(path, true); };
}

UnreadableFolderReport ListingReport::UnreadableFolders() {
  return [this](const std::filesystem::path& folder, const std::error_code& error) {
    FolderNotReadable(folder, error);
  };
}

}  // namespace velmora::app
