// The run log.
#include "platform/log.h"

#include <ctime>

#include "platform/control_characters.h"
#include "platform/program_paths.h"

namespace velmora {

LogClass::~LogClass() { Close(); }

std::filesystem::path LogClass::ResolveFileName(std::string_view name) {
  // The program directory may be read-only (installed under /usr): the
  // default log goes to the user's state folder, and a relative name means
  // the current directory, as for any other command.
  if (name.empty()) return UserStateDirectory() / "Velmora.log";
  std::filesystem::path path{std::string(name)};
  if (path.is_absolute()) return path;
  std::error_code error;
  const auto here = std::filesystem::current_path(error);
  return error ? path : here / path;
}

bool LogClass::Open(std::string_view name) {
  Close();
  file_name_ = ResolveFileName(name);
  // Only the state folder is ours to create; a named log's folder must exist.
  if (name.empty()) {
    std::error_code error;
    std::filesystem::create_directories(file_name_.parent_path(), error);
  }
  file_ = std::fopen(file_name_.c_str(), "wb");
  return file_ != nullptr;
}

bool LogClass::WriteLine(std::string_view text) {
  if (file_ == nullptr) return false;
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S ", &local);
  std::fputs(stamp, file_);
  // One event, one line: a name holding a line break must not forge a second one.
  const std::string line = EscapeControlCharacters(text);
  std::fwrite(line.data(), 1, line.size(), file_);
  std::fputs("\r\n", file_);
  std::fflush(file_);
  return true;
}

void LogClass::Close() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
}

LogClass& ProgramLog() {
  static LogClass log;
  return log;
}

void WriteLog(std::string_view text) { ProgramLog().WriteLine(text); }

}  // namespace velmora
