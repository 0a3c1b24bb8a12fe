#include "support/program_run.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <stdexcept>

#include "platform/program_paths.h"
#include "support/temp_dir.h"

namespace velmora::test {

std::filesystem::path VelmoraProgram() { return ProgramDirectory() / "velmora"; }

pid_t StartVelmora(const std::vector<std::string>& arguments, const ProgramOptions& options) {
  std::vector<std::string> command;
  if (options.unprivileged && geteuid() == 0) {
    command = {"/usr/bin/setpriv", "--bounding-set=-dac_override,-dac_read_search", "--inh-caps=-all", "--"};
  }
  command.push_back(VelmoraProgram().string());
  command.insert(command.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& part : command) argv.push_back(part.data());
  argv.push_back(nullptr);

  const pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    for (const std::string& entry : options.environment) putenv(const_cast<char*>(entry.c_str()));
    const int err = open(options.stderr_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (err >= 0) dup2(err, STDERR_FILENO);
    const int null = open("/dev/null", O_RDWR);
    if (null >= 0) {
      dup2(null, STDIN_FILENO);
      dup2(null, STDOUT_FILENO);
    }
    execv(argv[0], argv.data());
    _exit(127);
  }
  return pid;
}

int WaitForExit(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

ProgramResult RunVelmora(const std::vector<std::string>& arguments, ProgramOptions options) {
  ProgramResult result;
  result.status = WaitForExit(StartVelmora(arguments, options));
  result.errors = ReadFile(options.stderr_file);
  return result;
}

}  // namespace velmora::test
