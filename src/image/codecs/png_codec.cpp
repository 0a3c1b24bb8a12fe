// PNG over libpng: every colour type and depth in, 8-bit RGB out (and the
// opacity apart, when asked); text chunks carried through.
//
// libpng reports errors through a callback that must not return; ours keeps
// the message and longjmps to the entry point, warnings are dropped (a file
// we can still read fully is not worth a message).
#include "image/codecs/format_codec.h"

#include <png.h>

#include <cstring>

#include "image/codecs/alpha_flatten.h"
#include "image/codecs/image_metadata.h"

namespace velmora::image {
namespace {

struct Context {
  std::span<const std::uint8_t> file;
  std::size_t position = 0;
  std::vector<std::uint8_t>* output = nullptr;
  int code = kCodecBadFormat;
  std::string message;
};

Context& ContextOf(png_structp png) { return *static_cast<Context*>(png_get_error_ptr(png)); }

void OnError(png_structp png, png_const_charp message) {
  Context& ctx = ContextOf(png);
  if (ctx.message.empty()) ctx.message = message;
  png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

void ReadBytes(png_structp png, png_bytep data, png_size_t length) {
  Context& ctx = ContextOf(png);
  if (ctx.file.size() - ctx.position < length) {
    ctx.code = kCodecTruncated;
    png_error(png, "the file ends too early");
  }
  std::memcpy(data, ctx.file.data() + ctx.position, length);
  ctx.position += length;
}

void WriteBytes(png_structp png, png_bytep data, png_size_t length) {
  Context& ctx = ContextOf(png);
  ctx.output->insert(ctx.output->end(), data, data + length);
}

void Flush(png_structp) {}

struct Reader {
  Context ctx;
  png_structp png = nullptr;
  png_infop info = nullptr;
  explicit Reader(std::span<const std::uint8_t> file) {
    ctx.file = file;
    png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &ctx, OnError, OnWarning);
    if (png == nullptr) throw CodecError(kCodecFailed, "out of memory");
    info = png_create_info_struct(png);
    if (info == nullptr) {
      png_destroy_read_struct(&png, nullptr, nullptr);
      throw CodecError(kCodecFailed, "out of memory");
    }
    png_set_read_fn(png, &ctx, ReadBytes);
  }
  ~Reader() { png_destroy_read_struct(&png, &info, nullptr); }
  [[noreturn]] void Fail() const { throw CodecError(ctx.code, ctx.message); }
};

void CheckSignature(std::span<const std::uint8_t> file) {
  if (file.size() < 8) throw CodecError(kCodecTruncated, "the file ends too early");
  if (png_sig_cmp(file.data(), 0, 8) != 0) throw CodecError(kCodecBadFormat, "not a PNG file");
}

void CollectText(png_structp png, png_infop info, ImageMetadata& metadata) {
  metadata.png_text.clear();
  png_textp text = nullptr;
  int count = 0;
  png_get_text(png, info, &text, &count);
  for (int i = 0; i < count; ++i) {
    const std::size_t length = text[i].compression > 0 ? text[i].itxt_length : text[i].text_length;
    metadata.png_text.push_back({text[i].key, std::string(text[i].text, length)});
  }
}

// Rows arrive as RGB or RGBA, 8 or 16 bits per sample (see the transforms).
void ConvertRow(const png_byte* in, std::uint8_t* out, int width, bool alpha, bool deep) {
  if (!deep && !alpha) {
    std::memcpy(out, in, static_cast<std::size_t>(width) * 3);
    return;
  }
  const int channels = alpha ? 4 : 3;
  for (int x = 0; x < width; ++x, out += 3) {
    if (deep) {
      const png_byte* p = in + static_cast<std::size_t>(x) * channels * 2;
      auto sample = [&](int c) { return static_cast<unsigned>(p[c * 2] << 8 | p[c * 2 + 1]); };
      for (int c = 0; c < 3; ++c) out[c] = alpha ? FlattenOnWhite16(sample(c), sample(3)) : Scale16To8(sample(c));
    } else {
      const png_byte* p = in + static_cast<std::size_t>(x) * 4;
      for (int c = 0; c < 3; ++c) out[c] = FlattenOnWhite8(p[c], p[3]);
    }
  }
}

// The same rows for a caller that keeps the transparency: colours as stored,
// the opacity into `alpha_out` (one byte per pixel).
void ConvertRowKeepingAlpha(const png_byte* in, std::uint8_t* out, std::uint8_t* alpha_out, int width, bool deep) {
  for (int x = 0; x < width; ++x, out += 3) {
    if (deep) {
      const png_byte* p = in + static_cast<std::size_t>(x) * 8;
      for (int c = 0; c < 3; ++c) out[c] = Scale16To8(static_cast<unsigned>(p[c * 2] << 8 | p[c * 2 + 1]));
      alpha_out[x] = Scale16To8(static_cast<unsigned>(p[6] << 8 | p[7]));
    } else {
      const png_byte* p = in + static_cast<std::size_t>(x) * 4;
      out[0] = p[0], out[1] = p[1], out[2] = p[2];
      alpha_out[x] = p[3];
    }
  }
}

}  // namespace

template <>
ImageSize PngCodec::ReadSize(std::span<const std::uint8_t> file) const {
  CheckSignature(file);
  Reader r(file);
  if (setjmp(png_jmpbuf(r.png))) r.Fail();
  png_read_info(r.png, r.info);
  return {static_cast<int>(png_get_image_width(r.png, r.info)), static_cast<int>(png_get_image_height(r.png, r.info))};
}

template <>
RgbBuffer PngCodec::Decode(std::span<const std::uint8_t> file, const DecodeOptions& options) const {
  CheckSignature(file);
  Reader r(file);
  RgbBuffer out;
  std::vector<png_byte> rows;
  if (setjmp(png_jmpbuf(r.png))) r.Fail();
  png_structp png = r.png;
  png_infop info = r.info;
  png_read_info(png, info);
  const int width = static_cast<int>(png_get_image_width(png, info));
  const int height = static_cast<int>(png_get_image_height(png, info));
  CheckDecodeSize(width, height, options);

  const int colour_type = png_get_color_type(png, info);
  if (colour_type == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (colour_type == PNG_COLOR_TYPE_GRAY && png_get_bit_depth(png, info) < 8) png_set_expand_gray_1_2_4_to_8(png);
  if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
  if (!(colour_type & PNG_COLOR_MASK_COLOR)) png_set_gray_to_rgb(png);
  const int passes = png_set_interlace_handling(png);
  png_read_update_info(png, info);
  const bool alpha = png_get_channels(png, info) == 4;
  const bool deep = png_get_bit_depth(png, info) == 16;
  const std::size_t row_bytes = png_get_rowbytes(png, info);

  out = RgbBuffer::Uninitialized(width, height);
  std::vector<std::uint8_t>* alpha_out = alpha ? options.alpha : nullptr;
  if (options.alpha != nullptr) options.alpha->clear();
  if (alpha_out != nullptr) alpha_out->resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  const auto convert = [&](const png_byte* in, int y) {
    if (alpha_out != nullptr) {
      ConvertRowKeepingAlpha(in, out.row(y), alpha_out->data() + static_cast<std::size_t>(y) * width, width, deep);
    } else {
      ConvertRow(in, out.row(y), width, alpha, deep);
    }
  };
  // An interlaced file fills every row several times, so it needs all rows
  // at once; a plain one streams through a single row.
  rows.resize(row_bytes * (passes > 1 ? static_cast<std::size_t>(height) : 1));
  if (passes > 1) {
    for (int pass = 0; pass < passes; ++pass) {
      for (int y = 0; y < height; ++y) png_read_row(png, rows.data() + row_bytes * y, nullptr);
    }
    for (int y = 0; y < height; ++y) convert(rows.data() + row_bytes * y, y);
  } else {
    for (int y = 0; y < height; ++y) {
      png_read_row(png, rows.data(), nullptr);
      convert(rows.data(), y);
    }
  }
  png_read_end(png, info);
  if (options.metadata != nullptr) CollectText(png, info, *options.metadata);
  return out;
}

template <>
std::vector<std::uint8_t> PngCodec::Encode(const RgbBuffer& image, const EncodeOptions& options) const {
  if (image.empty()) throw CodecError(kCodecFailed, "empty image");
  std::vector<std::uint8_t> output;
  output.reserve(image.size() / 2);
  struct Writer {
    Context ctx;
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~Writer() { png_destroy_write_struct(&png, &info); }
  } w;
  w.ctx.output = &output;
  w.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &w.ctx, OnError, OnWarning);
  if (w.png == nullptr || (w.info = png_create_info_struct(w.png)) == nullptr) {
    throw CodecError(kCodecFailed, "out of memory");
  }
  std::vector<png_text> text;
  if (setjmp(png_jmpbuf(w.png))) throw CodecError(kCodecFailed, w.ctx.message);
  png_set_write_fn(w.png, &w.ctx, WriteBytes, Flush);
  png_set_IHDR(w.png, w.info, static_cast<png_uint_32>(image.width()), static_cast<png_uint_32>(image.height()), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (options.metadata != nullptr && !options.metadata->png_text.empty()) {
    for (const PngText& t : options.metadata->png_text) {
      png_text entry{};
      // Long texts (XMP packets, descriptions) are worth compressing.
      entry.compression = t.text.size() > 1024 ? PNG_TEXT_COMPRESSION_zTXt : PNG_TEXT_COMPRESSION_NONE;
      entry.key = const_cast<char*>(t.key.c_str());
      entry.text = const_cast<char*>(t.text.c_str());
      entry.text_length = t.text.size();
      text.push_back(entry);
    }
    png_set_text(w.png, w.info, text.data(), static_cast<int>(text.size()));
  }
  png_write_info(w.png, w.info);
  for (int y = 0; y < image.height(); ++y) png_write_row(w.png, image.row(y));
  png_write_end(w.png, w.info);
  return output;
}

}  // namespace velmora::image
