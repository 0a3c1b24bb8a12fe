#include "image/codecs/codec_libraries.h"

#include <lcms2.h>
#include <libheif/heif.h>
#include <webp/decode.h>

#include <array>

namespace velmora::image {
namespace {

// libwebp packs its version as 0xMMmmrr.
std::string PackedVersion(int packed) {
  return std::to_string((packed >> 16) & 0xFF) + "." + std::to_string((packed >> 8) & 0xFF) + "." +
         std::to_string(packed & 0xFF);
}

// The coders libheif found, which decide what it reads and writes.
std::string HeifCoders() {
  std::string text;
  auto add = [&](const char* what, const char* name) {
    text += (text.empty() ? "" : "; ") + std::string(what) + ": " + (name != nullptr ? name : "?");
  };
  std::array<const heif_decoder_descriptor*, 8> decoders{};
  for (const auto& [format, what] : {std::pair{heif_compression_HEVC, "HEVC decoder"},
                                     std::pair{heif_compression_AV1, "AV1 decoder"}}) {
    const int n = heif_get_decoder_descriptors(format, decoders.data(), static_cast<int>(decoders.size()));
    if (n > 0) add(what, heif_decoder_descriptor_get_name(decoders[0]));
  }
  std::array<const heif_encoder_descriptor*, 8> encoders{};
  const int n = heif_context_get_encoder_descriptors(nullptr, heif_compression_AV1, nullptr, encoders.data(),
                                                     static_cast<int>(encoders.size()));
  if (n > 0) add("AV1 encoder", heif_encoder_descriptor_get_name(encoders[0]));
  return text.empty() ? "no coders" : text;
}

}  // namespace

std::vector<CodecLibrary> CodecLibraries() {
  return {
      {"libheif.so", "libheif", "libheif " + std::string(heif_get_version()) + " (" + HeifCoders() + ")"},
      {"libwebp.so", "libwebp", "libwebp " + PackedVersion(WebPGetDecoderVersion())},
      {"liblcms2.so", "Little CMS", "Little CMS " + std::to_string(cmsGetEncodedCMMversion() / 1000) + "." +
                                        std::to_string(cmsGetEncodedCMMversion() / 10 % 100)},
  };
}

}  // namespace velmora::image
