// Adobe Photoshop documents (PSD and the large PSB form): the flattened
// composite that Photoshop stores after the layers, raw or PackBits coded, in
// bitmap, grey, indexed, RGB, CMYK, duotone or multichannel mode at 1, 8, 16
// or 32 bits. Layers are skipped. Written as 8-bit RGB with PackBits rows.
#include "image/codecs/format_codec.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>

#include "image/codecs/alpha_flatten.h"
#include "image/codecs/byte_reader.h"
#include "image/codecs/packbits.h"

namespace velmora::image {
namespace {

constexpr std::uint32_t kSignature = 0x38425053;  // "8BPS"
constexpr std::uint32_t kMaxPsdSide = 30000;
enum Mode { kBitmap = 0, kGrey = 1, kIndexed = 2, kRgb = 3, kCmyk = 4, kMultichannel = 7, kDuotone = 8 };
enum Compression { kRaw = 0, kPackBits = 1 };

struct PsdHeader {
  int version = 0;
  int channels = 0;
  std::int64_t width = 0;
  std::int64_t height = 0;
  int depth = 0;
  int mode = 0;
};

PsdHeader ReadHeader(ByteReader& in) {
  if (in.U32Be() != kSignature) throw CodecError(kCodecBadFormat, "not a PSD file (no \"8BPS\" signature)");
  PsdHeader h;
  h.version = in.U16Be();
  in.Skip(6);
  h.channels = in.U16Be();
  h.height = in.U32Be();
  h.width = in.U32Be();
  h.depth = in.U16Be();
  h.mode = in.U16Be();
  if (h.version != 1 && h.version != 2) throw CodecError(kCodecBadFormat, "unknown PSD version " + std::to_string(h.version));
  if (h.channels < 1 || h.channels > 56) throw CodecError(kCodecBadFormat, "PSD file with " + std::to_string(h.channels) + " channels");
  const bool depth_fits = h.mode == kBitmap ? h.depth == 1 : (h.depth == 8 || h.depth == 16 || h.depth == 32);
  const int needed = h.mode == kRgb ? 3 : h.mode == kCmyk ? 4 : 1;
  const bool mode_known = h.mode <= kCmyk || h.mode == kMultichannel || h.mode == kDuotone;
  if (!depth_fits || !mode_known || h.channels < needed) {
    throw CodecError(kCodecUnsupported, "PSD colour mode " + std::to_string(h.mode) + " with " +
                                            std::to_string(h.channels) + " channels of " + std::to_string(h.depth) +
                                            " bits is not supported");
  }
  return h;
}

// Turns one stored row of a channel into 8-bit samples.
void ToEightBit(std::span<const std::uint8_t> row, int depth, std::uint8_t* dst, std::size_t width) {
  switch (depth) {
    case 1:  // a set bit is black
      for (std::size_t x = 0; x < width; ++x) dst[x] = (row[x / 8] >> (7 - x % 8)) & 1 ? 0 : 255;
      break;
    case 8:
      std::copy_n(row.begin(), width, dst);
      break;
    case 16:
      for (std::size_t x = 0; x < width; ++x) dst[x] = static_cast<std::uint8_t>(((row[2 * x] << 8 | row[2 * x + 1]) + 128) / 257);
      break;
    default:
      for (std::size_t x = 0; x < width; ++x) {
        const std::uint32_t bits = std::uint32_t{row[4 * x]} << 24 | row[4 * x + 1] << 16 | row[4 * x + 2] << 8 | row[4 * x + 3];
        const float v = std::bit_cast<float>(bits);
        dst[x] = static_cast<std::uint8_t>(std::isnan(v) ? 0 : std::clamp(v, 0.0f, 1.0f) * 255.0f + 0.5f);
      }
  }
}

// The layer and mask section matters here only for the sign of its layer
// count: Photoshop makes it negative when the first channel after the colour
// channels is the transparency of the merged picture. Without that sign,
// further channels are saved selections or spot colours, never shown.
bool MergedPictureIsTransparent(ByteReader& in, const PsdHeader& h) {
  const int length_bytes = h.version == 2 ? 8 : 4;
  ByteReader section(in.Bytes(length_bytes == 8 ? in.U64Be() : in.U32Be()));
  if (section.remaining() < static_cast<std::size_t>(length_bytes) + 2) return false;
  const std::uint64_t layer_info = length_bytes == 8 ? section.U64Be() : section.U32Be();
  return layer_info >= 2 && static_cast<std::int16_t>(section.U16Be()) < 0;
}

// Photoshop stores the merged picture already laid over white where it is
// partly transparent, so none of its colours lies below the white that the
// transparency lets through (255 - alpha). Other writers store the plain
// colours, which may lie anywhere; a file with one colour below that floor is
// theirs, and only then is its picture laid over white here.
void LayOverWhite(RgbBuffer& image, std::span<const std::uint8_t> alpha) {
  const std::uint8_t* p = image.data();
  bool matted = true;
  for (std::size_t i = 0; i < alpha.size() && matted; ++i, p += 3) {
    // One step of rounding allowed.
    matted = std::min({p[0], p[1], p[2]}) + alpha[i] >= 254;
  }
  if (matted) return;
  std::uint8_t* q = image.data();
  for (std::size_t i = 0; i < alpha.size(); ++i, q += 3) {
    for (int c = 0; c < 3; ++c) q[c] = FlattenOnWhite8(q[c], alpha[i]);
  }
}

// Reads channel planes one after the other, each row handed over as 8-bit samples.
class PlaneReader {
 public:
  // `planes` is how many channel planes will be read.
  PlaneReader(ByteReader& in, const PsdHeader& h, int planes) : in_(in), h_(h) {
    row_bytes_ = h.depth == 1 ? (h.width + 7) / 8 : h.width * (h.depth / 8);
    compression_ = in.U16Be();
    if (compression_ != kRaw && compression_ != kPackBits) {
      throw CodecError(kCodecUnsupported, "PSD compression " + std::to_string(compression_) + " is not supported");
    }
    // Raw planes must all be there before a picture is allocated for them.
    if (compression_ == kRaw && in.remaining() / row_bytes_ / h.height < static_cast<std::uint64_t>(planes)) {
      throw CodecError(kCodecTruncated, "PSD file ends inside its image data");
    }
    if (compression_ == kPackBits) {
      const int count_bytes = h.version == 2 ? 4 : 2;
      counts_ = in.Bytes(static_cast<std::uint64_t>(h.channels) * h.height * count_bytes);
      count_bytes_ = count_bytes;
      // A PackBits run codes at most 128 bytes in two.
      if (in.remaining() / ((row_bytes_ + 127) / 128 * 2) / h.height < static_cast<std::uint64_t>(planes)) {
        throw CodecError(kCodecTruncated, "PSD file ends inside its image data");
      }
    }
    row_.resize(static_cast<std::size_t>(row_bytes_));
  }

