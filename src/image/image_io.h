// The three file operations on images. Each reads or writes a whole file and
// raises ImageError (1000 + code, the operation as source, the failing step
// as description). Writes go to a temporary file in the target folder that
// is renamed when complete, so a failed write never leaves half a file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "image/codecs/codec.h"
#include "image/codecs/image_metadata.h"
#include "image/image_error.h"
#include "image/rgb_buffer.h"
#include "image/rgba_image.h"

namespace velmora::image {

struct ImageReadOptions {
  int pcd_format = 2;  // the "PCD_FORMAT" setting; values above the largest resolution read the largest
  std::int64_t max_pixels = DecodeOptions{}.max_pixels;
  // A reader may deliver any size down to these (JPEG scaled decoding).
  int min_width = 0;
  int min_height = 0;
  // Receives the JPEG markers or PNG text of the file; cleared for other types.
  ImageMetadata* metadata = nullptr;
};

// Quality and size limit apply to the lossy types (JPEG, WebP, AVIF).
struct ImageWriteOptions {
  int quality = 75;           // the lowest quality allowed when max_bytes is set
  std::int64_t max_bytes = 0;  // size limit, 0 = none
  bool progressive = false;
  int tiff_compression = 0;
  // Carried into JPEG and PNG files as they are; WebP and AVIF files take
  // the EXIF, XMP and ICC profile of JPEG markers.
  const ImageMetadata* metadata = nullptr;
};

ImageSize GetImageDims(const std::filesystem::path& path, int type, const ImageReadOptions& options = {});
RgbBuffer ReadImage(const std::filesystem::path& path, int type, const ImageReadOptions& options = {});
// ReadImage that keeps the transparency of PNG, GIF, TGA and TIFF files
// apart instead of laying it over white; other files come opaque.
RgbaImage ReadImageWithAlpha(const std::filesystem::path& path, int type, const ImageReadOptions& options = {});
// Returns the quality used: the quality written for a lossy type, 100 for the others.
int WriteImage(const std::filesystem::path& path, int type, const RgbBuffer& image,
               const ImageWriteOptions& options = {});

// The same on bytes in memory, for callers that already hold the file.
ImageSize GetImageDims(std::span<const std::uint8_t> file, int type, const ImageReadOptions& options = {});
RgbBuffer ReadImage(std::span<const std::uint8_t> file, int type, const ImageReadOptions& options = {});
RgbaImage ReadImageWithAlpha(std::span<const std::uint8_t> file, int type, const ImageReadOptions& options = {});
struct EncodedImage {
  std::vector<std::uint8_t> file;
  int quality = 100;
};
EncodedImage EncodeImage(int type, const RgbBuffer& image, const ImageWriteOptions& options = {});

// A whole file mapped read-only: no copy, and the pages arrive in one go.
// Raises ImageError (operation, "IS_OpenFileSource") when it cannot be opened.
class MappedFile {
 public:
  MappedFile(const std::filesystem::path& path, const char* operation);
  ~MappedFile();
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;
  std::span<const std::uint8_t> bytes() const { return {static_cast<const std::uint8_t*>(data_), size_}; }

 private:
  void* data_ = nullptr;
  std::size_t size_ = 0;
};

// Writes a complete file under a temporary name and renames it into place.
void WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                         const char* operation);

}  // namespace velmora::image
