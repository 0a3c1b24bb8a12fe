// ZSoft PCX: 1-bit to 8-bit palette images in one or more planes and 24-bit
// images in three planes; written as run-length coded 24-bit files.
#include "image/codecs/format_codec.h"

#include <algorithm>
#include <array>

#include "image/codecs/byte_reader.h"

namespace velmora::image {
namespace {

constexpr std::size_t kHeaderSize = 128;
constexpr std::uint8_t kManufacturer = 0x0A;
constexpr std::uint8_t kPaletteMarker = 0x0C;
constexpr std::size_t kPaletteSize = 768;

struct PcxHeader {
  int encoding = 0;
  int bits = 0;  // per pixel and plane
  std::int64_t width = 0;
  std::int64_t height = 0;
  int planes = 0;
  std::size_t bytes_per_line = 0;  // per plane
  std::array<Rgb, 16> ega{};
};

PcxHeader ReadHeader(std::span<const std::uint8_t> file) {
  ByteReader in(file);
  PcxHeader h;
  if (file.size() < kHeaderSize) in.Seek(kHeaderSize);  // reports the truncation
  if (in.U8() != kManufacturer) throw CodecError(kCodecBadFormat, "not a PCX file (no ZSoft signature)");
  in.Skip(1);  // version
  h.encoding = in.U8();
  h.bits = in.U8();
  const int xmin = in.U16Le(), ymin = in.U16Le(), xmax = in.U16Le(), ymax = in.U16Le();
  in.Skip(4);  // resolution
  for (Rgb& c : h.ega) {
    const auto p = in.Bytes(3);
    c = {p[0], p[1], p[2]};
  }
  in.Skip(1);
  h.planes = in.U8();
  h.bytes_per_line = in.U16Le();
  h.width = static_cast<std::int64_t>(xmax) - xmin + 1;
  h.height = static_cast<std::int64_t>(ymax) - ymin + 1;
  const bool known = (h.bits == 1 && h.planes >= 1 && h.planes <= 4) || (h.bits == 2 && h.planes == 1) ||
                     (h.bits == 4 && h.planes == 1) || (h.bits == 8 && (h.planes == 1 || h.planes == 3 || h.planes == 4));
  if (h.encoding > 1 || !known) {
    throw CodecError(kCodecUnsupported, "PCX files with " + std::to_string(h.planes) + " planes of " +
                                            std::to_string(h.bits) + " bits are not supported");
  }
  if (h.width > 0 && h.bytes_per_line * 8 < static_cast<std::uint64_t>(h.width) * h.bits) {
    throw CodecError(kCodecBadFormat, "PCX line length is too short for the image width");
  }
  return h;
}

// The palette for images of up to 8 bits. 256-colour images keep theirs at
// the end of the file; the rest use the 16 entries in the header.
std::array<Rgb, 256> PaletteOf(const PcxHeader& h, std::span<const std::uint8_t> file) {
  std::array<Rgb, 256> palette{};
  if (h.bits == 8 && h.planes == 1) {
    if (file.size() >= kHeaderSize + kPaletteSize + 1 && file[file.size() - kPaletteSize - 1] == kPaletteMarker) {
      const std::uint8_t* p = file.data() + file.size() - kPaletteSize;
      for (int i = 0; i < 256; ++i) palette[i] = {p[3 * i], p[3 * i + 1], p[3 * i + 2]};
    } else {  // no palette stored: grey levels
      for (int i = 0; i < 256; ++i) palette[i] = {std::uint8_t(i), std::uint8_t(i), std::uint8_t(i)};
    }
  } else if (h.bits * h.planes == 1) {
    // Monochrome pictures are black and white whatever the header palette
    // holds: many writers leave it empty or fill it with the EGA colours.
    palette[1] = {255, 255, 255};
  } else {
    std::copy(h.ega.begin(), h.ega.end(), palette.begin());
  }
  return palette;
}

// Decodes one scan line of all planes; runs may carry over into the next line.
class LineDecoder {
 public:
  LineDecoder(std::span<const std::uint8_t> data, bool rle) : in_(data), rle_(rle) {}

  void Next(std::span<std::uint8_t> line) {
    std::size_t filled = 0;
    while (filled < line.size()) {
      if (pending_ == 0) {
        const std::uint8_t b = in_.U8();
        if (rle_ && b >= 0xC0) {
          pending_ = b & 0x3F;
          value_ = in_.U8();
        } else {
          pending_ = 1;
          value_ = b;
        }
        continue;
      }
      const std::size_t take = std::min(pending_, line.size() - filled);
      std::fill_n(line.begin() + filled, take, value_);
      filled += take;
      pending_ -= take;
    }
  }

