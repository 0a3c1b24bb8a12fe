#include "image/lossless_jpeg_turn.h"

#include <turbojpeg.h>

#include <memory>

#include "image/clone_exif.h"
#include "image/codecs/jpeg_codec.h"

namespace velmora::image {
namespace {

struct HandleCloser {
  void operator()(void* handle) const { tjDestroy(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

struct Header {
  int width = 0;
  int height = 0;
  int subsampling = -1;
};

std::optional<Header> ReadHeader(tjhandle handle, std::span<const std::uint8_t> jpeg) {
  Header h;
  int colour_space = 0;
  if (tjDecompressHeader3(handle, jpeg.data(), static_cast<unsigned long>(jpeg.size()), &h.width, &h.height,
                          &h.subsampling, &colour_space) != 0 ||
      h.width <= 0 || h.height <= 0 || h.subsampling < 0 || h.subsampling >= TJ_NUMSAMP) {
    return std::nullopt;
  }
  return h;
}

// The EXIF orientation's lossless operation.
int OperationFor(int orientation) {
  switch (orientation) {
    case 2: return TJXOP_HFLIP;
    case 3: return TJXOP_ROT180;
    case 4: return TJXOP_VFLIP;
    case 5: return TJXOP_TRANSPOSE;
    case 6: return TJXOP_ROT90;
    case 7: return TJXOP_TRANSVERSE;
    case 8: return TJXOP_ROT270;
    default: return TJXOP_NONE;
  }
}

// Whole blocks only, on the sides whose edge blocks would have to move.
std::optional<ImageSize> TrimmedSize(const Header& h, int orientation) {
  // 4:1:1 blocks turned on their side have a sampling TurboJPEG cannot write.
  if (h.subsampling == TJSAMP_411 && orientation >= 5) return std::nullopt;
  const int block_w = tjMCUWidth[h.subsampling];
  const int block_h = tjMCUHeight[h.subsampling];
  const int whole_w = h.width / block_w * block_w;
  const int whole_h = h.height / block_h * block_h;
  ImageSize size;
  switch (orientation) {
    case 2: size = {whole_w, h.height}; break;
    case 3: size = {whole_w, whole_h}; break;
    case 4: size = {h.width, whole_h}; break;
    case 5: size = {h.height, h.width}; break;
    case 6: size = {whole_h, h.width}; break;
    case 7: size = {whole_h, whole_w}; break;
    case 8: size = {h.height, whole_w}; break;
    default: return std::nullopt;
  }
  if (size.width <= 0 || size.height <= 0) return std::nullopt;
  return size;
}

}  // namespace

std::optional<ImageSize> LosslessTurnSize(std::span<const std::uint8_t> jpeg, int orientation) {
  const Handle handle(tjInitTransform());
  if (!handle) return std::nullopt;
  const std::optional<Header> header = ReadHeader(handle.get(), jpeg);
  if (!header) return std::nullopt;
  return TrimmedSize(*header, orientation);
}

std::optional<TurnedJpeg> TurnJpegLosslessly(std::span<const std::uint8_t> jpeg, int orientation, bool keep_markers,
                                             std::int64_t max_pixels) {
  try {
    // libjpeg holds every coefficient of the picture for a transform: a file
    // that claims more than it can hold is refused first, as for a decode.
    CheckJpegDecodeLimits(jpeg, max_pixels);
  } catch (const CodecError&) {
    return std::nullopt;
  }
  const Handle handle(tjInitTransform());
  if (!handle) return std::nullopt;
  const std::optional<Header> header = ReadHeader(handle.get(), jpeg);
  if (!header) return std::nullopt;
  const std::optional<ImageSize> expected = TrimmedSize(*header, orientation);
  if (!expected) return std::nullopt;

  tjtransform transform{};
  transform.op = OperationFor(orientation);
  transform.options = TJXOPT_TRIM | (keep_markers ? 0 : TJXOPT_COPYNONE);
  unsigned char* output = nullptr;
  unsigned long output_size = 0;
  // Any warning means damaged data: a clone with grey blocks is worse than
  // the decoder's error that names the file.
  const int status = tjTransform(handle.get(), jpeg.data(), static_cast<unsigned long>(jpeg.size()), 1, &output,
                                 &output_size, &transform, TJFLAG_STOPONWARNING | TJFLAG_LIMITSCANS);
  const std::unique_ptr<unsigned char, void (*)(unsigned char*)> owned(output, tjFree);
  if (status != 0 || output == nullptr || output_size == 0) return std::nullopt;

  TurnedJpeg turned;
  turned.file.assign(output, output + output_size);
  const std::optional<Header> result = ReadHeader(handle.get(), turned.file);
  if (!result) return std::nullopt;
  turned.size = {result->width, result->height};
  if (keep_markers) CorrectCloneExif(turned.file, turned.size, true);
  return turned;
}

}  // namespace velmora::image
