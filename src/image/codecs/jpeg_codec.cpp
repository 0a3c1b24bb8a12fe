// JPEG over libjpeg-turbo: scaled DCT decoding for clones much smaller than
// the photo, markers (EXIF, IPTC, ICC, comments) carried through.
//
// libjpeg reports errors by calling a function that must not return; its
// default calls exit(). Ours records the message and longjmps back to the
// entry point, which turns it into a CodecError once libjpeg is cleaned up.
#include "image/codecs/jpeg_codec.h"
#include "image/codecs/format_codec.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>
#include <jerror.h>

#include "image/codecs/image_metadata.h"

namespace velmora::image {
namespace {

struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  int code = kCodecBadFormat;
  char message[JMSG_LENGTH_MAX] = {};
  // Set once the header is read: from then on the bytes belong to the picture.
  bool in_image_data = false;
};

[[noreturn]] void Stop(j_common_ptr cinfo, int code) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  err->code = code;
  (*cinfo->err->format_message)(cinfo, err->message);
  std::longjmp(err->jump, 1);
}

void OnError(j_common_ptr cinfo) { Stop(cinfo, kCodecBadFormat); }

// The warnings that mean pixels are missing or wrong. libjpeg carries on
// after them with grey or garbled blocks and calls the result a success; a
// half-grey clone that replaces nothing is worse than an error that names
// the file. Bytes left over after a scan mean its data was not what the
// decoder read (even before the end marker: a decode thrown off course by
// damage often ends early); stray bytes between header segments harm no
// pixel and stay a warning.
bool DamagesPixels(const jpeg_error_mgr& err, bool in_image_data) {
  switch (err.msg_code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_ARITH_BAD_CODE:
    case JWRN_MUST_RESYNC:
    case JWRN_NOT_SEQUENTIAL:
    case JWRN_BOGUS_PROGRESSION:
      return true;
    case JWRN_EXTRANEOUS_DATA:
      return in_image_data;
    default:
      return false;
  }
}

void OnMessage(j_common_ptr cinfo, int level) {
  const auto* err = reinterpret_cast<const ErrorManager*>(cinfo->err);
  if (level >= 0 || !DamagesPixels(err->pub, err->in_image_data)) return;
  const bool ends_early = err->pub.msg_code == JWRN_JPEG_EOF || err->pub.msg_code == JWRN_HIT_MARKER;
  Stop(cinfo, ends_early ? kCodecTruncated : kCodecBadFormat);
}

jpeg_error_mgr* Install(ErrorManager& err) {
  jpeg_std_error(&err.pub);
  err.pub.error_exit = OnError;
  err.pub.emit_message = OnMessage;
  return &err.pub;
}

struct Decompressor {
  jpeg_decompress_struct cinfo{};
  ErrorManager err;
  Decompressor() { cinfo.err = Install(err); }
  ~Decompressor() { jpeg_destroy_decompress(&cinfo); }
  [[noreturn]] void Fail() const { throw CodecError(err.code, err.message); }
};

void StartReading(jpeg_decompress_struct& cinfo, std::span<const std::uint8_t> file, bool keep_markers) {
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, file.data(), static_cast<unsigned long>(file.size()));
  if (keep_markers) {
    jpeg_save_markers(&cinfo, JPEG_COM, 0xFFFF);
    for (int i = 0; i < 16; ++i) jpeg_save_markers(&cinfo, JPEG_APP0 + i, 0xFFFF);
  }
  jpeg_read_header(&cinfo, TRUE);
}

void CollectMarkers(const jpeg_decompress_struct& cinfo, ImageMetadata& metadata) {
  metadata.jpeg_markers.clear();
  for (jpeg_saved_marker_ptr m = cinfo.marker_list; m != nullptr; m = m->next) {
    metadata.jpeg_markers.push_back({m->marker, {m->data, m->data + m->data_length}});
  }
}