 private:
  ByteReader in_;
  bool rle_;
  std::size_t pending_ = 0;
  std::uint8_t value_ = 0;
};

void PutPixelRow(const PcxHeader& h, const std::array<Rgb, 256>& palette, const std::uint8_t* line, std::uint8_t* dst) {
  const auto width = static_cast<std::size_t>(h.width);
  const std::size_t bpl = h.bytes_per_line;
  if (h.bits == 8 && h.planes >= 3) {
    for (std::size_t x = 0; x < width; ++x, dst += 3) dst[0] = line[x], dst[1] = line[bpl + x], dst[2] = line[2 * bpl + x];
    return;
  }
  const int per_byte = 8 / h.bits;
  const int mask = (1 << h.bits) - 1;
  for (std::size_t x = 0; x < width; ++x, dst += 3) {
    const int shift = 8 - h.bits * (1 + static_cast<int>(x % per_byte));
    int index = 0;
    for (int plane = 0; plane < h.planes; ++plane) index |= ((line[plane * bpl + x / per_byte] >> shift) & mask) << plane;
    const Rgb c = palette[index];
    dst[0] = c.r, dst[1] = c.g, dst[2] = c.b;
  }
}

}  // namespace

template <>
ImageSize PcxCodec::ReadSize(std::span<const std::uint8_t> file) const {
  const PcxHeader h = ReadHeader(file);
  CheckDecodeSize(h.width, h.height, DecodeOptions{.max_pixels = INT64_MAX});
  return {static_cast<int>(h.width), static_cast<int>(h.height)};
}

template <>
RgbBuffer PcxCodec::Decode(std::span<const std::uint8_t> file, const DecodeOptions& options) const {
  const PcxHeader h = ReadHeader(file);
  CheckDecodeSize(h.width, h.height, options);
  // A run codes at most 63 bytes in two, so shorter data cannot fill the
  // picture; refusing it here spares allocating one for a tiny hostile file.
  const std::uint64_t line_bytes = static_cast<std::uint64_t>(h.bytes_per_line) * h.planes;
  const std::uint64_t coded = line_bytes * static_cast<std::uint64_t>(h.height);
  const std::uint64_t least = h.encoding == 1 ? (coded + 62) / 63 * 2 : coded;
  if (file.size() - kHeaderSize < least) throw CodecError(kCodecTruncated, "PCX file ends inside its image data");
  const auto palette = PaletteOf(h, file);
  LineDecoder decoder(file.subspan(kHeaderSize), h.encoding == 1);
  std::vector<std::uint8_t> line(h.bytes_per_line * h.planes);
  RgbBuffer image = RgbBuffer::Uninitialized(static_cast<int>(h.width), static_cast<int>(h.height));
  for (int y = 0; y < image.height(); ++y) {
    decoder.Next(line);
    PutPixelRow(h, palette, line.data(), image.row(y));
  }
  return image;
}

template <>
std::vector<std::uint8_t> PcxCodec::Encode(const RgbBuffer& image, const EncodeOptions&) const {
  if (image.empty() || image.width() > 0xFFFF || image.height() > 0xFFFF) {
    throw CodecError(kCodecFailed, "PCX files hold at most 65535 x 65535 pixels");
  }
  const std::size_t bpl = (static_cast<std::size_t>(image.width()) + 1) & ~std::size_t{1};  // even, as readers expect
  ByteWriter out;
  out.U8(kManufacturer);
  out.U8(5);  // version 3.0 with 24-bit support
  out.U8(1);  // run-length coded
  out.U8(8);
  out.U16Le(0);
  out.U16Le(0);
  out.U16Le(image.width() - 1);
  out.U16Le(image.height() - 1);
  out.U16Le(72);
  out.U16Le(72);
  out.Zeros(48 + 1);
  out.U8(3);
  out.U16Le(static_cast<std::uint32_t>(bpl));
  out.U16Le(1);  // colour
  out.Zeros(kHeaderSize - out.size());

  std::vector<std::uint8_t> plane(bpl, 0);
  std::vector<std::uint8_t>& bytes = out.bytes();
  for (int y = 0; y < image.height(); ++y) {
    for (int c = 0; c < 3; ++c) {
      const std::uint8_t* src = image.row(y) + c;
      for (int x = 0; x < image.width(); ++x, src += 3) plane[x] = *src;
      // Runs stop at the end of each plane's line so that every reader copes.
      for (std::size_t x = 0; x < bpl;) {
        std::size_t run = 1;
        while (x + run < bpl && run < 63 && plane[x + run] == plane[x]) ++run;
        if (run > 1 || plane[x] >= 0xC0) bytes.push_back(static_cast<std::uint8_t>(0xC0 | run));
        bytes.push_back(plane[x]);
        x += run;
      }
    }
  }
  return out.Take();
}

}  // namespace velmora::image
