#include "image/file_time.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace velmora::image {

std::optional<FileFacts> ReadFileFacts(const std::filesystem::path& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  const auto since_epoch = std::chrono::seconds(st.st_mtim.tv_sec) + std::chrono::nanoseconds(st.st_mtim.tv_nsec);
  return FileFacts{static_cast<std::int64_t>(st.st_size), FileTime(since_epoch)};
}

bool SetFileModificationTime(const std::filesystem::path& path, FileTime time) {
  const auto ns = time.time_since_epoch().count();
  timespec times[2];
  times[0].tv_sec = 0;
  times[0].tv_nsec = UTIME_OMIT;
  times[1].tv_sec = static_cast<time_t>(ns / 1'000'000'000);
  times[1].tv_nsec = static_cast<long>(ns % 1'000'000'000);
  if (times[1].tv_nsec < 0) {
    times[1].tv_nsec += 1'000'000'000;
    times[1].tv_sec -= 1;
  }
  return ::utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
}

}  // namespace velmora::image
