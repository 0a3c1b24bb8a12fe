#include "image/codecs/heif_decoding.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "image/codecs/alpha_flatten.h"
#include "image/codecs/srgb_conversion.h"
#include "image/containers/heif_objects.h"

namespace velmora::image {
namespace {

[[noreturn]] void Fail(const heif_error& error, const char* what) {
  // A file libheif can parse but whose coding it has no decoder for is a
  // valid file of a kind we cannot read; everything else is damage.
  const bool unsupported = error.code == heif_error_Unsupported_feature ||
                           error.code == heif_error_Unsupported_filetype ||
                           error.subcode == heif_suberror_Unsupported_codec;
  std::string message = what;
  if (error.message != nullptr && *error.message != '\0') message += std::string(": ") + error.message;
  throw CodecError(unsupported ? kCodecUnsupported : kCodecBadFormat, message);
}

heif::OpenedFile OpenPrimary(std::span<const std::uint8_t> file) {
  heif::OpenedFile opened;
  std::string error;
  if (!heif::Open(file, opened, error)) throw CodecError(kCodecBadFormat, "unreadable HEIF file: " + error);
  return opened;
}

// Samples of `bits` bits (stored in 16, little endian) to 8, rounded.
inline std::uint8_t Reduce(const std::uint8_t* sample, unsigned max) {
  const unsigned value = std::min<unsigned>(static_cast<unsigned>(sample[0] | sample[1] << 8), max);
  return static_cast<std::uint8_t>((value * 255u + max / 2) / max);
}

// Premultiplied colours already hold colour x alpha: white shows through
// by what is left of the alpha.
inline std::uint8_t OnWhite(unsigned colour, unsigned alpha, bool premultiplied) {
  if (!premultiplied) return FlattenOnWhite8(colour, alpha);
  return static_cast<std::uint8_t>(std::min(255u, colour + 255u - alpha));
}

// `deep`: the samples were asked for in 16 bits, whatever range they use.
void CopyPixels(const heif_image* decoded, RgbBuffer& out, bool deep, bool alpha, bool premultiplied) {
  int stride = 0;
  const std::uint8_t* plane = heif_image_get_plane_readonly(decoded, heif_channel_interleaved, &stride);
  const int bits = heif_image_get_bits_per_pixel_range(decoded, heif_channel_interleaved);
  if (plane == nullptr || stride <= 0 || bits < 1 || bits > (deep ? 16 : 8)) {
    throw CodecError(kCodecFailed, "no pixels decoded");
  }
  const unsigned max = (1u << bits) - 1;
  const int channels = alpha ? 4 : 3;
  const int sample_bytes = deep ? 2 : 1;
  if (static_cast<long long>(stride) < static_cast<long long>(out.width()) * channels * sample_bytes) {
    throw CodecError(kCodecFailed, "decoded rows too short");
  }
  for (int y = 0; y < out.height(); ++y) {
    const std::uint8_t* in = plane + static_cast<std::size_t>(y) * static_cast<std::size_t>(stride);
    if (!deep && !alpha) {  // a phone photo: the rows as they are
      std::memcpy(out.row(y), in, out.stride());
      continue;
    }
    std::uint8_t* p = out.row(y);
    for (int x = 0; x < out.width(); ++x, p += 3, in += channels * sample_bytes) {
      std::uint8_t rgba[4] = {0, 0, 0, 255};
      for (int c = 0; c < channels; ++c) rgba[c] = deep ? Reduce(in + 2 * c, max) : in[c];
      for (int c = 0; c < 3; ++c) p[c] = alpha ? OnWhite(rgba[c], rgba[3], premultiplied) : rgba[c];
    }
  }
}

void ConvertColours(const heif_image_handle* handle, RgbBuffer& image) {
  switch (heif_image_handle_get_color_profile_type(handle)) {
    case heif_color_profile_type_prof:
    case heif_color_profile_type_rICC: {
      std::vector<std::uint8_t> icc(heif_image_handle_get_raw_color_profile_size(handle));
      if (!icc.empty() && heif_image_handle_get_raw_color_profile(handle, icc.data()).code == heif_error_Ok) {
        ConvertIccToSrgb(image, icc);
      }
      break;
    }
    case heif_color_profile_type_nclx: {
      heif_color_profile_nclx* raw = nullptr;
      const heif_error error = heif_image_handle_get_nclx_color_profile(handle, &raw);
      const heif::Nclx nclx(raw);  // libheif may fill it in part before it fails
      if (error.code != heif_error_Ok || !nclx) break;
      ConvertCodedToSrgb(image, {nclx->color_primaries, nclx->transfer_characteristics, nclx->color_primary_red_x,
                                 nclx->color_primary_red_y, nclx->color_primary_green_x,
                                 nclx->color_primary_green_y, nclx->color_primary_blue_x,
                                 nclx->color_primary_blue_y, nclx->color_primary_white_x,
                                 nclx->color_primary_white_y});
      break;
    }
    default: break;
  }
}

// Phones store a small thumbnail of each photo beside it. When the caller
// needs no more pixels than it has (a gallery thumbnail), it is decoded
// instead of the twelve-megapixel picture, as a JPEG is decoded at a
// reduced scale: the smallest one that covers the minimum size and shows
// the whole picture (the same shape, turned as the primary is turned).
heif::Handle ThumbnailCovering(const heif_image_handle* primary, const DecodeOptions& options) {
  if (options.min_width <= 0 && options.min_height <= 0) return {};
  const int count = heif_image_handle_get_number_of_thumbnails(primary);
  if (count <= 0 || count > 16) return {};
  std::vector<heif_item_id> ids(static_cast<std::size_t>(count));
  const int listed = heif_image_handle_get_list_of_thumbnail_IDs(primary, ids.data(), count);
  const double width = heif_image_handle_get_width(primary), height = heif_image_handle_get_height(primary);
  heif::Handle best;
  long long best_area = 0;
  for (int i = 0; i < std::min(listed, count); ++i) {
    heif_image_handle* raw = nullptr;
    if (heif_image_handle_get_thumbnail(primary, ids[static_cast<std::size_t>(i)], &raw).code != heif_error_Ok) continue;
    heif::Handle candidate(raw);
    const int w = heif_image_handle_get_width(raw), h = heif_image_handle_get_height(raw);
    const long long area = static_cast<long long>(w) * h;
    const bool covers = w >= options.min_width && h >= options.min_height && w < width;
    const bool same_shape = w > 0 && h > 0 && std::abs(w / width * height - h) <= std::max(2.0, 0.01 * h);
    if (covers && same_shape && (!best || area < best_area)) {
      best = std::move(candidate);
      best_area = area;
    }
  }
  return best;
}

// One picture of the file, the primary one or a thumbnail of it.
RgbBuffer DecodeHandle(const heif_image_handle* handle, const heif_image_handle* primary,
                       const DecodeOptions& options) {
  const bool alpha = heif_image_handle_has_alpha_channel(handle) != 0;
  const bool deep = heif_image_handle_get_luma_bits_per_pixel(handle) > 8;
  const heif_chroma chroma = deep ? (alpha ? heif_chroma_interleaved_RRGGBBAA_LE : heif_chroma_interleaved_RRGGBB_LE)
                                  : (alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB);
  const heif::DecodingOptions decoding(heif_decoding_options_alloc());
  if (!decoding) throw CodecError(kCodecFailed, "out of memory");
  decoding->ignore_transformations = 0;
  heif_image* raw = nullptr;
  const heif_error error = heif_decode_image(handle, &raw, heif_colorspace_RGB, chroma, decoding.get());
  const heif::Image decoded(raw);
  if (error.code != heif_error_Ok || !decoded) Fail(error, "HEIF picture cannot be decoded");
  // Cropping may leave the decoded picture smaller than the header said.
  const int width = heif_image_get_width(decoded.get(), heif_channel_interleaved);
  const int height = heif_image_get_height(decoded.get(), heif_channel_interleaved);
  CheckDecodeSize(width, height, options);
  RgbBuffer out = RgbBuffer::Uninitialized(width, height);
  CopyPixels(decoded.get(), out, deep, alpha, heif_image_handle_is_premultiplied_alpha(handle) != 0);
  // A thumbnail without a colour description of its own shares the primary picture's.
  const bool own_colours = heif_image_handle_get_color_profile_type(handle) != heif_color_profile_type_not_present;
  ConvertColours(own_colours ? handle : primary, out);
  return out;
}

}  // namespace

ImageSize ReadHeifSize(std::span<const std::uint8_t> file) {
  const heif::OpenedFile opened = OpenPrimary(file);
  const ImageSize size = {heif_image_handle_get_width(opened.primary.get()),
                          heif_image_handle_get_height(opened.primary.get())};
  if (size.width <= 0 || size.height <= 0) throw CodecError(kCodecBadFormat, "HEIF picture without a size");
  return size;
}

RgbBuffer DecodeHeif(std::span<const std::uint8_t> file, const DecodeOptions& options) {
  const heif::OpenedFile opened = OpenPrimary(file);
  const heif_image_handle* primary = opened.primary.get();
  CheckDecodeSize(heif_image_handle_get_width(primary), heif_image_handle_get_height(primary), options);
  if (const heif::Handle thumbnail = ThumbnailCovering(primary, options)) {
    try {
      return DecodeHandle(thumbnail.get(), primary, options);
    } catch (const CodecError&) {
      // A damaged thumbnail: the picture itself may still be whole.
    }
  }
  return DecodeHandle(primary, primary, options);
}

}  // namespace velmora::image
