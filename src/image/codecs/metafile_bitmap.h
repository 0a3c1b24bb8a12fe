// The bitmaps a metafile draws, as the enhanced and the older Windows
// metafile readers find them.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "image/codecs/dib.h"

namespace velmora::image {

struct MetafileBitmap {
  std::span<const std::uint8_t> info;  // BITMAPINFO
  std::span<const std::uint8_t> bits;
  DibHeader header;
};

bool IsWindowsMetafile(std::span<const std::uint8_t> file);
// Every bitmap with its own colours that the Windows metafile draws; throws CodecError.
std::vector<MetafileBitmap> WindowsMetafileBitmaps(std::span<const std::uint8_t> file);

}  // namespace velmora::image
