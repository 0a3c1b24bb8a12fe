// What the image and metadata built-ins reach through the host: the current
// image's metadata and pixels, the metadata definitions and the run's
// directories and images. The generation run provides it while scripts run
// for an image (templates, `_clone`, stamp texts, the image filter); without
// a host, or without a current image, these built-ins report their error
// codes and return @ERROR.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace velmora::image {
class RgbBuffer;
}
namespace velmora::metadata {
struct PhotoMetadata;
class MetadataDefinition;
}  // namespace velmora::metadata

namespace velmora::script {

// One directory of the run as `dirinfo` shows it.
struct HostDirectoryInfo {
  std::int32_t image_count = 0;
  std::string name;  // Windows-1252
};

// The items `imageinfo` may ask for.
enum class ImageInfoItem {
  kRef, kDocRef, kSize, kDimX, kDimY, kDate, kFileName, kFileType,
  kThumbRef, kThumbName, kThumbType, kThumbDimX, kThumbDimY,
};

// One `imageinfo` answer: a number, a text (Windows-1252) or a date (days
// since 30.12.1899, as script dates count).
struct ImageInfoValue {
  enum class Kind { kInteger, kString, kDate } kind = Kind::kString;
  std::int64_t integer = 0;
  double date = 0;
  std::string text;
};

class ImageHost {
 public:
  virtual ~ImageHost() = default;

  // The current image's metadata, read on first use; nullptr without a
  // current image.
  virtual const metadata::PhotoMetadata* CurrentMetadata() = 0;
  // The pixels the drawing built-ins change (the clone while `_clone`
  // runs); nullptr when there are none to change.
  virtual image::RgbBuffer* CurrentPixels() = 0;
  // The names and labels of tags and datasets, loaded on first use (empty
  // tables when there are none).
  virtual const metadata::MetadataDefinition& Definitions() = 0;

  // Directories count from 1 in run order.
  virtual std::int32_t DirectoryCount() const = 0;
  virtual std::optional<HostDirectoryInfo> Directory(std::int32_t number) const = 0;
  // An image by directory (1-based) and image number within it (1-based);
  // directory 0: the image number counts through all directories in run
  // order. Links are relative to the page being written. None when there
  // is no such image.
  virtual std::optional<ImageInfoValue> ImageInfo(std::int32_t directory, std::int32_t image,
                                                  ImageInfoItem item) const = 0;
};

}  // namespace velmora::script
