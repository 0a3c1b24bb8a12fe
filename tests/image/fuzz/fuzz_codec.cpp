// libFuzzer entry for one own-format codec, chosen at build time by
// VELMORA_FUZZ_CODEC (the codec's class name). Any input must end in
// pixels or a CodecError; decoded pixels must survive our own writer and
// reader unchanged.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "image/codecs/format_codec.h"

namespace {

using velmora::image::CodecError;
using velmora::image::DecodeOptions;
using velmora::image::RgbBuffer;

void CheckRoundTrip(const velmora::image::ImageCodec& codec, const RgbBuffer& image, const DecodeOptions& options) {
  if (!codec.CanEncode()) return;
  const std::vector<std::uint8_t> written = codec.Encode(image, {});
  const RgbBuffer again = codec.Decode(written, options);
  if (again.width() != image.width() || again.height() != image.height() ||
      std::memcmp(again.data(), image.data(), image.size()) != 0) {
    std::abort();  // our writer and reader disagree
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const velmora::image::VELMORA_FUZZ_CODEC codec;
  const std::span<const std::uint8_t> file(data, size);
  DecodeOptions options;
  options.max_pixels = 1 << 18;  // keeps each run fast; larger sizes only test the limit check
  options.pcd_resolution = size > 0 ? data[size - 1] % 3 : 0;
  try {
    codec.ReadSize(file);
  } catch (const CodecError&) {
  }
  try {
    CheckRoundTrip(codec, codec.Decode(file, options), options);
  } catch (const CodecError&) {
  }
  return 0;
}
