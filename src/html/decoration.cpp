// Copying decoration files.
#include "html/decoration.h"

#include <system_error>

#include "platform/atomic_file.h"
#include "platform/error_text.h"
#include "platform/log.h"
#include "platform/native_path.h"
#include "lang/messages.h"

namespace velmora::html {
namespace {

namespace fs = std::filesystem;

bool Fail(const fs::path& file, const std::error_code& error) {
  WriteLog("Decoration file not copied: " + file.string() + ": " + error.message());
  lang::ShowMessage(lang::kApplicationTitle, lang::kButtonsOk | lang::kIconExclamation, "ErrDecoCopy",
                    {ErrorNumberWithReason(error), DisplayPath(file)});
  return false;
}

}  // namespace

bool CopyDecorationFiles(const fs::path& source, const fs::path& target, bool copy_ever, const WriteCheck& may_write) {
  std::error_code error;
  fs::create_directories(target, error);  // a failure shows at the first copy
  fs::directory_iterator entries(source, error);
  if (error) return Fail(source, error);
  for (const fs::directory_iterator end; entries != end; entries.increment(error)) {
    if (error) return Fail(source, error);
    const fs::directory_entry& entry = *entries;
    const std::string name = entry.path().filename().string();
    if (name.empty() || name.front() == '.' || !entry.is_regular_file(error)) continue;
    const fs::path destination = target / entry.path().filename();
    if (!copy_ever && fs::exists(destination, error)) continue;
    if (!MayWrite(may_write, destination)) {
      WriteLog("Decoration file refused: " + destination.string());
      lang::ShowMessage(lang::kApplicationTitle, lang::kButtonsOk | lang::kIconExclamation, "ErrOutputRefused",
                        {DisplayPath(destination)});
      return false;
    }
    // Decoration files are remade by the next run: no flush to disk one by one.
    if (const std::error_code copy = CopyFileAtomically(entry.path(), destination, Durability::kRenameOnly)) {
      return Fail(destination, copy);
    }
  }
  if (error) return Fail(source, error);
  return true;
}

}  // namespace velmora::html
