#include "metadata/file_byte_source.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace velmora::metadata {
namespace {

constexpr std::size_t kWindowSize = 64 * 1024;

}  // namespace

FileByteSource::FileByteSource(const std::filesystem::path& path) {
  // Not blocking: a named pipe with a photo's name must not stop the run.
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  struct stat st {};
  if (fd_ >= 0 && (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode))) {
    ::close(fd_);
    fd_ = -1;
  }
  if (fd_ >= 0) size_ = static_cast<std::uint64_t>(st.st_size);
}

FileByteSource::~FileByteSource() {
  if (mapping_ != nullptr) ::munmap(mapping_, static_cast<std::size_t>(size_));
  if (fd_ >= 0) ::close(fd_);
}

std::span<const std::uint8_t> FileByteSource::Read(std::uint64_t offset, std::size_t count) {
  if (fd_ < 0 || offset >= size_) return {};
  count = static_cast<std::size_t>(std::min<std::uint64_t>(count, size_ - offset));
  const bool inside = offset >= window_offset_ && offset - window_offset_ + count <= window_.size();
  if (!inside) {
    const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(std::max(count, kWindowSize), size_ - offset));
    window_.resize(wanted);
    window_offset_ = offset;
    std::size_t filled = 0;
    while (filled < wanted) {
      const ssize_t got = ::pread(fd_, window_.data() + filled, wanted - filled, static_cast<off_t>(offset + filled));
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) break;
      filled += static_cast<std::size_t>(got);
    }
    window_.resize(filled);
  }
  const std::size_t at = static_cast<std::size_t>(offset - window_offset_);
  if (at >= window_.size()) return {};
  return std::span<const std::uint8_t>(window_).subspan(at, std::min(count, window_.size() - at));
}

std::span<const std::uint8_t> FileByteSource::Whole() {
  if (mapping_ == nullptr && fd_ >= 0 && size_ > 0) {
    void* mapped = ::mmap(nullptr, static_cast<std::size_t>(size_), PROT_READ, MAP_PRIVATE, fd_, 0);
    if (mapped != MAP_FAILED) mapping_ = mapped;
  }
  if (mapping_ == nullptr) return {};
  return {static_cast<const std::uint8_t*>(mapping_), static_cast<std::size_t>(size_)};
}

}  // namespace velmora::metadata
