// Kodak Photo CD image packs at the three base resolutions (Base/16 192x128,
// Base/4 384x256, Base 768x512), whose luma and half-size chroma planes lie
// uncompressed at fixed places; the higher resolutions are Huffman-coded
// residuals and are not read. Reading only.
#include "image/codecs/format_codec.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "image/codecs/byte_reader.h"

namespace velmora::image {
namespace {

constexpr std::size_t kSignatureOffset = 0x800;
constexpr std::string_view kSignature = "PCD_IPI";
constexpr std::size_t kOrientationOffset = 0xE02;

struct Resolution {
  std::size_t offset;
  int width;
  int height;
};
constexpr std::array<Resolution, 3> kResolutions = {{{0x2000, 192, 128}, {0xB800, 384, 256}, {0x30000, 768, 512}}};

// The rotation code in the pack header: 0 upright, then the quarter turns
// clockwise the scanner applied, which the reader undoes.
int Orientation(std::span<const std::uint8_t> file) {
  ByteReader in(file, kSignatureOffset);
  const auto signature = in.Bytes(kSignature.size());
  if (!std::equal(signature.begin(), signature.end(), kSignature.begin())) {
    throw CodecError(kCodecBadFormat, "not a Photo CD image pack (no \"PCD_IPI\" signature)");
  }
  in.Seek(kOrientationOffset);
  return in.U8() & 3;
}

// PhotoYCC to RGB, with the luma range of the Photo CD encoding mapped onto
// 0..255 so that stored white comes out white.
struct YccTables {
  std::array<std::int32_t, 256> red_c2, green_c1, green_c2, blue_c1;
  YccTables() {
    constexpr double kScale = 65536.0;
    for (int i = 0; i < 256; ++i) {
      red_c2[i] = static_cast<std::int32_t>(std::lround(1.340762 * (i - 137) * kScale));
      green_c1[i] = static_cast<std::int32_t>(std::lround(-0.317038 * (i - 156) * kScale));
      green_c2[i] = static_cast<std::int32_t>(std::lround(-0.682243 * (i - 137) * kScale));
      blue_c1[i] = static_cast<std::int32_t>(std::lround(1.632639 * (i - 156) * kScale));
    }
  }
  static std::uint8_t Clamp(std::int32_t fixed) {
    return static_cast<std::uint8_t>(std::clamp((fixed + 32768) >> 16, 0, 255));
  }
};

// Chroma at full resolution: stored samples on even positions, rounded
// means of the two neighbours between them, the last sample repeated.
class ChromaRow {
 public:
  explicit ChromaRow(int half_width) : values_(static_cast<std::size_t>(half_width) * 2) {}
  void Upsample(const std::uint8_t* stored) {
    const std::size_t half = values_.size() / 2;
    for (std::size_t x = 0; x < half; ++x) {
      values_[2 * x] = stored[x];
      values_[2 * x + 1] = x + 1 < half ? static_cast<std::uint8_t>((stored[x] + stored[x + 1] + 1) >> 1) : stored[x];
    }
  }
  void Between(const ChromaRow& a, const ChromaRow& b) {
    for (std::size_t x = 0; x < values_.size(); ++x) values_[x] = static_cast<std::uint8_t>((a.values_[x] + b.values_[x] + 1) >> 1);
  }
  std::uint8_t operator[](std::size_t x) const { return values_[x]; }

 private:
  std::vector<std::uint8_t> values_;
};

RgbBuffer Rotate(const RgbBuffer& image, int quarter_turns_clockwise) {
  const int w = image.width(), h = image.height();
  const bool swap = quarter_turns_clockwise % 2 == 1;
  RgbBuffer out = RgbBuffer::Uninitialized(swap ? h : w, swap ? w : h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      int nx = x, ny = y;
      switch (quarter_turns_clockwise) {
        case 1: nx = h - 1 - y, ny = x; break;
        case 2: nx = w - 1 - x, ny = h - 1 - y; break;
        case 3: nx = y, ny = w - 1 - x; break;
      }
      std::memcpy(out.pixel(nx, ny), image.pixel(x, y), 3);
    }
  }
  return out;
}

}  // namespace

template <>
ImageSize PcdCodec::ReadSize(std::span<const std::uint8_t> file) const {
  const int orientation = Orientation(file);
  const Resolution& base = kResolutions.back();
  return orientation % 2 ? ImageSize{base.height, base.width} : ImageSize{base.width, base.height};
}

template <>
RgbBuffer PcdCodec::Decode(std::span<const std::uint8_t> file, const DecodeOptions& options) const {
  const int orientation = Orientation(file);
  const Resolution& res = kResolutions[std::clamp(options.pcd_resolution, 0, 2)];
  CheckDecodeSize(res.width, res.height, options);
  const std::size_t pair_bytes = static_cast<std::size_t>(res.width) * 3;  // two luma rows, two half chroma rows
  ByteReader in(file, res.offset);
  const std::uint8_t* planes = in.Bytes(pair_bytes * (res.height / 2)).data();

  static const YccTables tables;
  RgbBuffer image = RgbBuffer::Uninitialized(res.width, res.height);
  const int half = res.width / 2;
  ChromaRow c1(half), c2(half), c1_next(half), c2_next(half), c1_mid(half), c2_mid(half);
  for (int pair = 0; pair < res.height / 2; ++pair) {
    const std::uint8_t* block = planes + pair * pair_bytes;
    if (pair == 0) {
      c1.Upsample(block + 2 * res.width);
      c2.Upsample(block + 2 * res.width + half);
    } else {
      std::swap(c1, c1_next);
      std::swap(c2, c2_next);
    }
    const bool last = pair + 1 == res.height / 2;
    if (!last) {
      c1_next.Upsample(block + pair_bytes + 2 * res.width);
      c2_next.Upsample(block + pair_bytes + 2 * res.width + half);
      c1_mid.Between(c1, c1_next);
      c2_mid.Between(c2, c2_next);
    }
    for (int sub = 0; sub < 2; ++sub) {
      const std::uint8_t* luma = block + sub * res.width;
      const ChromaRow& cb = sub == 0 || last ? c1 : c1_mid;
      const ChromaRow& cr = sub == 0 || last ? c2 : c2_mid;
      std::uint8_t* dst = image.row(2 * pair + sub);
      for (int x = 0; x < res.width; ++x, dst += 3) {
        const std::int32_t y = luma[x] << 16;
        dst[0] = YccTables::Clamp(y + tables.red_c2[cr[x]]);
        dst[1] = YccTables::Clamp(y + tables.green_c1[cb[x]] + tables.green_c2[cr[x]]);
        dst[2] = YccTables::Clamp(y + tables.blue_c1[cb[x]]);
      }
    }
  }
  return orientation == 0 ? std::move(image) : Rotate(image, 4 - orientation);
}

template <>
std::vector<std::uint8_t> PcdCodec::Encode(const RgbBuffer&, const EncodeOptions&) const {
  throw CodecError(kCodecFailed, "Photo CD files cannot be written");
}

}  // namespace velmora::image
