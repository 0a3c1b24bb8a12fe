// TIFF over libtiff: every photometric, depth and compression libtiff knows in, 8-bit RGB with a chosen compression out.
//
// libtiff works on a client "file" here: the whole file in memory for
// reading, a growing byte vector for writing. Its errors and warnings go to
// per-file handlers that keep the first error text for the CodecError.
#include "image/codecs/format_codec.h"

#include <tiffio.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>

#include "image/codecs/alpha_flatten.h"

namespace velmora::image {
namespace {

struct MemoryFile {
  std::span<const std::uint8_t> in;
  std::vector<std::uint8_t>* out = nullptr;
  std::uint64_t position = 0;
  std::string error;
};

MemoryFile& FileOf(thandle_t h) { return *static_cast<MemoryFile*>(h); }

tmsize_t ReadProc(thandle_t h, void* buffer, tmsize_t size) {
  MemoryFile& f = FileOf(h);
  if (f.out != nullptr || f.position >= f.in.size()) return 0;
  const auto n = static_cast<tmsize_t>(std::min<std::uint64_t>(static_cast<std::uint64_t>(size), f.in.size() - f.position));
  std::memcpy(buffer, f.in.data() + f.position, static_cast<std::size_t>(n));
  f.position += static_cast<std::uint64_t>(n);
  return n;
}

tmsize_t WriteProc(thandle_t h, void* buffer, tmsize_t size) {
  MemoryFile& f = FileOf(h);
  if (f.out == nullptr) return 0;
  const std::uint64_t end = f.position + static_cast<std::uint64_t>(size);
  if (end > f.out->size()) f.out->resize(end);
  std::memcpy(f.out->data() + f.position, buffer, static_cast<std::size_t>(size));
  f.position = end;
  return size;
}

toff_t SizeProc(thandle_t h) {
  MemoryFile& f = FileOf(h);
  return f.out != nullptr ? f.out->size() : f.in.size();
}

toff_t SeekProc(thandle_t h, toff_t offset, int whence) {
  MemoryFile& f = FileOf(h);
  const std::uint64_t base = whence == SEEK_CUR ? f.position : whence == SEEK_END ? SizeProc(h) : 0;
  f.position = base + offset;
  return f.position;
}

int CloseProc(thandle_t) { return 0; }

int MapProc(thandle_t h, void** base, toff_t* size) {
  MemoryFile& f = FileOf(h);
  if (f.out != nullptr) return 0;
  *base = const_cast<std::uint8_t*>(f.in.data());
  *size = f.in.size();
  return 1;
}

void UnmapProc(thandle_t, void*, toff_t) {}

int OnError(TIFF*, void* user, const char* module, const char* format, va_list args) {
  auto& f = *static_cast<MemoryFile*>(user);
  if (f.error.empty()) {
    char text[512];
    std::vsnprintf(text, sizeof text, format, args);
    f.error = std::string(module != nullptr ? module : "TIFF") + ": " + text;
  }
  return 1;
}

int OnWarning(TIFF*, void*, const char*, const char*, va_list) { return 1; }

struct TiffCloser {
  void operator()(TIFF* tif) const { TIFFClose(tif); }
};
using TiffHandle = std::unique_ptr<TIFF, TiffCloser>;

TiffHandle Open(MemoryFile& file, const char* mode) {
  TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
  TIFFOpenOptionsSetErrorHandlerExtR(options, OnError, &file);
  TIFFOpenOptionsSetWarningHandlerExtR(options, OnWarning, &file);
  TIFF* tif = TIFFClientOpenExt("memory", mode, &file, ReadProc, WriteProc, SeekProc, CloseProc, SizeProc, MapProc,
                                UnmapProc, options);
  TIFFOpenOptionsFree(options);
  if (tif == nullptr) {
    const bool short_file = file.in.size() < 8;
    throw CodecError(short_file ? kCodecTruncated : kCodecBadFormat,
                     file.error.empty() ? "not a TIFF file" : file.error);
  }
  return TiffHandle(tif);
}

ImageSize SizeOf(TIFF* tif) {
  std::uint32_t width = 0, height = 0;
  TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &width);
  TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &height);
  return {static_cast<int>(std::min<std::uint32_t>(width, 0x7FFFFFFF)),
          static_cast<int>(std::min<std::uint32_t>(height, 0x7FFFFFFF))};
}

// TIFF compression codes as the TIFF standard numbers them; 0 means none.
int CompressionTag(int code) {
  switch (code) {
    case 0:
    case COMPRESSION_NONE:
      return COMPRESSION_NONE;
    case COMPRESSION_LZW:
    case COMPRESSION_JPEG:
    case COMPRESSION_ADOBE_DEFLATE:
    case COMPRESSION_DEFLATE:
    case COMPRESSION_PACKBITS:
      return code;
    default:
      throw CodecError(kCodecUnsupported, "unknown TIFF compression code " + std::to_string(code));
  }
}

// libtiff hands out colours multiplied by their alpha; a caller that keeps
// the transparency wants them back as they were drawn.
void KeepAlpha(const std::vector<std::uint32_t>& raster, RgbBuffer& out, std::vector<std::uint8_t>& alpha) {
  alpha.resize(raster.size());
  std::uint8_t* dst = out.data();
  for (std::size_t i = 0; i < raster.size(); ++i, dst += 3) {
    const std::uint32_t pixel = raster[i];
    const unsigned a = TIFFGetA(pixel);
    alpha[i] = static_cast<std::uint8_t>(a);
    const unsigned channels[3] = {TIFFGetR(pixel), TIFFGetG(pixel), TIFFGetB(pixel)};
    for (int c = 0; c < 3; ++c) {
      dst[c] = a == 0 ? 255 : static_cast<std::uint8_t>(std::min(255u, (channels[c] * 255u + a / 2) / a));
    }
  }
}

}  // namespace