  // The next row into dst[0], dst[step], ... .
  void NextRow(std::uint8_t* dst, int step) {
    std::span<const std::uint8_t> stored;
    if (compression_ == kRaw) {
      stored = in_.Bytes(row_bytes_);
    } else {
      ByteReader counts(counts_, row_index_ * count_bytes_);
      const std::uint64_t packed = count_bytes_ == 4 ? counts.U32Be() : counts.U16Be();
      ByteReader row_in(in_.Bytes(packed));
      UnpackBits(row_in, row_);
      stored = row_;
    }
    ++row_index_;
    const auto width = static_cast<std::size_t>(h_.width);
    if (step == 1) {
      ToEightBit(stored, h_.depth, dst, width);
      return;
    }
    samples_.resize(width);
    ToEightBit(stored, h_.depth, samples_.data(), width);
    for (std::size_t x = 0; x < width; ++x) dst[x * step] = samples_[x];
  }

 private:
  ByteReader& in_;
  const PsdHeader& h_;
  std::uint64_t row_bytes_ = 0;
  int compression_ = 0;
  std::span<const std::uint8_t> counts_;
  int count_bytes_ = 2;
  std::size_t row_index_ = 0;
  std::vector<std::uint8_t> row_;
  std::vector<std::uint8_t> samples_;
};

}  // namespace

template <>
ImageSize PsdCodec::ReadSize(std::span<const std::uint8_t> file) const {
  ByteReader in(file);
  const PsdHeader h = ReadHeader(in);
  CheckDecodeSize(h.width, h.height, DecodeOptions{.max_pixels = INT64_MAX});
  return {static_cast<int>(h.width), static_cast<int>(h.height)};
}

template <>
RgbBuffer PsdCodec::Decode(std::span<const std::uint8_t> file, const DecodeOptions& options) const {
  ByteReader in(file);
  const PsdHeader h = ReadHeader(in);
  CheckDecodeSize(h.width, h.height, options);
  const auto colour_data = in.Bytes(in.U32Be());
  in.Skip(in.U32Be());                                   // image resources
  const int colour_planes = h.mode == kRgb || h.mode == kCmyk ? 3 : 1;
  const int ink_planes = h.mode == kCmyk ? 4 : colour_planes;
  // Multichannel documents have inks only; bitmap ones a single plane.
  const bool transparent = MergedPictureIsTransparent(in, h) && h.channels > ink_planes &&
                           h.mode != kMultichannel && h.mode != kBitmap;
  PlaneReader planes(in, h, ink_planes + (transparent ? 1 : 0));

  const int width = static_cast<int>(h.width), height = static_cast<int>(h.height);
  RgbBuffer image = RgbBuffer::Uninitialized(width, height);
  for (int c = 0; c < colour_planes; ++c) {
    for (int y = 0; y < height; ++y) planes.NextRow(image.row(y) + c, 3);
  }

  if (h.mode == kCmyk) {
    // Photoshop stores CMYK inverted: 255 is no ink.
    std::vector<std::uint8_t> black(width);
    for (int y = 0; y < height; ++y) {
      planes.NextRow(black.data(), 1);
      std::uint8_t* p = image.row(y);
      for (int x = 0; x < width; ++x, p += 3) {
        for (int c = 0; c < 3; ++c) p[c] = static_cast<std::uint8_t>((p[c] * black[x] + 127) / 255);
      }
    }
  } else if (colour_planes == 1) {
    std::array<Rgb, 256> palette;
    for (int i = 0; i < 256; ++i) palette[i] = {std::uint8_t(i), std::uint8_t(i), std::uint8_t(i)};
    if (h.mode == kIndexed) {
      palette = {};
      for (std::size_t i = 0; i < 256 && 512 + i < colour_data.size(); ++i) {
        palette[i] = {colour_data[i], colour_data[256 + i], colour_data[512 + i]};
      }
    }
    for (std::uint8_t* p = image.data(); p != image.data() + image.size(); p += 3) {
      const Rgb c = palette[p[0]];
      p[0] = c.r, p[1] = c.g, p[2] = c.b;
    }
  }
  if (transparent) {
    std::vector<std::uint8_t> alpha(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) planes.NextRow(alpha.data() + static_cast<std::size_t>(y) * width, 1);
    LayOverWhite(image, alpha);
  }
  return image;
}

template <>
std::vector<std::uint8_t> PsdCodec::Encode(const RgbBuffer& image, const EncodeOptions&) const {
  if (image.empty() || static_cast<std::uint32_t>(image.width()) > kMaxPsdSide ||
      static_cast<std::uint32_t>(image.height()) > kMaxPsdSide) {
    throw CodecError(kCodecFailed, "PSD files hold at most 30000 x 30000 pixels");
  }
  const int width = image.width(), height = image.height();
  ByteWriter out;
  out.U32Be(kSignature);
  out.U16Be(1);
  out.Zeros(6);
  out.U16Be(3);
  out.U32Be(height);
  out.U32Be(width);
  out.U16Be(8);
  out.U16Be(kRgb);
  out.U32Be(0);  // colour mode data
  out.U32Be(0);  // image resources
  out.U32Be(0);  // layers and masks
  out.U16Be(kPackBits);

  std::vector<std::uint8_t> packed;
  packed.reserve(image.size() + image.size() / 64);
  std::vector<std::uint8_t> counts;
  counts.reserve(static_cast<std::size_t>(height) * 6);
  std::vector<std::uint8_t> plane_row(width);
  for (int c = 0; c < 3; ++c) {
    for (int y = 0; y < height; ++y) {
      const std::uint8_t* src = image.row(y) + c;
      for (int x = 0; x < width; ++x, src += 3) plane_row[x] = *src;
      const std::size_t before = packed.size();
      PackBits(plane_row, packed);
      const std::size_t length = packed.size() - before;  // at most width + width / 128 + 1, below 65536
      counts.push_back(static_cast<std::uint8_t>(length >> 8));
      counts.push_back(static_cast<std::uint8_t>(length));
    }
  }
  out.Append(counts);
  out.Append(packed);
  return out.Take();
}

}  // namespace velmora::image
