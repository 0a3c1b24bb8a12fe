// Atomic file replacement with POSIX calls (open, write, fsync, rename).
#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/temporary_files.h"

namespace velmora {
namespace {

// Pages arrive in many small pieces; they reach the disk in blocks of this size.
constexpr std::size_t kBufferSize = 1 << 16;

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

AtomicFileWriter::~AtomicFileWriter() { Discard(); }

std::error_code AtomicFileWriter::Open(const std::filesystem::path& path) {
  Discard();
  path_ = path;
  twin_ = TemporaryTwin(path);
  error_.clear();
  // Mode 0666 lets the user's umask decide, as for any file the user makes;
  // a replaced file keeps the permissions it had.
  fd_ = ::open(twin_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd_ < 0) {
    error_ = LastError();
    return error_;
  }
  twin_exists_ = true;
  struct stat old_stat {};
  if (::stat(path.c_str(), &old_stat) == 0) ::fchmod(fd_, old_stat.st_mode & 07777);
  return {};
}

void AtomicFileWriter::Write(std::string_view bytes) {
  if (fd_ < 0 || error_) return;
  if (buffer_.size() + bytes.size() > kBufferSize) Flush();
  if (error_) return;
  if (bytes.size() >= kBufferSize) {
    error_ = WriteAll(fd_, bytes);
  } else {
    buffer_.append(bytes);
  }
}

void AtomicFileWriter::Flush() {
  if (!buffer_.empty() && !error_) error_ = WriteAll(fd_, buffer_);
  buffer_.clear();
}

std::error_code AtomicFileWriter::Finish(Durability durability) {
  if (fd_ < 0) return error_ ? error_ : std::make_error_code(std::errc::bad_file_descriptor);
  Flush();
  if (!error_ && durability == Durability::kSynced && ::fsync(fd_) != 0) error_ = LastError();
  if (::close(fd_) != 0 && !error_) error_ = LastError();
  fd_ = -1;
  if (error_) Discard();
  return error_;
}

std::error_code AtomicFileWriter::Replace() {
  if (error_ || !twin_exists_) return error_ ? error_ : std::make_error_code(std::errc::bad_file_descriptor);
  if (::rename(twin_.c_str(), path_.c_str()) != 0) {
    error_ = LastError();
    Discard();
    return error_;
  }
  twin_exists_ = false;
  return {};
}

void AtomicFileWriter::Discard() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  buffer_.clear();
  if (twin_exists_) ::unlink(twin_.c_str());
  twin_exists_ = false;
}

std::error_code AtomicFileWriter::Commit(Durability durability) {
  if (const std::error_code error = Finish(durability)) return error;
  return Replace();
}

std::error_code WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                                    Durability durability, bool* create_failed) {
  AtomicFileWriter writer;
  const std::error_code opened = writer.Open(path);
  if (create_failed != nullptr) *create_failed = static_cast<bool>(opened);
  if (opened) return opened;
  writer.Write(bytes);
  return writer.Commit(durability);
}

std::error_code CopyFileAtomically(const std::filesystem::path& source, const std::filesystem::path& target,
                                   Durability durability) {
  const int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return LastError();
  AtomicFileWriter writer;
  std::error_code error = writer.Open(target);
  char buffer[kBufferSize];
  while (!error) {
    const ssize_t got = ::read(in, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) error = LastError();
    if (got <= 0) break;
    writer.Write(std::string_view(buffer, static_cast<std::size_t>(got)));
    error = writer.error();
  }
  ::close(in);
  if (error) return error;
  return writer.Commit(durability);
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
