// WebP over libwebp: still pictures, lossy or lossless, and the first frame
// of an animation; written lossy, with EXIF, XMP and an ICC profile carried
// as chunks of their own.
#include "image/codecs/format_codec.h"

#include <webp/decode.h>
#include <webp/demux.h>
#include <webp/encode.h>
#include <webp/mux.h>

#include <algorithm>
#include <memory>

#include "image/codecs/alpha_flatten.h"
#include "image/codecs/carried_metadata.h"
#include "image/codecs/coder_quality.h"
#include "image/codecs/srgb_conversion.h"

namespace velmora::image {
namespace {

// libwebp's effort (0 fastest .. 6 smallest): 4 is its own default, a
// fraction of the time of 6 for files a few per cent larger.
constexpr int kEncoderMethod = 4;

struct DemuxDeleter {
  void operator()(WebPDemuxer* p) const { WebPDemuxDelete(p); }
};
struct AnimDecoderDeleter {
  void operator()(WebPAnimDecoder* p) const { WebPAnimDecoderDelete(p); }
};
struct MuxDeleter {
  void operator()(WebPMux* p) const { WebPMuxDelete(p); }
};

WebPBitstreamFeatures Features(std::span<const std::uint8_t> file) {
  WebPBitstreamFeatures features;
  const VP8StatusCode status = WebPGetFeatures(file.data(), file.size(), &features);
  if (status == VP8_STATUS_NOT_ENOUGH_DATA) throw CodecError(kCodecTruncated, "WebP file ends too early");
  if (status != VP8_STATUS_OK) throw CodecError(kCodecBadFormat, "not a readable WebP file");
  return features;
}

const char* StatusText(VP8StatusCode status) {
  switch (status) {
    case VP8_STATUS_OUT_OF_MEMORY: return "out of memory";
    case VP8_STATUS_UNSUPPORTED_FEATURE: return "unsupported WebP feature";
    case VP8_STATUS_NOT_ENOUGH_DATA: return "WebP file ends too early";
    default: return "damaged WebP picture data";
  }
}

int StatusCode(VP8StatusCode status) {
  switch (status) {
    case VP8_STATUS_OUT_OF_MEMORY: return kCodecFailed;
    case VP8_STATUS_UNSUPPORTED_FEATURE: return kCodecUnsupported;
    case VP8_STATUS_NOT_ENOUGH_DATA: return kCodecTruncated;
    default: return kCodecBadFormat;
  }
}

void FlattenRgba(const std::uint8_t* rgba, RgbBuffer& out) {
  for (int y = 0; y < out.height(); ++y) {
    std::uint8_t* p = out.row(y);
    for (int x = 0; x < out.width(); ++x, p += 3, rgba += 4) {
      for (int c = 0; c < 3; ++c) p[c] = FlattenOnWhite8(rgba[c], rgba[3]);
    }
  }
}

// An animation's canvas may be larger than its first frame.
ImageSize CanvasSize(std::span<const std::uint8_t> file) {
  const WebPData data = {file.data(), file.size()};
  const std::unique_ptr<WebPDemuxer, DemuxDeleter> demux(WebPDemux(&data));
  if (!demux) throw CodecError(kCodecBadFormat, "damaged WebP animation");
  return {static_cast<int>(WebPDemuxGetI(demux.get(), WEBP_FF_CANVAS_WIDTH)),
          static_cast<int>(WebPDemuxGetI(demux.get(), WEBP_FF_CANVAS_HEIGHT))};
}

// The first frame as the animation shows it, on a transparent canvas.
RgbBuffer DecodeFirstFrame(std::span<const std::uint8_t> file, const DecodeOptions& options) {
  // libwebp allocates the whole canvas at once: its size is checked first.
  const ImageSize canvas = CanvasSize(file);
  CheckDecodeSize(canvas.width, canvas.height, options);
  const WebPData data = {file.data(), file.size()};
  WebPAnimDecoderOptions anim_options;
  if (!WebPAnimDecoderOptionsInit(&anim_options)) throw CodecError(kCodecFailed, "libwebp version mismatch");
  anim_options.color_mode = MODE_RGBA;
  anim_options.use_threads = 0;
  const std::unique_ptr<WebPAnimDecoder, AnimDecoderDeleter> decoder(WebPAnimDecoderNew(&data, &anim_options));
  WebPAnimInfo info;
  if (!decoder || !WebPAnimDecoderGetInfo(decoder.get(), &info) ||
      info.canvas_width != static_cast<std::uint32_t>(canvas.width) ||
      info.canvas_height != static_cast<std::uint32_t>(canvas.height)) {
    throw CodecError(kCodecBadFormat, "damaged WebP animation");
  }
  std::uint8_t* frame = nullptr;
  int timestamp = 0;
  if (!WebPAnimDecoderGetNext(decoder.get(), &frame, &timestamp) || frame == nullptr) {
    throw CodecError(kCodecBadFormat, "WebP animation without a readable frame");
  }
  RgbBuffer out = RgbBuffer::Uninitialized(static_cast<int>(info.canvas_width), static_cast<int>(info.canvas_height));
  FlattenRgba(frame, out);
  return out;
}

RgbBuffer DecodeStill(std::span<const std::uint8_t> file, const WebPBitstreamFeatures& features) {
  RgbBuffer out = RgbBuffer::Uninitialized(features.width, features.height);
  WebPDecoderConfig config;
  if (!WebPInitDecoderConfig(&config)) throw CodecError(kCodecFailed, "libwebp version mismatch");
  std::unique_ptr<std::uint8_t[]> rgba;
  config.output.is_external_memory = 1;
  if (features.has_alpha) {
    const std::size_t bytes = static_cast<std::size_t>(features.width) * static_cast<std::size_t>(features.height) * 4;
    rgba = std::make_unique_for_overwrite<std::uint8_t[]>(bytes);
    config.output.colorspace = MODE_RGBA;
    config.output.u.RGBA = {rgba.get(), features.width * 4, bytes};
  } else {
    config.output.colorspace = MODE_RGB;
    config.output.u.RGBA = {out.data(), static_cast<int>(out.stride()), out.size()};
  }
  const VP8StatusCode status = WebPDecode(file.data(), file.size(), &config);
  WebPFreeDecBuffer(&config.output);
  if (status != VP8_STATUS_OK) throw CodecError(StatusCode(status), StatusText(status));
  if (features.has_alpha) FlattenRgba(rgba.get(), out);
  return out;
}

// A file with an extended header may carry an ICC profile.
void ConvertProfile(std::span<const std::uint8_t> file, RgbBuffer& image) {
  const WebPData data = {file.data(), file.size()};
  const std::unique_ptr<WebPDemuxer, DemuxDeleter> demux(WebPDemux(&data));
  if (!demux || (WebPDemuxGetI(demux.get(), WEBP_FF_FORMAT_FLAGS) & ICCP_FLAG) == 0) return;
  WebPChunkIterator chunk;
  if (WebPDemuxGetChunk(demux.get(), "ICCP", 1, &chunk)) {
    ConvertIccToSrgb(image, {chunk.chunk.bytes, chunk.chunk.size});
    WebPDemuxReleaseChunkIterator(&chunk);
  }
}

std::vector<std::uint8_t> EncodePicture(const RgbBuffer& image, int quality) {
  WebPConfig config;
  // The default tuning keeps more of a photo's fine detail than the
  // "photo" preset does, for fewer bytes at the same SSIM.
  if (!WebPConfigPreset(&config, WEBP_PRESET_DEFAULT, static_cast<float>(WebpQualityFor(quality))) ||
      !WebPValidateConfig(&config)) {
    throw CodecError(kCodecFailed, "libwebp version mismatch");
  }
  config.method = kEncoderMethod;
  WebPPicture picture;
  if (!WebPPictureInit(&picture)) throw CodecError(kCodecFailed, "libwebp version mismatch");
  picture.width = image.width();
  picture.height = image.height();
  WebPMemoryWriter writer;
  WebPMemoryWriterInit(&writer);
  picture.writer = WebPMemoryWrite;
  picture.custom_ptr = &writer;
  const bool ok = WebPPictureImportRGB(&picture, image.data(), static_cast<int>(image.stride())) &&
                  WebPEncode(&config, &picture);
  const WebPEncodingError error = picture.error_code;
  WebPPictureFree(&picture);
  std::vector<std::uint8_t> file(writer.mem, writer.mem + writer.size);
  WebPMemoryWriterClear(&writer);
  if (!ok) throw CodecError(kCodecFailed, "WebP encoding failed (libwebp error " + std::to_string(error) + ")");
  return file;
}

void SetChunk(WebPMux* mux, const char* fourcc, const std::uint8_t* bytes, std::size_t size) {
  const WebPData data = {bytes, size};
  if (WebPMuxSetChunk(mux, fourcc, &data, 1) != WEBP_MUX_OK) throw CodecError(kCodecFailed, "WebP metadata chunk");
}

std::vector<std::uint8_t> WithMetadata(const std::vector<std::uint8_t>& picture, const CarriedBlocks& carried) {
  const WebPData data = {picture.data(), picture.size()};
  const std::unique_ptr<WebPMux, MuxDeleter> mux(WebPMuxCreate(&data, 1));
  if (!mux) throw CodecError(kCodecFailed, "WebP container");
  if (!carried.icc.empty()) SetChunk(mux.get(), "ICCP", carried.icc.data(), carried.icc.size());
  if (!carried.exif.empty()) SetChunk(mux.get(), "EXIF", carried.exif.data(), carried.exif.size());
  if (!carried.xmp.empty()) {
    SetChunk(mux.get(), "XMP ", reinterpret_cast<const std::uint8_t*>(carried.xmp.data()), carried.xmp.size());
  }
  WebPData assembled = {nullptr, 0};
  if (WebPMuxAssemble(mux.get(), &assembled) != WEBP_MUX_OK) throw CodecError(kCodecFailed, "WebP container");
  std::vector<std::uint8_t> file(assembled.bytes, assembled.bytes + assembled.size);
  WebPDataClear(&assembled);
  return file;
}

}  // namespace

template <>
ImageSize WebpCodec::ReadSize(std::span<const std::uint8_t> file) const {
  const WebPBitstreamFeatures features = Features(file);
  if (!features.has_animation) return {features.width, features.height};
  return CanvasSize(file);
}

template <>
RgbBuffer WebpCodec::Decode(std::span<const std::uint8_t> file, const DecodeOptions& options) const {
  const WebPBitstreamFeatures features = Features(file);
  RgbBuffer out;
  if (features.has_animation) {
    out = DecodeFirstFrame(file, options);
  } else {
    CheckDecodeSize(features.width, features.height, options);
    out = DecodeStill(file, features);
  }
  ConvertProfile(file, out);
  return out;
}

template <>
std::vector<std::uint8_t> WebpCodec::Encode(const RgbBuffer& image, const EncodeOptions& options) const {
  if (image.empty()) throw CodecError(kCodecFailed, "empty image");
  if (image.width() > WEBP_MAX_DIMENSION || image.height() > WEBP_MAX_DIMENSION) {
    throw CodecError(kCodecFailed, "WebP pictures are at most 16383 pixels wide and high");
  }
  std::vector<std::uint8_t> picture = EncodePicture(image, options.quality);
  const CarriedBlocks carried = CarriedBlocksOf(options.metadata);
  return carried.empty() ? picture : WithMetadata(picture, carried);
}

}  // namespace velmora::image