// A tiny file may claim a huge picture, and libjpeg allocates for the claim
// before it reads any data: a progressive file gets zero-filled coefficients
// for the whole picture (128 bytes per 8 x 8 block and component), a gigabyte
// for a 291-byte file that claims 14000 x 14000 pixels, and the decoded
// picture takes three bytes per pixel on top. The file's size bounds what it
// can truly hold: a Huffman code is at least one bit long, and every 8 x 8
// block of every component has its DC value coded, so a file of n bytes
// holds at most 8n blocks of any one component; every Huffman-coded picture
// passes, a flat grey one included. Arithmetic coding can code a flat block
// in far less than a bit (a white 16-megapixel picture fits in 126 bytes), so
// up to 2^18 blocks of the largest component (16 megapixels, at most about
// 180 MB for four components and the pixels) the size is not asked; beyond
// that a picture whose file holds less than a bit per block is refused before
// anything is allocated. A decode thus takes at most that, or a few kilobytes
// per byte of file, besides the pixel limit; missing data within the bound is
// found by the warnings above.
void CheckDataCanHoldPicture(const jpeg_decompress_struct& cinfo, std::size_t file_size) {
  constexpr std::uint64_t kBlocksWithoutProof = std::uint64_t{1} << 18;
  std::uint64_t blocks = 0;
  for (int c = 0; c < cinfo.num_components; ++c) {
    const jpeg_component_info& component = cinfo.comp_info[c];
    blocks = std::max<std::uint64_t>(blocks, std::uint64_t{component.width_in_blocks} * component.height_in_blocks);
  }
  if (blocks > kBlocksWithoutProof && blocks > std::uint64_t{file_size} * 8) {
    throw CodecError(kCodecTruncated, "a file of " + std::to_string(file_size) + " bytes cannot hold a picture of " +
                                          std::to_string(cinfo.image_width) + " x " +
                                          std::to_string(cinfo.image_height) + " pixels");
  }
}

// Photoshop writes CMYK JPEGs with inverted samples (marked by its Adobe
// segment); others store them plainly.
void CmykRowToRgb(const JSAMPLE* cmyk, std::uint8_t* rgb, int width, bool inverted) {
  for (int x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
    const unsigned k = inverted ? cmyk[3] : 255u - cmyk[3];
    for (int c = 0; c < 3; ++c) {
      const unsigned v = inverted ? cmyk[c] : 255u - cmyk[c];
      rgb[c] = static_cast<std::uint8_t>((v * k + 127u) / 255u);
    }
  }
}

// A carried JFIF or Adobe segment would contradict the one libjpeg writes
// for the new file.
bool IsRewrittenByEncoder(const JpegMarker& m) {
  auto starts = [&](const char* tag) {
    const std::size_t n = std::strlen(tag);
    return m.data.size() >= n && std::memcmp(m.data.data(), tag, n) == 0;
  };
  return (m.marker == JPEG_APP0 && starts("JFIF")) || (m.marker == JPEG_APP0 + 14 && starts("Adobe"));
}

bool IsIccChunk(const JpegMarker& m) {
  return m.marker == JPEG_APP0 + 2 && m.data.size() >= 14 && std::memcmp(m.data.data(), "ICC_PROFILE", 12) == 0;
}

// Our files are always RGB: a carried CMYK or grey profile would make
// viewers show wrong colours, so only an RGB profile is kept.
bool CarriesRgbProfile(const ImageMetadata& metadata) {
  for (const JpegMarker& m : metadata.jpeg_markers) {
    // The profile's colour space sits 16 bytes into it, after the 14-byte chunk header.
    if (IsIccChunk(m) && m.data[12] == 1) return m.data.size() >= 34 && std::memcmp(&m.data[30], "RGB ", 4) == 0;
  }
  return false;
}

}  // namespace

int JpegScaleNumerator(int width, int height, int min_width, int min_height) {
  if (min_width <= 0 && min_height <= 0) return 8;
  for (int num = 1; num < 8; ++num) {
    // libjpeg rounds scaled sizes up.
    const long w = (static_cast<long>(width) * num + 7) / 8;
    const long h = (static_cast<long>(height) * num + 7) / 8;
    if (w >= min_width && h >= min_height) return num;
  }
  return 8;
}

void ReadJpegMarkers(std::span<const std::uint8_t> file, ImageMetadata& metadata) {
  Decompressor d;
  if (setjmp(d.err.jump)) d.Fail();
  StartReading(d.cinfo, file, true);
  CollectMarkers(d.cinfo, metadata);
}

