// The real velmora program run as a child process, as a user or a script
// would start it: its exit status and what it wrote to standard error.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

namespace velmora::test {

struct ProgramOptions {
  // "NAME=value" entries added to the inherited environment.
  std::vector<std::string> environment;
  // Run without the superuser's right to ignore file permissions, so that a
  // read-only or unreadable folder is one even when the tests run as root.
  bool unprivileged = false;
  std::filesystem::path stderr_file;  // where standard error goes (required)
};

// The program beside the test binaries.
std::filesystem::path VelmoraProgram();

// Starts `velmora` with `arguments`; returns its process id.
pid_t StartVelmora(const std::vector<std::string>& arguments, const ProgramOptions& options);
// Waits for it: its exit status, or 128 + the signal that ended it.
int WaitForExit(pid_t pid);

struct ProgramResult {
  int status = -1;
  std::string errors;  // standard error
};
ProgramResult RunVelmora(const std::vector<std::string>& arguments, ProgramOptions options);

}  // namespace velmora::test
