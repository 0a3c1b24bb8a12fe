// libFuzzer entry for the EXIF and XMP finder of HEIF and WebP files: any
// input gives what could be found, and an EXIF block found always starts
// with its TIFF header.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "image/containers/embedded_metadata.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const velmora::image::EmbeddedMetadata found = velmora::image::ReadEmbeddedMetadata({data, size});
  if (!found.exif.empty() && (found.exif.size() < 4 || (std::memcmp(found.exif.data(), "II*\0", 4) != 0 &&
                                                         std::memcmp(found.exif.data(), "MM\0*", 4) != 0))) {
    std::abort();
  }
  return 0;
}
