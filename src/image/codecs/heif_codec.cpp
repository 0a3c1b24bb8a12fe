// HEIC and HEIF photos, as phones store them: read only.
#include "image/codecs/format_codec.h"
#include "image/codecs/heif_decoding.h"

namespace velmora::image {

template <>
ImageSize HeifCodec::ReadSize(std::span<const std::uint8_t> file) const {
  return ReadHeifSize(file);
}

template <>
RgbBuffer HeifCodec::Decode(std::span<const std::uint8_t> file, const DecodeOptions& options) const {
  return DecodeHeif(file, options);
}

template <>
std::vector<std::uint8_t> HeifCodec::Encode(const RgbBuffer&, const EncodeOptions&) const {
  throw CodecError(kCodecUnsupported, "HEIF files are not written");
}

}  // namespace velmora::image
