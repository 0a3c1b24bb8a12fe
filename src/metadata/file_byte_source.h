// A photo file read piece by piece: a JPEG's metadata sits in its first
// kilobytes and a PNG's in a few chunks between the image data, so reading
// the whole file would cost more than everything else the reader does.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "metadata/byte_source.h"

namespace velmora::metadata {

class FileByteSource final : public ByteSource {
 public:
  // A file that cannot be opened reads as empty.
  explicit FileByteSource(const std::filesystem::path& path);
  ~FileByteSource() override;
  FileByteSource(const FileByteSource&) = delete;
  FileByteSource& operator=(const FileByteSource&) = delete;

  // Serves from a window of the file; a read outside it loads a new window
  // of at least 64 KiB from the read's offset.
  std::span<const std::uint8_t> Read(std::uint64_t offset, std::size_t count) override;

  // The whole file mapped into memory, for formats whose metadata may lie
  // anywhere in it (TIFF); only the pages a walk touches are read. Empty
  // when the file cannot be mapped.
  std::span<const std::uint8_t> Whole();

 private:
  int fd_ = -1;
  std::uint64_t size_ = 0;
  std::vector<std::uint8_t> window_;
  std::uint64_t window_offset_ = 0;
  void* mapping_ = nullptr;
};

}  // namespace velmora::metadata
