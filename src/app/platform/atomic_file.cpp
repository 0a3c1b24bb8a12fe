// Atomic file replacement with POSIX calls (open, fsync, rename).
#include "app/platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "app/platform/temporary_files.h"

namespace velmora {
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
                                    Durability durability, bool* create_failed) {
  const std::filesystem::path temp = TemporaryTwin(path);
  // Mode 0666 lets the user's umask decide, as for any file the user makes;
  // a replaced file keeps the permissions it had.
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (create_failed != nullptr) *create_failed = fd < 0;
  if (fd < 0) return LastError();
  struct stat old_stat {};
  if (::stat(path.c_str(), &old_stat) == 0) ::fchmod(fd, old_stat.st_mode & 07777);
  std::error_code error = WriteAll(fd, bytes);
  if (!error && durability == Durability::kSynced && ::fsync(fd) != 0) error = LastError();
  if (::close(fd) != 0 && !error) error = LastError();
  if (!error && ::rename(temp.c_str(), path.c_str()) != 0) error = LastError();
  if (error) ::unlink(temp.c_str());
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

}  // namespace velmora