template <>
ImageSize TiffCodec::ReadSize(std::span<const std::uint8_t> file) const {
  MemoryFile f;
  f.in = file;
  TiffHandle tif = Open(f, "rm");
  const ImageSize size = SizeOf(tif.get());
  if (size.width <= 0 || size.height <= 0) throw CodecError(kCodecBadFormat, "TIFF file without an image size");
  return size;
}

template <>
RgbBuffer TiffCodec::Decode(std::span<const std::uint8_t> file, const DecodeOptions& options) const {
  MemoryFile f;
  f.in = file;
  TiffHandle tif = Open(f, "r");
  const ImageSize size = SizeOf(tif.get());
  CheckDecodeSize(size.width, size.height, options);
  char message[1024] = {};
  if (!TIFFRGBAImageOK(tif.get(), message)) throw CodecError(kCodecUnsupported, message);

  // libtiff's RGBA reader knows every layout; its raster is one 32-bit word
  // per pixel, alpha premultiplied. Asked for the file's own orientation it
  // flips nothing, so the pixels come as stored, as every reader gives them:
  // asked for another, it would apply only the mirror half of tags 5 to 8.
  std::uint16_t orientation = ORIENTATION_TOPLEFT;
  TIFFGetFieldDefaulted(tif.get(), TIFFTAG_ORIENTATION, &orientation);
  std::vector<std::uint32_t> raster(static_cast<std::size_t>(size.width) * static_cast<std::size_t>(size.height));
  if (!TIFFReadRGBAImageOriented(tif.get(), static_cast<std::uint32_t>(size.width),
                                 static_cast<std::uint32_t>(size.height), raster.data(), orientation, 0)) {
    throw CodecError(kCodecBadFormat, f.error.empty() ? "unreadable TIFF image data" : f.error);
  }
  RgbBuffer out = RgbBuffer::Uninitialized(size.width, size.height);
  if (options.alpha != nullptr) {
    options.alpha->clear();
    if (std::any_of(raster.begin(), raster.end(), [](std::uint32_t pixel) { return TIFFGetA(pixel) != 255; })) {
      KeepAlpha(raster, out, *options.alpha);
      return out;
    }
  }
  std::uint8_t* dst = out.data();
  for (const std::uint32_t pixel : raster) {
    const unsigned missing = 255u - TIFFGetA(pixel);
    dst[0] = static_cast<std::uint8_t>(std::min(255u, TIFFGetR(pixel) + missing));
    dst[1] = static_cast<std::uint8_t>(std::min(255u, TIFFGetG(pixel) + missing));
    dst[2] = static_cast<std::uint8_t>(std::min(255u, TIFFGetB(pixel) + missing));
    dst += 3;
  }
  return out;
}

template <>
std::vector<std::uint8_t> TiffCodec::Encode(const RgbBuffer& image, const EncodeOptions& options) const {
  if (image.empty()) throw CodecError(kCodecFailed, "empty image");
  const int compression = CompressionTag(options.tiff_compression);
  std::vector<std::uint8_t> output;
  output.reserve(image.size() / 2);
  MemoryFile f;
  f.out = &output;
  {
    TiffHandle tif = Open(f, "w");
    TIFF* t = tif.get();
    TIFFSetField(t, TIFFTAG_IMAGEWIDTH, static_cast<std::uint32_t>(image.width()));
    TIFFSetField(t, TIFFTAG_IMAGELENGTH, static_cast<std::uint32_t>(image.height()));
    TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(t, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(t, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
    TIFFSetField(t, TIFFTAG_COMPRESSION, compression);
    if (compression == COMPRESSION_JPEG) {
      TIFFSetField(t, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_YCBCR);
      TIFFSetField(t, TIFFTAG_JPEGQUALITY, std::clamp(options.quality, 1, 100));
      TIFFSetField(t, TIFFTAG_JPEGCOLORMODE, JPEGCOLORMODE_RGB);
    } else {
      TIFFSetField(t, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
      // Differences of neighbours compress photos far better.
      if (compression != COMPRESSION_NONE && compression != COMPRESSION_PACKBITS) {
        TIFFSetField(t, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL);
      }
    }
    const std::uint32_t rows = TIFFDefaultStripSize(t, compression == COMPRESSION_JPEG ? 16 : 0);
    TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, compression == COMPRESSION_JPEG ? (rows + 15) / 16 * 16 : rows);
    // libtiff may change a row in place (predictor), so it gets a copy.
    std::vector<std::uint8_t> row(image.stride());
    for (int y = 0; y < image.height(); ++y) {
      std::memcpy(row.data(), image.row(y), row.size());
      if (TIFFWriteScanline(t, row.data(), static_cast<std::uint32_t>(y), 0) < 0) {
        throw CodecError(kCodecFailed, f.error.empty() ? "TIFF write failed" : f.error);
      }
    }
    if (!TIFFWriteDirectory(t)) throw CodecError(kCodecFailed, f.error.empty() ? "TIFF write failed" : f.error);
  }
  if (!f.error.empty()) throw CodecError(kCodecFailed, f.error);
  return output;
}

}  // namespace velmora::image
