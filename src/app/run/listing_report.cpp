// Messages about what the listings leave out.
#include "app/run/listing_report.h"

#include "platform/error_text.h"
#include "platform/log.h"
#include "platform/native_path.h"
#include "lang/messages.h"

namespace velmora::app {
namespace {

constexpr int kStyle = lang::kButtonsOk | lang::kIconExclamation;

}  // namespace

void ListingReport::NameNotRepresentable(const std::filesystem::path& path, bool is_folder) {
  if (!FirstTime(path)) return;
  lang::ShowMessage(lang::kApplicationTitle, kStyle,
                    is_folder ? lang::MessageKey("ErrFolderNameNotRepresentable")
                              : lang::MessageKey("ErrFileNameNotRepresentable"),
                    {DisplayPath(path)});
}

void ListingReport::FolderNotReadable(const std::filesystem::path& folder, const std::error_code& error) {
  if (!FirstTime(folder)) return;
  lang::ShowMessage(lang::kApplicationTitle, kStyle, "ErrFolderNotReadable",
                    {Cp1252Text::Number(error.value()), DisplayPath(folder), ErrorReason(error)});
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
