// The image types the program knows: one row per type with its code, name,
// default extension list, codec and abilities. Everything that asks "can
// this type be read or written, and how" asks this table.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "image/codecs/codec.h"

namespace velmora::image {

enum ImageTypeCode : int {
  kImageTypeUnknown = 0,
  kImageTypeBmp = 3,
  kImageTypeMetafile = 4,
  kImageTypeGif = 5,
  kImageTypeJpg = 6,
  kImageTypeJpeg2000 = 7,
  kImageTypePcd = 8,
  kImageTypePcx = 9,
  kImageTypePng = 10,
  kImageTypePsd = 11,
  kImageTypeRaw = 12,
  kImageTypeTga = 13,
  kImageTypeTif = 14,
  // Today's photo formats, read through libheif and libwebp. Their settings
  // sit outside the classic table, so these codes index no slots.
  kImageTypeHeif = 15,
  kImageTypeAvif = 16,
  kImageTypeWebp = 17,
};

struct ImageType {
  int code;
  std::string_view name;
  std::string_view default_extensions;  // comma-separated, upper case
  const ImageCodec* codec;              // nullptr: neither read nor written
  bool can_write;
  std::string_view write_step;  // the failing step a write error names
  // Lossy writers take the quality settings, and a size limit is met by
  // searching the quality (quality_search.h); the others write at 100.
  bool lossy = false;
};

std::span<const ImageType> ImageTypes();
// nullptr for codes that are no image type.
const ImageType* FindImageType(int code);
bool CanReadImageType(int code);
bool CanWriteImageType(int code);

// The extension of a file of `type` that we write from a source with
// `source_extension`: the source's own, unless our writer makes another
// format of the type (Windows metafiles are written as enhanced ones).
std::string WrittenExtension(int type, std::string_view source_extension);

// The type a file's first bytes reveal, for files passed with type 0. Only
// formats with a reliable signature are recognised; PSD and RAW files give 0.
// Files of the HEIF family are told apart by their brands: AV1 pictures are
// AVIF, HEVC pictures HEIF.
int GuessImageType(std::span<const std::uint8_t> file);

}  // namespace velmora::image
