// GIF over giflib: the first frame in (transparent pixels on white, or
// apart as opacity when asked), and out a non-interlaced 8-bit file
// quantised to 256 colours.
//
// giflib reads and writes through callbacks over memory; quantisation to
// 256 colours is libimagequant's (dithered, so photos keep their gradients).
#include "image/codecs/format_codec.h"

#include <gif_lib.h>
#include <libimagequant.h>

#include <cstring>
#include <memory>

#include "image/codecs/alpha_flatten.h"

namespace velmora::image {
namespace {

struct Input {
  std::span<const std::uint8_t> file;
  std::size_t position = 0;
};

int ReadProc(GifFileType* gif, GifByteType* buffer, int length) {
  auto& in = *static_cast<Input*>(gif->UserData);
  const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(length), in.file.size() - in.position);
  std::memcpy(buffer, in.file.data() + in.position, n);
  in.position += n;
  return static_cast<int>(n);
}

int WriteProc(GifFileType* gif, const GifByteType* buffer, int length) {
  auto& out = *static_cast<std::vector<std::uint8_t>*>(gif->UserData);
  out.insert(out.end(), buffer, buffer + length);
  return length;
}

int CodeOf(int gif_error) {
  switch (gif_error) {
    case D_GIF_ERR_READ_FAILED:
    case D_GIF_ERR_EOF_TOO_SOON:
      return kCodecTruncated;
    case D_GIF_ERR_NOT_ENOUGH_MEM:
    case E_GIF_ERR_NOT_ENOUGH_MEM:
      return kCodecFailed;
    default:
      return kCodecBadFormat;
  }
}

[[noreturn]] void Fail(int gif_error) {
  const char* text = GifErrorString(gif_error);
  throw CodecError(CodeOf(gif_error), text != nullptr ? text : "GIF error");
}

struct GifReader {
  Input input;
  GifFileType* gif = nullptr;
  explicit GifReader(std::span<const std::uint8_t> file) : input{file} {
    if (file.size() < 6 || (std::memcmp(file.data(), "GIF87a", 6) != 0 && std::memcmp(file.data(), "GIF89a", 6) != 0)) {
      throw CodecError(file.size() < 6 ? kCodecTruncated : kCodecBadFormat, "not a GIF file");
    }
    int error = 0;
    gif = DGifOpen(&input, ReadProc, &error);
    if (gif == nullptr) Fail(error);
  }
  ~GifReader() {
    int error = 0;
    DGifCloseFile(gif, &error);
  }
};

}  // namespace

template <>
ImageSize GifCodec::ReadSize(std::span<const std::uint8_t> file) const {
  GifReader r(file);
  return {r.gif->SWidth, r.gif->SHeight};
}

template <>
RgbBuffer GifCodec::Decode(std::span<const std::uint8_t> file, const DecodeOptions& options) const {
  GifReader r(file);
  GifFileType* gif = r.gif;
  CheckDecodeSize(gif->SWidth, gif->SHeight, options);
  if (DGifSlurp(gif) != GIF_OK) {
    // A file that ends after its first frame still shows that frame.
    if (gif->ImageCount < 1 || gif->Error != D_GIF_ERR_EOF_TOO_SOON) Fail(gif->Error);
  }
  if (gif->ImageCount < 1) throw CodecError(kCodecBadFormat, "GIF file without an image");
  const SavedImage& frame = gif->SavedImages[0];
  const ColorMapObject* map = frame.ImageDesc.ColorMap != nullptr ? frame.ImageDesc.ColorMap : gif->SColorMap;
  if (map == nullptr) throw CodecError(kCodecBadFormat, "GIF file without a colour table");
  GraphicsControlBlock control{};
  control.TransparentColor = NO_TRANSPARENT_COLOR;
  DGifSavedExtensionToGCB(gif, 0, &control);

  // Every palette index maps to a colour, even beyond the table's end, so a
  // corrupt index cannot read outside it.
  std::uint8_t palette[256][3];
  for (int i = 0; i < 256; ++i) {
    const bool transparent = i == control.TransparentColor;
    const GifColorType c = i < map->ColorCount ? map->Colors[i] : GifColorType{0, 0, 0};
    palette[i][0] = transparent ? 255 : c.Red;
    palette[i][1] = transparent ? 255 : c.Green;
    palette[i][2] = transparent ? 255 : c.Blue;
  }
  // The canvas outside the first frame is left white, like its transparent
  // parts. A caller that keeps the transparency learns which pixels those
  // are; their colour stays white.
  RgbBuffer out(gif->SWidth, gif->SHeight);
  std::memset(out.data(), 255, out.size());
  std::vector<std::uint8_t>* alpha = options.alpha;
  if (alpha != nullptr) {
    alpha->clear();
    if (control.TransparentColor != NO_TRANSPARENT_COLOR) alpha->assign(out.size() / 3, 0);
    else alpha = nullptr;
  }
  const GifImageDesc& d = frame.ImageDesc;
  for (int y = std::max(0, d.Top); y < std::min(out.height(), d.Top + d.Height); ++y) {
    const GifByteType* src = frame.RasterBits + static_cast<std::size_t>(y - d.Top) * d.Width;
    for (int x = std::max(0, d.Left); x < std::min(out.width(), d.Left + d.Width); ++x) {
      const GifByteType index = src[x - d.Left];
      std::memcpy(out.pixel(x, y), palette[index], 3);
      if (alpha != nullptr && index != control.TransparentColor) {
        (*alpha)[static_cast<std::size_t>(y) * out.width() + x] = 255;
      }
    }
  }
  return out;
}

