// Cleaning output folders.
#include "app/run/output_cleaning.h"

#include <cstdlib>
#include <ctime>
#include <fstream>

#include "platform/log.h"
#include "platform/program_paths.h"
#include "html/gallery_layout.h"

namespace velmora::app {
namespace {

namespace fs = std::filesystem;

std::string DeletionDate() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
  return text;
}

// Reserves a name in the trash by creating its info file exclusively, as
// the trash rules require, so two programs never pick the same name.
// The info file names the original place URL-encoded, byte by byte, as the
// link encoder of the pages does.
bool ReserveTrashName(const fs::path& info_dir, const std::string& base, std::string& name, const fs::path& original) {
  for (int n = 1; n < 100000; ++n) {
    name = n == 1 ? base : base + "." + std::to_string(n);
    const fs::path info = info_dir / (name + ".trashinfo");
    std::FILE* file = std::fopen(info.c_str(), "wx");
    if (file == nullptr) {
      if (errno == EEXIST) continue;
      return false;
    }
    const std::string text =
        "[Trash Info]\nPath=" + html::EncodeLink(original.string()) + "\nDeletionDate=" + DeletionDate() + "\n";
    const bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && ok;
  }
  return false;
}

bool RemoveEntry(const fs::path& entry, std::int32_t delete_flags) {
  if (delete_flags & 64) return MoveToTrash(entry);
  std::error_code error;
  fs::remove_all(entry, error);
  return !error;
}

}  // namespace

bool MoveToTrash(const fs::path& entry) {
  std::error_code error;
  const fs::path trash = XdgDataHome() / "Trash";
  fs::create_directories(trash / "files", error);
  fs::create_directories(trash / "info", error);
  const fs::path original = fs::absolute(entry, error);
  std::string name;
  if (!ReserveTrashName(trash / "info", entry.filename().string(), name, original)) return false;
  const fs::path target = trash / "files" / name;
  fs::rename(entry, target, error);
  if (error == std::errc::cross_device_link) {
    // Another file system: copy, then remove the original only when the copy is whole.
    error.clear();
    fs::copy(entry, target, fs::copy_options::recursive | fs::copy_options::copy_symlinks, error);
    if (!error) fs::remove_all(entry, error);
  }
  if (error) {
    fs::remove(trash / "info" / (name + ".trashinfo"), error);
    return false;
  }
  return true;
}

fs::path HomeFolder() {
  const char* home = std::getenv("HOME");
  if (home == nullptr || *home == '\0') return {};
  std::error_code error;
  fs::path resolved = fs::weakly_canonical(home, error);
  return error ? fs::path(home).lexically_normal() : resolved;
}

CleanResult DeleteFolderContents(const fs::path& folder, std::int32_t delete_flags,
                                 const std::vector<fs::path>& protected_folders, int& removed) {
  std::error_code error;
  const fs::path canonical = fs::weakly_canonical(folder, error);
  if (error) return CleanResult::kIncomplete;
  for (const fs::path& source : protected_folders) {
    if (PathWithin(source, canonical)) {
      WriteLog("Cleaning refused, source images inside " + canonical.string());
      return CleanResult::kRefused;
    }
  }
  bool complete = true;
  fs::directory_iterator it(canonical, error);
  if (error) return CleanResult::kIncomplete;
  std::vector<fs::path> entries;
  for (const auto end = fs::directory_iterator(); it != end; it.increment(error)) {
    if (error) break;
    entries.push_back(it->path());
  }
  for (const fs::path& entry : entries) {
    if (!RemoveEntry(entry, delete_flags)) {
      WriteLog("Cleaning could not remove " + entry.string());
      complete = false;
      continue;
    }
    ++removed;
    WriteLog(std::string(delete_flags & 64 ? "Cleaning moved to the trash " : "Cleaning removed ") + entry.string());
  }
  return complete ? CleanResult::kCleaned : CleanResult::kIncomplete;
}

}  // namespace velmora::app
