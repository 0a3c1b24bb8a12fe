// One image file format behind one small interface. Codecs work on the whole
// file in memory: reading a photo into memory once is cheap next to decoding
// it, makes every format fuzzable the same way, and lets a writer produce the
// complete file before anything touches the disk.
#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "image/rgb_buffer.h"

namespace velmora::image {

// JPEG markers and PNG text carried from a read to a later write
// (image_metadata.h); codecs without metadata ignore it.
struct ImageMetadata;

struct ImageSize {
  int width = 0;
  int height = 0;
};

// A codec failure. `code` is the codec's own error code (1 for a failure of
// the program itself); the image layer reports it as 1000 + code together
// with the name of the failing operation.
class CodecError : public std::runtime_error {
 public:
  CodecError(int code, const std::string& what) : std::runtime_error(what), code_(code) {}
  int code() const { return code_; }

 private:
  int code_;
};

// Error codes shared by all codecs.
enum CodecErrorCode : int {
  kCodecFailed = 1,         // the program's own failure
  kCodecTruncated = 2,      // the file ends too early
  kCodecBadFormat = 3,      // not a file of this format, or a corrupt one
  kCodecUnsupported = 4,    // a valid file with a feature this codec does not read
  kCodecTooLarge = 5,       // more pixels than the configured limit allows
  kCodecNoPicture = 6,      // a valid metafile that draws vectors only, no bitmap
};

struct DecodeOptions {
  // Files with more pixels are refused before any large allocation.
  std::int64_t max_pixels = 200'000'000;
  // Photo CD: which of the base resolutions to read (0 = Base/16 .. 2 = Base).
  int pcd_resolution = 2;
  // When set, a codec that can decode at a reduced scale (JPEG's scaled DCT)
  // may return any size whose sides are both at least these values.
  int min_width = 0;
  int min_height = 0;
  // When set, a JPEG or PNG decoder stores the file's markers or text here.
  ImageMetadata* metadata = nullptr;
  // When set, a decoder that reads transparency (PNG, GIF, TGA, TIFF) stores
  // each pixel's opacity here, width x height bytes from 0 (transparent) to
  // 255, rows top to bottom, and leaves the colours as the file holds them
  // instead of laying them over white. It stays empty for a picture without
  // transparency and for the other formats.
  std::vector<std::uint8_t>* alpha = nullptr;
};

struct EncodeOptions {
  int quality = 75;          // JPEG, WebP, AVIF 1..100
  bool progressive = false;  // JPEG
  int tiff_compression = 1;  // TIFF compression code (1 = none)
  // When set, a JPEG or PNG encoder writes these markers or text chunks; a
  // WebP or AVIF encoder the EXIF, XMP and ICC profile among the markers.
  const ImageMetadata* metadata = nullptr;
};

class ImageCodec {
 public:
  virtual ~ImageCodec() = default;

  // The image size from the header; throws CodecError.
  virtual ImageSize ReadSize(std::span<const std::uint8_t> file) const = 0;
  // Decodes to 24-bit RGB; throws CodecError.
  virtual RgbBuffer Decode(std::span<const std::uint8_t> file, const DecodeOptions& options) const = 0;
  virtual bool CanEncode() const = 0;
  // The complete file; throws CodecError (also when !CanEncode()).
  virtual std::vector<std::uint8_t> Encode(const RgbBuffer& image, const EncodeOptions& options) const = 0;
};

// Throws kCodecTooLarge when width x height exceeds the limit, and
// kCodecBadFormat for sizes that are not positive. Every decoder calls this
// right after reading the header, before allocating pixels.
inline void CheckDecodeSize(std::int64_t width, std::int64_t height, const DecodeOptions& options) {
  if (width <= 0 || height <= 0 || width > 1'000'000 || height > 1'000'000) {
    throw CodecError(kCodecBadFormat, "invalid image size " + std::to_string(width) + " x " + std::to_string(height));
  }
  if (width * height > options.max_pixels) {
    throw CodecError(kCodecTooLarge, "image of " + std::to_string(width) + " x " + std::to_string(height) +
                                         " pixels exceeds the limit of " + std::to_string(options.max_pixels) +
                                         " pixels");
  }
}

}  // namespace velmora::image
