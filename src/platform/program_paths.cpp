// Program and user folders.
#include "platform/program_paths.h"

#include <cstdlib>
#include <system_error>

namespace velmora {
namespace {

std::filesystem::path& ProgramDirectoryOverride() {
  static std::filesystem::path override_path;
  return override_path;
}

std::filesystem::path HomeDirectory() {
  const char* home = std::getenv("HOME");
  return home != nullptr && *home != '\0' ? std::filesystem::path(home) : std::filesystem::path("/tmp");
}

// An XDG variable counts only when it holds an absolute path; otherwise the
// standard says to use the default below the home directory.
std::filesystem::path XdgDirectory(const char* variable, const char* fallback_below_home) {
  const char* value = std::getenv(variable);
  if (value != nullptr && value[0] == '/') return value;
  return HomeDirectory() / fallback_below_home;
}

}  // namespace

std::filesystem::path ProgramDirectory() {
  if (!ProgramDirectoryOverride().empty()) return ProgramDirectoryOverride();
  std::error_code error;
  auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return std::filesystem::current_path();
  return executable.parent_path();
}

void SetProgramDirectory(const std::filesystem::path& directory) { ProgramDirectoryOverride() = directory; }

std::filesystem::path UserConfigDirectory() { return XdgDirectory("XDG_CONFIG_HOME", ".config") / "velmora"; }

std::filesystem::path XdgDataHome() { return XdgDirectory("XDG_DATA_HOME", ".local/share"); }

std::filesystem::path UserDataDirectory() { return XdgDataHome() / "velmora"; }

}  // namespace velmora
