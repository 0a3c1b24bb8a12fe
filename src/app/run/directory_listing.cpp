// Directory and image file listings.
#include "app/run/directory_listing.h"

#include <sys/stat.h>

#include <algorithm>
#include <optional>

#include "platform/cp1252_case.h"
#include "platform/text_encoding.h"
#include "app/run/file_patterns.h"

namespace velmora::app {
namespace {

struct FoundEntry {
  std::string name;
  std::string sort_key;
  std::filesystem::path path;
  struct stat info {};
};

// Decides from the file type and the raw (UTF-8) name whether an entry counts.
using EntryFilter = std::function<bool(const struct stat&, std::string_view)>;

// One pass over the directory with stat() per entry; symbolic links are
// followed, as a user who links a folder of photos into the tree expects.
// Entries that count but whose names Windows-1252 cannot hold are reported.
std::vector<FoundEntry> ReadDirectory(const std::filesystem::path& directory, const EntryFilter& counts,
                                      const SkippedNameReport& skipped, const UnreadableFolderReport& unreadable) {
  std::vector<FoundEntry> found;
  std::error_code error;
  std::filesystem::directory_iterator it(directory, error);
  for (const auto end = std::filesystem::directory_iterator(); !error && it != end; it.increment(error)) {
    const std::string native = it->path().filename().string();
    if (native.empty() || native.front() == '.') continue;
    FoundEntry entry;
    if (stat(it->path().c_str(), &entry.info) != 0 || !counts(entry.info, native)) continue;
    std::optional<std::string> name = Utf8ToCp1252(native);
    if (!name) {
      if (skipped) skipped(it->path());
      continue;
    }
    entry.name = std::move(*name);
    entry.sort_key = Cp1252ToLower(entry.name);
    entry.path = it->path();
    found.push_back(std::move(entry));
  }
  // A folder that cannot be read (or not to its end) must not look empty.
  if (error && unreadable) unreadable(directory, error);
  std::sort(found.begin(), found.end(),
            [](const FoundEntry& a, const FoundEntry& b) { return a.sort_key < b.sort_key; });
  return found;
}

}  // namespace

std::vector<DirectoryEntry> ListSubdirectories(const std::filesystem::path& directory,
                                               const SkippedNameReport& skipped,
                                               const UnreadableFolderReport& unreadable) {
  std::vector<DirectoryEntry> result;
  const EntryFilter is_directory = [](const struct stat& info, std::string_view) { return S_ISDIR(info.st_mode); };
  for (auto& entry : ReadDirectory(directory, is_directory, skipped, unreadable)) {
    result.push_back({std::move(entry.name), std::move(entry.path), entry.info.st_mtim.tv_sec});
  }
  return result;
}

std::vector<ImageFileEntry> ListImageFiles(const std::filesystem::path& directory,
                                           const std::vector<std::string>& patterns,
                                           const SkippedNameReport& skipped,
                                           const UnreadableFolderReport& unreadable) {
  std::vector<ImageFileEntry> result;
  // Patterns are matched on the raw name first so that only files that would
  // have been images are reported when their names cannot be converted; the
  // extensions that decide this are plain ASCII in both encodings.
  const EntryFilter is_image = [&patterns](const struct stat& info, std::string_view native) {
    return S_ISREG(info.st_mode) && MatchesAnyPattern(native, patterns);
  };
  for (auto& entry : ReadDirectory(directory, is_image, skipped, unreadable)) {
    if (!MatchesAnyPattern(entry.name, patterns)) continue;
    result.push_back({std::move(entry.name), std::move(entry.path), static_cast<std::int64_t>(entry.info.st_size),
                      entry.info.st_mtim.tv_sec});
  }
  return result;
}

}  // namespace velmora::app
