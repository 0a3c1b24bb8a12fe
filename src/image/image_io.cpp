#include "image/image_io.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/atomic_file.h"
#include "image/codecs/codec_registry.h"
#include "image/codecs/jpeg_codec.h"
#include "image/quality_search.h"

namespace velmora::image {
namespace {

constexpr const char* kGetDims = "GetImageDims";
constexpr const char* kRead = "ReadImage";
constexpr const char* kWrite = "WriteImage";

[[noreturn]] void Raise(const char* operation, std::string_view step, const CodecError& e) {
  throw ImageError(kImageErrorBase + e.code(), operation, std::string(step), e.what());
}

// Type 0 asks for a guess from the file's signature.
const ImageType& ReadableType(std::span<const std::uint8_t> file, int type, const char* operation,
                              const char* step) {
  if (type == kImageTypeUnknown) type = GuessImageType(file);
  const ImageType* entry = FindImageType(type);
  if (entry == nullptr || entry->codec == nullptr) {
    throw ImageError(kImageErrorBase + (type == kImageTypeUnknown ? kCodecBadFormat : kCodecUnsupported), operation,
                     step, type == kImageTypeUnknown ? "unknown file format" : "this image type cannot be read");
  }
  if (file.empty()) throw ImageError(kImageErrorBase + kCodecTruncated, operation, step, "the file is empty");
  return *entry;
}

DecodeOptions ToDecodeOptions(const ImageReadOptions& options) {
  DecodeOptions d;
  d.max_pixels = options.max_pixels;
  d.pcd_resolution = std::clamp(options.pcd_format, 0, 2);
  d.min_width = options.min_width;
  d.min_height = options.min_height;
  d.metadata = options.metadata;
  return d;
}

std::string SystemError(const std::filesystem::path& path) { return path.string() + ": " + std::strerror(errno); }

}  // namespace

MappedFile::MappedFile(const std::filesystem::path& path, const char* operation) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat st {};
  if (fd < 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    const std::string detail = SystemError(path);
    if (fd >= 0) ::close(fd);
    throw ImageError(kImageErrorBase + kCodecFailed, operation, "IS_OpenFileSource", detail);
  }
  size_ = static_cast<std::size_t>(st.st_size);
  if (size_ > 0) {
    data_ = ::mmap(nullptr, size_, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
    if (data_ == MAP_FAILED) {
      data_ = nullptr;
      const std::string detail = SystemError(path);
      ::close(fd);
      throw ImageError(kImageErrorBase + kCodecFailed, operation, "IS_OpenFileSource", detail);
    }
  }
  ::close(fd);
}

MappedFile::~MappedFile() {
  if (data_ != nullptr) ::munmap(data_, size_);
}

void WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                         const char* operation) {
  // Outputs are remade by the next run, so they are not flushed to disk one by one.
  const std::error_code error = velmora::WriteFileAtomically(
      path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), Durability::kRenameOnly);
  if (error) {
    // The file is the image object's; the detail is the system's reason.
    throw ImageError(kImageErrorBase + kCodecFailed, operation, "IS_OpenFileDest", error.message());
  }
}

ImageSize GetImageDims(std::span<const std::uint8_t> file, int type, const ImageReadOptions& options) {
  const char* step = "IS_GetXXXDims";
  const ImageType& entry = ReadableType(file, type, kGetDims, step);
  try {
    ImageSize size;
    // Photo CD and metafiles learn their size only by decoding.
    if (entry.code == kImageTypePcd || entry.code == kImageTypeMetafile) {
      const RgbBuffer image = entry.codec->Decode(file, ToDecodeOptions(options));
      size = {image.width(), image.height()};
    } else {
      size = entry.codec->ReadSize(file);
    }
    if (options.metadata != nullptr) {
      options.metadata->clear();
      if (entry.code == kImageTypeJpg) ReadJpegMarkers(file, *options.metadata);
      // PNG text may follow the image data, so it takes a decode; PNG files
      // are small next to the photos that matter.
      if (entry.code == kImageTypePng) entry.codec->Decode(file, ToDecodeOptions(options));
    }
    return size;
  } catch (const CodecError& e) {
    Raise(kGetDims, step, e);
  }
}

