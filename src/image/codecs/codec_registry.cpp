#include "image/codecs/codec_registry.h"

#include <algorithm>
#include <cstring>

#include "image/codecs/format_codec.h"
#include "image/containers/container_signature.h"

namespace velmora::image {
namespace {

const JpegCodec kJpeg;
const PngCodec kPng;
const TiffCodec kTiff;
const GifCodec kGif;
const RawCodec kRaw;
const BmpCodec kBmp;
const EmfCodec kMetafile;
const PcdCodec kPcd;
const PcxCodec kPcx;
const PsdCodec kPsd;
const TgaCodec kTga;
const HeifCodec kHeif;
const AvifCodec kAvif;
const WebpCodec kWebp;

const ImageType kTypes[] = {
    {kImageTypeBmp, "BMP", "BMP", &kBmp, true, "IS_WriteBMP"},
    {kImageTypeMetafile, "Metafile", "EMF,WMF", &kMetafile, true, "IS_WriteRGBToMetafile"},
    {kImageTypeGif, "GIF", "GIF", &kGif, true, "IS_WriteGIF"},
    {kImageTypeJpg, "JPG", "JPG", &kJpeg, true, "IS_WriteJPG", true},
    {kImageTypeJpeg2000, "JPEG 2000", "J2K,JP2", nullptr, false, "IS_WriteUnsupportedImageType"},
    {kImageTypePcd, "Photo CD", "PCD", &kPcd, false, "IS_WriteUnsupportedImageType"},
    {kImageTypePcx, "PCX", "PCX", &kPcx, true, "IS_WritePCX"},
    {kImageTypePng, "PNG", "PNG", &kPng, true, "IS_WritePNG"},
    {kImageTypePsd, "PSD", "PSD", &kPsd, true, "IS_WritePSD"},
    {kImageTypeRaw, "RAW", "CR2,CRW,DCR,DNG,MRW,NEF,ORF,PEF,RAF,RAW,SRF,SR2", &kRaw, false,
     "IS_WriteUnsupportedImageType"},
    {kImageTypeTga, "TGA", "TGA", &kTga, true, "IS_WriteTGA"},
    {kImageTypeTif, "TIF", "TIF", &kTiff, true, "IS_WriteTIFF"},
    {kImageTypeHeif, "HEIF", "HEIC,HEIF,HIF", &kHeif, false, "IS_WriteUnsupportedImageType"},
    {kImageTypeAvif, "AVIF", "AVIF", &kAvif, true, "IS_WriteAVIF", true},
    {kImageTypeWebp, "WebP", "WEBP", &kWebp, true, "IS_WriteWEBP", true},
};

bool StartsWith(std::span<const std::uint8_t> file, std::size_t offset, const char* magic, std::size_t length) {
  return file.size() >= offset + length && std::memcmp(file.data() + offset, magic, length) == 0;
}

}  // namespace

std::span<const ImageType> ImageTypes() { return kTypes; }

const ImageType* FindImageType(int code) {
  const auto* it = std::find_if(std::begin(kTypes), std::end(kTypes), [&](const ImageType& t) { return t.code == code; });
  return it == std::end(kTypes) ? nullptr : it;
}

bool CanReadImageType(int code) {
  const ImageType* type = FindImageType(code);
  return type != nullptr && type->codec != nullptr;
}

bool CanWriteImageType(int code) {
  const ImageType* type = FindImageType(code);
  return type != nullptr && type->can_write && type->codec != nullptr && type->codec->CanEncode();
}

std::string WrittenExtension(int type, std::string_view source_extension) {
  if (type != kImageTypeMetafile) return std::string(source_extension);
  const bool upper = std::none_of(source_extension.begin(), source_extension.end(),
                                  [](char c) { return c >= 'a' && c <= 'z'; });
  return upper ? "EMF" : "emf";
}

int GuessImageType(std::span<const std::uint8_t> file) {
  if (StartsWith(file, 0, "\xFF\xD8\xFF", 3)) return kImageTypeJpg;
  if (StartsWith(file, 0, "\x89PNG\r\n\x1A\n", 8)) return kImageTypePng;
  if (StartsWith(file, 0, "GIF87a", 6) || StartsWith(file, 0, "GIF89a", 6)) return kImageTypeGif;
  if (StartsWith(file, 0, "II*\0", 4) || StartsWith(file, 0, "MM\0*", 4)) return kImageTypeTif;
  if (StartsWith(file, 0, "BM", 2) && file.size() >= 26) return kImageTypeBmp;
  if (StartsWith(file, 40, " EMF", 4) || StartsWith(file, 0, "\xD7\xCD\xC6\x9A", 4)) return kImageTypeMetafile;
  // Before the weak signatures of PCX and TGA, which a box size could match.
  switch (ContainerOfFile(file)) {
    case PhotoContainer::kHeif: return kImageTypeHeif;
    case PhotoContainer::kAvif: return kImageTypeAvif;
    case PhotoContainer::kWebp: return kImageTypeWebp;
    case PhotoContainer::kNone: break;
  }
  if (StartsWith(file, 2048, "PCD_IPI", 7)) return kImageTypePcd;
  if (file.size() >= 128 && file[0] == 0x0A && file[1] <= 5 && file[2] == 1) return kImageTypePcx;
  if (file.size() >= 26 && StartsWith(file, file.size() - 18, "TRUEVISION-XFILE", 16)) return kImageTypeTga;
  return kImageTypeUnknown;
}

}  // namespace velmora::image
