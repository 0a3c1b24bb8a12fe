// AVIF: read through libheif like HEIF, written with libheif's AV1 encoder.
#include "image/codecs/format_codec.h"

#include <algorithm>
#include <cstring>

#include "image/codecs/carried_metadata.h"
#include "image/codecs/coder_quality.h"
#include "image/codecs/heif_decoding.h"
#include "image/containers/heif_objects.h"

namespace velmora::image {
namespace {

// The encoder's speed (0 slowest .. 9 fastest). A gallery run writes
// hundreds of clones; beyond this the files grow faster than the time falls.
constexpr int kEncoderSpeed = 7;

void Check(const heif_error& error, const char* step) {
  if (error.code == heif_error_Ok) return;
  std::string message = step;
  if (error.message != nullptr && *error.message != '\0') message += std::string(": ") + error.message;
  throw CodecError(kCodecFailed, message);
}

heif_error Collect(heif_context*, const void* data, std::size_t size, void* out) {
  auto* bytes = static_cast<std::vector<std::uint8_t>*>(out);
  const auto* begin = static_cast<const std::uint8_t*>(data);
  bytes->insert(bytes->end(), begin, begin + size);
  return heif_error{heif_error_Ok, heif_suberror_Unspecified, "ok"};
}

heif::Image ToHeifImage(const RgbBuffer& image) {
  heif_image* raw = nullptr;
  Check(heif_image_create(image.width(), image.height(), heif_colorspace_RGB, heif_chroma_interleaved_RGB, &raw),
        "heif_image_create");
  heif::Image out(raw);
  Check(heif_image_add_plane(out.get(), heif_channel_interleaved, image.width(), image.height(), 8),
        "heif_image_add_plane");
  int stride = 0;
  std::uint8_t* plane = heif_image_get_plane(out.get(), heif_channel_interleaved, &stride);
  if (plane == nullptr || static_cast<std::size_t>(stride) < image.stride()) {
    throw CodecError(kCodecFailed, "no AVIF pixel plane");
  }
  for (int y = 0; y < image.height(); ++y) {
    std::memcpy(plane + static_cast<std::size_t>(y) * static_cast<std::size_t>(stride), image.row(y), image.stride());
  }
  return out;
}

}  // namespace

template <>
ImageSize AvifCodec::ReadSize(std::span<const std::uint8_t> file) const {
  return ReadHeifSize(file);
}

template <>
RgbBuffer AvifCodec::Decode(std::span<const std::uint8_t> file, const DecodeOptions& options) const {
  return DecodeHeif(file, options);
}

template <>
std::vector<std::uint8_t> AvifCodec::Encode(const RgbBuffer& image, const EncodeOptions& options) const {
  if (image.empty()) throw CodecError(kCodecFailed, "empty image");
  const heif::Context context(heif_context_alloc());
  if (!context) throw CodecError(kCodecFailed, "out of memory");
  heif_encoder* raw_encoder = nullptr;
  Check(heif_context_get_encoder_for_format(context.get(), heif_compression_AV1, &raw_encoder), "no AV1 encoder");
  const heif::Encoder encoder(raw_encoder);
  Check(heif_encoder_set_lossy_quality(encoder.get(), AvifQualityFor(options.quality)), "quality");
  // Not every AV1 encoder knows the speed parameter; without it the default stays.
  heif_encoder_set_parameter_integer(encoder.get(), "speed", kEncoderSpeed);

  heif::Image picture = ToHeifImage(image);
  const CarriedBlocks carried = CarriedBlocksOf(options.metadata);
  if (!carried.icc.empty()) {
    Check(heif_image_set_raw_color_profile(picture.get(), "prof", carried.icc.data(), carried.icc.size()),
          "colour profile");
  }
  // Our pixels are sRGB; the coded picture says so, coded with full-range
  // BT.601 luma and chroma as most AVIF writers do.
  const heif::Nclx nclx(heif_nclx_color_profile_alloc());
  const heif::EncodingOptions encoding(heif_encoding_options_alloc());
  if (!nclx || !encoding) throw CodecError(kCodecFailed, "out of memory");
  nclx->color_primaries = heif_color_primaries_ITU_R_BT_709_5;
  nclx->transfer_characteristics = heif_transfer_characteristic_IEC_61966_2_1;
  nclx->matrix_coefficients = heif_matrix_coefficients_ITU_R_BT_601_6;
  nclx->full_range_flag = 1;
  encoding->save_alpha_channel = 0;
  encoding->output_nclx_profile = nclx.get();
  if (carried.icc.empty()) Check(heif_image_set_nclx_color_profile(picture.get(), nclx.get()), "colour space");

  heif_image_handle* raw_handle = nullptr;
  Check(heif_context_encode_image(context.get(), picture.get(), encoder.get(), encoding.get(), &raw_handle),
        "AV1 encoding");
  const heif::Handle handle(raw_handle);
  if (!carried.exif.empty()) {
    Check(heif_context_add_exif_metadata(context.get(), handle.get(), carried.exif.data(),
                                         static_cast<int>(carried.exif.size())),
          "EXIF");
  }
  if (!carried.xmp.empty()) {
    Check(heif_context_add_XMP_metadata(context.get(), handle.get(), carried.xmp.data(),
                                        static_cast<int>(carried.xmp.size())),
          "XMP");
  }
  std::vector<std::uint8_t> file;
  heif_writer writer{1, &Collect};
  Check(heif_context_write(context.get(), &writer, &file), "writing AVIF");
  return file;
}

}  // namespace velmora::image