template <>
std::vector<std::uint8_t> GifCodec::Encode(const RgbBuffer& image, const EncodeOptions&) const {
  if (image.empty()) throw CodecError(kCodecFailed, "empty image");
  if (image.width() > 65535 || image.height() > 65535) throw CodecError(kCodecUnsupported, "too large for GIF");
  auto rows = [](liq_color row_out[], int row, int width, void* user) {
    const auto* src = static_cast<const RgbBuffer*>(user)->row(row);
    for (int x = 0; x < width; ++x) row_out[x] = {src[x * 3], src[x * 3 + 1], src[x * 3 + 2], 255};
  };
  std::unique_ptr<liq_attr, void (*)(liq_attr*)> attr(liq_attr_create(), liq_attr_destroy);
  if (!attr) throw CodecError(kCodecFailed, "out of memory");
  liq_set_max_colors(attr.get(), 256);
  std::unique_ptr<liq_image, void (*)(liq_image*)> liq(
      liq_image_create_custom(attr.get(), rows, const_cast<RgbBuffer*>(&image), image.width(), image.height(), 0),
      liq_image_destroy);
  liq_result* raw_result = nullptr;
  if (!liq || liq_image_quantize(liq.get(), attr.get(), &raw_result) != LIQ_OK) {
    throw CodecError(kCodecFailed, "colour quantisation failed");
  }
  std::unique_ptr<liq_result, void (*)(liq_result*)> result(raw_result, liq_result_destroy);
  liq_set_dithering_level(result.get(), 1.0f);
  std::vector<std::uint8_t> indices(static_cast<std::size_t>(image.width()) * image.height());
  if (liq_write_remapped_image(result.get(), liq.get(), indices.data(), indices.size()) != LIQ_OK) {
    throw CodecError(kCodecFailed, "colour quantisation failed");
  }
  const liq_palette* palette = liq_get_palette(result.get());
  GifColorType colours[256] = {};
  for (unsigned i = 0; i < palette->count && i < 256; ++i) {
    colours[i] = {palette->entries[i].r, palette->entries[i].g, palette->entries[i].b};
  }

  std::vector<std::uint8_t> output;
  int error = 0;
  GifFileType* gif = EGifOpen(&output, WriteProc, &error);
  if (gif == nullptr) Fail(error);
  ColorMapObject* map = GifMakeMapObject(256, colours);
  const bool ok = map != nullptr && EGifPutScreenDesc(gif, image.width(), image.height(), 8, 0, map) == GIF_OK &&
                  EGifPutImageDesc(gif, 0, 0, image.width(), image.height(), false, nullptr) == GIF_OK;
  bool lines_ok = ok;
  for (int y = 0; lines_ok && y < image.height(); ++y) {
    lines_ok = EGifPutLine(gif, indices.data() + static_cast<std::size_t>(y) * image.width(), image.width()) == GIF_OK;
  }
  const int write_error = gif->Error;
  GifFreeMapObject(map);
  int close_error = 0;
  const bool closed = EGifCloseFile(gif, &close_error) == GIF_OK;
  if (!lines_ok) Fail(write_error);
  if (!closed) Fail(close_error);
  return output;
}

}  // namespace velmora::image
