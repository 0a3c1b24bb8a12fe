// Output folders of a run.
#include "app/run/output_folders.h"

#include <algorithm>
#include <system_error>

#include "platform/error_text.h"
#include "platform/native_path.h"
#include "lang/messages.h"

namespace velmora::app {
namespace {

bool Within(const std::filesystem::path& folder, const std::filesystem::path& parent) {
  const auto [end, _] = std::mismatch(parent.begin(), parent.end(), folder.begin(), folder.end());
  return end == parent.end();
}

}  // namespace

bool OutputFolders::Create(const std::filesystem::path& folder, lang::MessageKey message_key) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (!error) return true;
  const bool told = std::any_of(failed_.begin(), failed_.end(),
                                [&](const std::filesystem::path& failed) { return Within(folder, failed); });
  failed_.push_back(folder);
  if (!told) {
    lang::ShowMessage(lang::kApplicationTitle, lang::kButtonsOk | lang::kIconExclamation, message_key,
                      {ErrorNumberWithReason(error), DisplayPath(folder)});
  }
  return false;
}

}  // namespace velmora::app