void CheckJpegDecodeLimits(std::span<const std::uint8_t> file, std::int64_t max_pixels) {
  Decompressor d;
  if (setjmp(d.err.jump)) d.Fail();
  StartReading(d.cinfo, file, false);
  DecodeOptions limits;
  limits.max_pixels = max_pixels;
  CheckDecodeSize(d.cinfo.image_width, d.cinfo.image_height, limits);
  CheckDataCanHoldPicture(d.cinfo, file.size());
}

template <>
ImageSize JpegCodec::ReadSize(std::span<const std::uint8_t> file) const {
  Decompressor d;
  if (setjmp(d.err.jump)) d.Fail();
  StartReading(d.cinfo, file, false);
  return {static_cast<int>(d.cinfo.image_width), static_cast<int>(d.cinfo.image_height)};
}

template <>
RgbBuffer JpegCodec::Decode(std::span<const std::uint8_t> file, const DecodeOptions& options) const {
  Decompressor d;
  RgbBuffer out;
  std::vector<JSAMPLE> cmyk_row;
  if (setjmp(d.err.jump)) d.Fail();
  jpeg_decompress_struct& cinfo = d.cinfo;
  StartReading(cinfo, file, options.metadata != nullptr);
  d.err.in_image_data = true;
  CheckDecodeSize(cinfo.image_width, cinfo.image_height, options);
  CheckDataCanHoldPicture(cinfo, file.size());
  if (options.metadata != nullptr) CollectMarkers(cinfo, *options.metadata);

  cinfo.scale_num = JpegScaleNumerator(cinfo.image_width, cinfo.image_height, options.min_width, options.min_height);
  cinfo.scale_denom = 8;
  const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
  cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
  cinfo.dct_method = JDCT_ISLOW;
  // Merged upsampling converts colour and doubles the chroma in one pass;
  // the smoother "fancy" chroma gains nothing when the image is shrunk after.
  cinfo.do_fancy_upsampling = cinfo.scale_num < 8 ? FALSE : TRUE;
  jpeg_start_decompress(&cinfo);

  out = RgbBuffer::Uninitialized(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height));
  if (cmyk) cmyk_row.resize(static_cast<std::size_t>(cinfo.output_width) * 4);
  while (cinfo.output_scanline < cinfo.output_height) {
    const int y = static_cast<int>(cinfo.output_scanline);
    if (cmyk) {
      JSAMPROW row = cmyk_row.data();
      jpeg_read_scanlines(&cinfo, &row, 1);
      CmykRowToRgb(row, out.row(y), out.width(), cinfo.saw_Adobe_marker);
    } else {
      JSAMPROW row = out.row(y);
      jpeg_read_scanlines(&cinfo, &row, 1);
    }
  }
  jpeg_finish_decompress(&cinfo);
  return out;
}

template <>
std::vector<std::uint8_t> JpegCodec::Encode(const RgbBuffer& image, const EncodeOptions& options) const {
  if (image.empty()) throw CodecError(kCodecFailed, "empty image");
  struct Compressor {
    jpeg_compress_struct cinfo{};
    ErrorManager err;
    unsigned char* memory = nullptr;
    unsigned long size = 0;
    ~Compressor() {
      jpeg_destroy_compress(&cinfo);
      std::free(memory);
    }
  } c;
  c.cinfo.err = Install(c.err);
  if (setjmp(c.err.jump)) throw CodecError(kCodecFailed, c.err.message);
  jpeg_compress_struct& cinfo = c.cinfo;
  jpeg_create_compress(&cinfo);
  jpeg_mem_dest(&cinfo, &c.memory, &c.size);
  cinfo.image_width = static_cast<JDIMENSION>(image.width());
  cinfo.image_height = static_cast<JDIMENSION>(image.height());
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, std::clamp(options.quality, 1, 100), TRUE);
  if (options.progressive) jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  if (options.metadata != nullptr) {
    const bool keep_profile = CarriesRgbProfile(*options.metadata);
    for (const JpegMarker& m : options.metadata->jpeg_markers) {
      if (IsRewrittenByEncoder(m) || m.data.size() > 65533 || (IsIccChunk(m) && !keep_profile)) continue;
      jpeg_write_marker(&cinfo, m.marker, m.data.data(), static_cast<unsigned>(m.data.size()));
    }
  }
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(image.row(static_cast<int>(cinfo.next_scanline)));
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  return {c.memory, c.memory + c.size};
}

}  // namespace velmora::image