RgbBuffer ReadImage(std::span<const std::uint8_t> file, int type, const ImageReadOptions& options) {
  const char* step = "IS_ReadXXX";
  const ImageType& entry = ReadableType(file, type, kRead, step);
  if (options.metadata != nullptr) options.metadata->clear();
  try {
    return entry.codec->Decode(file, ToDecodeOptions(options));
  } catch (const CodecError& e) {
    Raise(kRead, step, e);
  }
}

RgbaImage ReadImageWithAlpha(std::span<const std::uint8_t> file, int type, const ImageReadOptions& options) {
  const char* step = "IS_ReadXXX";
  const ImageType& entry = ReadableType(file, type, kRead, step);
  if (options.metadata != nullptr) options.metadata->clear();
  RgbaImage image;
  DecodeOptions decode = ToDecodeOptions(options);
  decode.alpha = &image.alpha;
  try {
    image.rgb = entry.codec->Decode(file, decode);
  } catch (const CodecError& e) {
    Raise(kRead, step, e);
  }
  // A plane of the wrong size would let a blend read past its end; an opaque
  // one is dropped so that blending takes its quicker way.
  const bool fits = image.alpha.size() == image.rgb.size() / 3;
  if (!fits || std::all_of(image.alpha.begin(), image.alpha.end(), [](std::uint8_t a) { return a == 255; })) {
    image.alpha.clear();
  }
  return image;
}

EncodedImage EncodeImage(int type, const RgbBuffer& image, const ImageWriteOptions& options) {
  const ImageType* entry = FindImageType(type);
  if (entry == nullptr || !entry->can_write) {
    throw ImageError(kImageErrorBase + kCodecFailed, kWrite, "IS_WriteUnsupportedImageType",
                     "this image type cannot be written");
  }
  if (entry->codec == nullptr || !entry->codec->CanEncode()) {
    throw ImageError(kImageErrorBase + kCodecUnsupported, kWrite, std::string(entry->write_step),
                     "no writer for this image type");
  }
  EncodeOptions e;
  e.quality = options.quality;
  e.progressive = options.progressive;
  e.tiff_compression = options.tiff_compression;
  e.metadata = options.metadata;
  try {
    if (!entry->lossy) return {entry->codec->Encode(image, e), 100};
    if (options.max_bytes <= 0) return {entry->codec->Encode(image, e), std::clamp(options.quality, 1, 100)};
    QualitySearchResult found = QualitySearch(
        [&](int quality) {
          e.quality = quality;
          return entry->codec->Encode(image, e);
        },
        options.max_bytes, options.quality);
    return {std::move(found.file), found.quality};
  } catch (const CodecError& error) {
    Raise(kWrite, entry->write_step, error);
  }
}

ImageSize GetImageDims(const std::filesystem::path& path, int type, const ImageReadOptions& options) {
  const MappedFile file(path, kGetDims);
  return GetImageDims(file.bytes(), type, options);
}

RgbBuffer ReadImage(const std::filesystem::path& path, int type, const ImageReadOptions& options) {
  const MappedFile file(path, kRead);
  return ReadImage(file.bytes(), type, options);
}

RgbaImage ReadImageWithAlpha(const std::filesystem::path& path, int type, const ImageReadOptions& options) {
  const MappedFile file(path, kRead);
  return ReadImageWithAlpha(file.bytes(), type, options);
}

int WriteImage(const std::filesystem::path& path, int type, const RgbBuffer& image, const ImageWriteOptions& options) {
  EncodedImage encoded = EncodeImage(type, image, options);
  WriteFileAtomically(path, encoded.file, kWrite);
  return encoded.quality;
}

}  // namespace velmora::image
