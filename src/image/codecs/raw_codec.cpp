// Camera RAW over LibRaw, read only: developed with the camera's white balance into sRGB.
//
// LibRaw develops camera RAW files with fixed options: the camera's white
// balance, sRGB, 8 bits. Its messages go to our handlers, not to stderr.
#include "image/codecs/format_codec.h"
#include "image/codecs/camera_orientation.h"

#include <libraw/libraw.h>

#include <cstring>
#include <memory>

namespace velmora::image {
namespace {

void IgnoreDataError(void*, const char*, const int) {}
void IgnoreMemoryError(void*, const char*, const char*) {}

int CodeOf(int libraw_error) {
  switch (libraw_error) {
    case LIBRAW_FILE_UNSUPPORTED:
      return kCodecBadFormat;
    case LIBRAW_UNSUFFICIENT_MEMORY:
      return kCodecFailed;
    case LIBRAW_IO_ERROR:
    case LIBRAW_DATA_ERROR:
      return kCodecTruncated;
    default:
      return kCodecBadFormat;
  }
}

void Check(int rc) {
  if (rc != LIBRAW_SUCCESS) throw CodecError(CodeOf(rc), libraw_strerror(rc));
}

std::unique_ptr<LibRaw> Open(std::span<const std::uint8_t> file, bool half_size) {
  auto raw = std::make_unique<LibRaw>(LIBRAW_OPTIONS_NONE);
  raw->set_dataerror_handler(IgnoreDataError, nullptr);
  raw->set_memerror_handler(IgnoreMemoryError, nullptr);
  libraw_output_params_t& p = raw->imgdata.params;
  p.use_camera_wb = 1;
  p.output_color = 1;
  p.output_bps = 8;
  p.half_size = half_size ? 1 : 0;
  // The camera's orientation is metadata: the pixels come as the sensor
  // stored them, as from every other reader.
  p.user_flip = 0;
  Check(raw->open_buffer(const_cast<std::uint8_t*>(file.data()), file.size()));
  return raw;
}

ImageSize StoredSize(const LibRaw& raw) {
  const libraw_image_sizes_t& s = raw.imgdata.sizes;
  return {s.width, s.height};
}

// LibRaw keeps the camera's turn in the code of the dcraw tradition: bit 4
// swaps the axes, then bit 2 mirrors top-down and bit 1 left-right.
int ExifOrientationOfFlip(int flip) {
  constexpr int kExif[8] = {1, 2, 4, 3, 5, 8, 6, 7};
  return flip >= 0 && flip < 8 ? kExif[flip] : 1;
}

}  // namespace

int CameraRawOrientation(std::span<const std::uint8_t> file) {
  try {
    auto raw = std::make_unique<LibRaw>(LIBRAW_OPTIONS_NONE);
    raw->set_dataerror_handler(IgnoreDataError, nullptr);
    raw->set_memerror_handler(IgnoreMemoryError, nullptr);
    if (raw->open_buffer(const_cast<std::uint8_t*>(file.data()), file.size()) != LIBRAW_SUCCESS) return 1;
    return ExifOrientationOfFlip(raw->imgdata.sizes.flip);
  } catch (...) {
    // LibRaw signals a lack of memory with an exception; no turn is known then.
    return 1;
  }
}

template <>
ImageSize RawCodec::ReadSize(std::span<const std::uint8_t> file) const {
  const ImageSize size = StoredSize(*Open(file, false));
  if (size.width <= 0 || size.height <= 0) throw CodecError(kCodecBadFormat, "RAW file without an image size");
  return size;
}

template <>
RgbBuffer RawCodec::Decode(std::span<const std::uint8_t> file, const DecodeOptions& options) const {
  std::unique_ptr<LibRaw> raw = Open(file, false);
  const ImageSize full = StoredSize(*raw);
  CheckDecodeSize(full.width, full.height, options);
  // Half size skips demosaicing and is four times faster: fine whenever the
  // result is shrunk anyway.
  if ((options.min_width > 0 || options.min_height > 0) && full.width / 2 >= options.min_width &&
      full.height / 2 >= options.min_height) {
    raw = Open(file, true);
  }
  Check(raw->unpack());
  Check(raw->dcraw_process());
  int rc = LIBRAW_SUCCESS;
  std::unique_ptr<libraw_processed_image_t, void (*)(libraw_processed_image_t*)> image(
      raw->dcraw_make_mem_image(&rc), LibRaw::dcraw_clear_mem);
  if (!image) Check(rc == LIBRAW_SUCCESS ? LIBRAW_UNSPECIFIED_ERROR : rc);
  if (image->type != LIBRAW_IMAGE_BITMAP || image->bits != 8 || (image->colors != 3 && image->colors != 1)) {
    throw CodecError(kCodecUnsupported, "unexpected RAW output layout");
  }
  RgbBuffer out = RgbBuffer::Uninitialized(image->width, image->height);
  const std::uint8_t* src = image->data;
  std::uint8_t* dst = out.data();
  const std::size_t pixels = static_cast<std::size_t>(image->width) * image->height;
  if (image->colors == 3) {
    std::memcpy(dst, src, pixels * 3);
  } else {
    for (std::size_t i = 0; i < pixels; ++i) dst[i * 3] = dst[i * 3 + 1] = dst[i * 3 + 2] = src[i];
  }
  return out;
}

template <>
std::vector<std::uint8_t> RawCodec::Encode(const RgbBuffer&, const EncodeOptions&) const {
  throw CodecError(kCodecFailed, "camera RAW files cannot be written");
}

}  // namespace velmora::image
