// Naming and clean-up of hidden temporary twins.
#include "platform/temporary_files.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <string>
#include <system_error>

namespace velmora {
namespace {

constexpr std::string_view kSuffix = ".tmp";
constexpr std::string_view kPrefix = ".velmora-";

// FNV-1a over the final name: a fixed 16 hex digits however long the name
// is, so that the twin of any name the file system allows fits as well.
std::string NameHash(std::string_view name) {
  std::uint64_t hash = 0xcbf29ce484222325ULL;
  for (const char c : name) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 0x100000001b3ULL;
  }
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
  return text;
}

bool AllDigits(std::string_view text) {
  if (text.empty() || text.size() > 18) return false;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// The process id of a twin name, or -1 when the name is no twin.
long TwinProcess(std::string_view name) {
  if (name.size() <= kSuffix.size() + 1 || name.front() != '.' || !name.ends_with(kSuffix)) return -1;
  name.remove_suffix(kSuffix.size());
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || dot < 2) return -1;  // needs "." + a name of its own
  const std::string_view id = name.substr(dot + 1);
  const std::size_t dash = id.find('-');
  if (dash == std::string_view::npos || !AllDigits(id.substr(0, dash)) || !AllDigits(id.substr(dash + 1))) return -1;
  return std::stol(std::string(id.substr(0, dash)));
}

bool ProcessGone(long pid) {
  if (pid <= 0) return true;
  return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

}  // namespace

std::filesystem::path TemporaryTwin(const std::filesystem::path& path) {
  static std::atomic<unsigned long> counter{0};
  std::filesystem::path twin = path;
  twin.replace_filename(std::string(kPrefix) + NameHash(path.filename().string()) + "." +
                        std::to_string(::getpid()) + "-" + std::to_string(counter.fetch_add(1)) +
                        std::string(kSuffix));
  return twin;
}

bool IsTemporaryTwinName(const std::string& file_name) { return TwinProcess(file_name) >= 0; }

int RemoveOrphanedTwins(const std::filesystem::path& folder) {
  std::error_code error;
  std::filesystem::directory_iterator it(folder, error);
  int removed = 0;
  for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
    const long pid = TwinProcess(it->path().filename().string());
    if (pid < 0 || !ProcessGone(pid)) continue;
    std::error_code status;
    if (!it->is_regular_file(status)) continue;
    if (std::filesystem::remove(it->path(), status)) ++removed;
  }
  return removed;
}

}  // namespace velmora
