// Copying decoration files.
#include "html/decoration.h"

#include "app/platform/log.h"
#include "app/platform/text_encoding.h"
#include "lang/messages.h"

namespace velmora::html {

bool CopyDecorationFiles(const std::filesystem::path& source, const std::filesystem::path& target, bool copy_ever,
                         const WriteCheck& may_write) {
  namespace fs = std::filesystem;
  std::error_code error;
  fs::create_directories(target, error);  // a failure shows at the first copy
  fs::directory_iterator entries(source, error);
  if (error) {
    WriteLog("Decoration source not readable: " + source.string() + ": " + error.message());
    return false;
  }
  try {
    for (const fs::directory_entry& entry : entries) {
      const std::string name = entry.path().filename().string();
      if (name.empty() || name.front() == '.' || !entry.is_regular_file(error)) continue;
      const fs::path destination = target / entry.path().filename();
      if (!copy_ever && fs::exists(destination, error)) continue;
      if (!MayWrite(may_write, destination)) {
        WriteLog("Decoration file refused: " + destination.string());
        lang::ShowMessage(lang::kApplicationTitle, lang::kButtonsOk | lang::kIconExclamation, "ErrOutputRefused",
                          {Utf8ToCp1252(destination.string()).value_or(name)});
        return false;
      }
      fs::copy_file(entry.path(), destination, fs::copy_options::overwrite_existing, error);
      if (error) {
        WriteLog("Decoration file not copied: " + destination.string() + ": " + error.message());
        return false;
      }
    }
  } catch (const fs::filesystem_error& e) {
    WriteLog(std::string("Decoration copy interrupted: ") + e.what());
    return false;
  }
  return true;
}

}  // namespace velmora::html
