// The optional run log named on the command line: one line per event, local
// date and time first, flushed at once so that it survives a crash.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace velmora {

class LogClass {
 public:
  LogClass() = default;
  LogClass(const LogClass&) = delete;
  LogClass& operator=(const LogClass&) = delete;
  ~LogClass();

  // Resolves the name (empty: "Velmora.log" in the user's state folder,
  // which is created; an absolute path as it is; anything else relative to
  // the current directory), creates the file, replacing an old one. False
  // when it cannot be created.
  bool Open(std::string_view name);

  // Writes "<date> <time> <text>" and CR LF, then flushes; control
  // characters in the text are escaped. False when not open.
  bool WriteLine(std::string_view text);

  const std::filesystem::path& FileName() const { return file_name_; }
  bool IsOpen() const { return file_ != nullptr; }
  void Close();

  // The file name that Open would use for this command-line value.
  static std::filesystem::path ResolveFileName(std::string_view name);

 private:
  std::filesystem::path file_name_;
  std::FILE* file_ = nullptr;
};

// The program's log: there is at most one, opened at start-up. Everything that
// has something to record calls WriteLog, which does nothing while no log is open.
LogClass& ProgramLog();
void WriteLog(std::string_view text);

}  // namespace velmora
