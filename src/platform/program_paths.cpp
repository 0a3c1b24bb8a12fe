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

std::filesystem::path ExecutableDirectory() {
  std::error_code error;
  auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return std::filesystem::current_path(error);
  return executable.parent_path();
}

std::filesystem::path DataDirectoryBeside(const std::filesystem::path& executable_directory) {
  // The metadata definitions are the one file every program directory holds;
  // profiles/ alone could be a user's folder that happens to lie there.
  std::error_code error;
  if (std::filesystem::is_regular_file(executable_directory / "metadata.def", error)) return executable_directory;
  const auto installed = (executable_directory.parent_path() / "share" / "velmora").lexically_normal();
  if (std::filesystem::is_regular_file(installed / "metadata.def", error)) return installed;
  return executable_directory;
}

std::filesystem::path ProgramDirectory() {
  if (!ProgramDirectoryOverride().empty()) return ProgramDirectoryOverride();
  // The executable cannot move while it runs: look once.
  static const std::filesystem::path directory = DataDirectoryBeside(ExecutableDirectory());
  return directory;
}

void SetProgramDirectory(const std::filesystem::path& directory) { ProgramDirectoryOverride() = directory; }

std::filesystem::path UserConfigDirectory() { return XdgDirectory("XDG_CONFIG_HOME", ".config") / "velmora"; }

std::filesystem::path XdgDataHome() { return XdgDirectory("XDG_DATA_HOME", ".local/share"); }

std::filesystem::path UserDataDirectory() { return XdgDataHome() / "velmora"; }

std::filesystem::path UserStateDirectory() { return XdgDirectory("XDG_STATE_HOME", ".local/state") / "velmora"; }

}  // namespace velmora
