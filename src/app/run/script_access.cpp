// The file access policy of a run's scripts.
#include "app/run/script_access.h"

#include <string>
#include <vector>

#include "platform/log.h"
#include "platform/native_path.h"
#include "platform/program_paths.h"
#include "app/run/file_patterns.h"
#include "lang/keyed_collection.h"
#include "settings/user_settings.h"

namespace velmora::app {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> SplitList(std::string_view text) {
  std::vector<std::string> pieces;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(';', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view piece = text.substr(start, end - start);
    while (!piece.empty() && piece.front() == ' ') piece.remove_prefix(1);
    while (!piece.empty() && piece.back() == ' ') piece.remove_suffix(1);
    if (!piece.empty()) pieces.emplace_back(piece);
    start = end + 1;
  }
  return pieces;
}

// Stored folders are Windows-1252 text like every stored path; only absolute
// ones count, since a relative one would depend on where the run started.
std::vector<fs::path> StoredFolders(std::string_view key) {
  std::vector<fs::path> folders;
  for (const std::string& folder : SplitList(settings::ReadUserSetting("Administration", key))) {
    fs::path path = ToNativePath(Cp1252Text(folder));
    if (path.is_absolute()) folders.push_back(std::move(path));
    else WriteLog("Script access: " + folder + " in " + std::string(key) + " is not an absolute path, ignored");
  }
  return folders;
}

}  // namespace

script::FileAccess RunScriptAccess(const fs::path& base_dir, const fs::path& clone_dir, std::string_view command_line) {
  const std::string chosen = command_line.empty()
                                 ? lang::FoldCase(settings::ReadUserSetting("Administration", kScriptAccessKey))
                                 : std::string(command_line);
  if (chosen == "full") return script::FileAccess();

  std::vector<fs::path> read = {base_dir, clone_dir, ProgramDirectory(), UserDataDirectory()};
  for (fs::path& folder : StoredFolders(kScriptReadFoldersKey)) read.push_back(std::move(folder));
  std::vector<fs::path> write = {clone_dir.empty() ? base_dir : clone_dir};
  for (fs::path& folder : StoredFolders(kScriptWriteFoldersKey)) write.push_back(std::move(folder));
  return script::FileAccess::Restricted(
      read, write, SplitList(settings::ReadUserSetting("Administration", kScriptDataSourcesKey)));
}

void ProtectPhotoNames(script::FileAccess& access, std::vector<std::string> image_patterns) {
  access.Protect([patterns = std::move(image_patterns)](const fs::path& file) {
    return MatchesAnyPattern(FromNativePathOrBytes(file.filename()).bytes(), patterns);
  });
}

void ProtectRunPhotos(script::FileAccess& access, const OutputGuard& guard) {
  access.Protect([&guard](const fs::path& file) { return guard.IsPhoto(file); });
}

void LogScriptAccess(const script::FileAccess& access) {
  if (access.full()) {
    WriteLog("Run script access full");
    return;
  }
  std::string line = "Run script access read";
  for (const fs::path& root : access.read_roots()) line += " " + FromNativePathOrBytes(root).bytes();
  line += ", write";
  for (const fs::path& root : access.write_roots()) line += " " + FromNativePathOrBytes(root).bytes();
  WriteLog(line);
}

}  // namespace velmora::app
