// Atomic file replacement with POSIX calls (mkstemp, fsync, rename).
#include "settings/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace velmora::settings {
namespace {

std::error_code LastError() { return {errno, std::generic_category()}; }

std::error_code WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return LastError();
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return {};
}

}  // namespace

std::error_code WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                                    bool* create_failed) {
  std::string temp_name = path.string() + ".tmp-XXXXXX";
  const int fd = ::mkstemp(temp_name.data());
  if (create_failed != nullptr) *create_failed = fd < 0;
  if (fd < 0) return LastError();
  // mkstemp creates the file for the owner only; a profile is an ordinary user
  // file, so give it the permissions the user's umask grants (or keep the old file's).
  struct stat old_stat {};
  if (::stat(path.c_str(), &old_stat) == 0) {
    ::fchmod(fd, old_stat.st_mode & 07777);
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
  }
  std::error_code error = WriteAll(fd, bytes);
  if (!error && ::fsync(fd) != 0) error = LastError();
  if (::close(fd) != 0 && !error) error = LastError();
  if (!error && ::rename(temp_name.c_str(), path.c_str()) != 0) error = LastError();
  if (error) ::unlink(temp_name.c_str());
  return error;
}

std::error_code ReadWholeFile(const std::filesystem::path& path, std::string& bytes) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return LastError();
  bytes.clear();
  std::error_code error;
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      error = LastError();
      break;
    }
    if (got == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(fd);
  return error;
}

}  // namespace velmora::settings
