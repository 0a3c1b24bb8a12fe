// The codec of one image type. Every format offers the same four functions,
// so one declaration serves them all: each format's unit (bmp_codec.cpp,
// png_codec.cpp, ...) defines the members of its own instance, and the
// registry (codec_registry.cpp) makes one object per type. Private to the
// codecs folder: the rest of the program reaches a codec through
// FindImageType(code)->codec.
#pragma once

#include "image/codecs/codec.h"
#include "image/codecs/codec_registry.h"

namespace velmora::image {

template <ImageTypeCode kType, bool kCanEncode>
class FormatCodec final : public ImageCodec {
 public:
  ImageSize ReadSize(std::span<const std::uint8_t> file) const override;
  RgbBuffer Decode(std::span<const std::uint8_t> file, const DecodeOptions& options) const override;
  bool CanEncode() const override { return kCanEncode; }
  std::vector<std::uint8_t> Encode(const RgbBuffer& image, const EncodeOptions& options) const override;
};

using BmpCodec = FormatCodec<kImageTypeBmp, true>;
using EmfCodec = FormatCodec<kImageTypeMetafile, true>;
using GifCodec = FormatCodec<kImageTypeGif, true>;
using JpegCodec = FormatCodec<kImageTypeJpg, true>;
// Reads the resolution DecodeOptions::pcd_resolution selects (0 to 2); its
// ReadSize gives the size at the Base resolution, after the stored rotation.
using PcdCodec = FormatCodec<kImageTypePcd, false>;
using PcxCodec = FormatCodec<kImageTypePcx, true>;
using PngCodec = FormatCodec<kImageTypePng, true>;
using PsdCodec = FormatCodec<kImageTypePsd, true>;
using RawCodec = FormatCodec<kImageTypeRaw, false>;
using TgaCodec = FormatCodec<kImageTypeTga, true>;
using TiffCodec = FormatCodec<kImageTypeTif, true>;
// HEIF and AVIF are both read through libheif, with the picture turned,
// mirrored and cropped as the file says; only AVIF is written.
using HeifCodec = FormatCodec<kImageTypeHeif, false>;
using AvifCodec = FormatCodec<kImageTypeAvif, true>;
using WebpCodec = FormatCodec<kImageTypeWebp, true>;

}  // namespace velmora::image
