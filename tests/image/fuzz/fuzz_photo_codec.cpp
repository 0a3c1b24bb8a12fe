// libFuzzer entry for a codec over a library (libheif, libwebp), chosen at
// build time by VELMORA_FUZZ_CODEC. Any input must end in pixels or a
// CodecError. A WebP's size from its header must be the size it decodes
// to: the run sizes existing clones from their headers.
#include <cstdint>
#include <cstdlib>

#include "image/codecs/format_codec.h"

// dav1d, the AV1 decoder libheif drives, leaks a few dozen bytes on some
// damaged pictures (Debian 12's libdav1d6); that is theirs, not ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdav1d.so\n"; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using velmora::image::CodecError;
  static const velmora::image::VELMORA_FUZZ_CODEC codec;
  const std::span<const std::uint8_t> file(data, size);
  velmora::image::DecodeOptions options;
  options.max_pixels = 1 << 18;  // keeps each run fast; larger sizes only test the limit check
  velmora::image::ImageSize header{};
  try {
    header = codec.ReadSize(file);
  } catch (const CodecError&) {
  }
  try {
    const velmora::image::RgbBuffer image = codec.Decode(file, options);
    if (VELMORA_FUZZ_CHECK_SIZE && (image.width() != header.width || image.height() != header.height)) std::abort();
  } catch (const CodecError&) {
  }
  return 0;
}
