// File modification times with nanoseconds, as the pipeline compares and
// copies them (an up-to-date clone, the original's date on its outputs).
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>

namespace velmora::image {

using FileTime = std::chrono::time_point<std::chrono::system_clock, std::chrono::nanoseconds>;

struct FileFacts {
  std::int64_t size = 0;
  FileTime modified{};
};

// Nothing when the path does not name a readable regular file.
std::optional<FileFacts> ReadFileFacts(const std::filesystem::path& path);
// Sets the modification time (the access time is left alone); false on failure.
bool SetFileModificationTime(const std::filesystem::path& path, FileTime time);

}  // namespace velmora::image
