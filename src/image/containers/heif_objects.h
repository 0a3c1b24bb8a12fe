// libheif's objects with owners: every one is released on every path,
// whatever throws in between.
#pragma once

#include <libheif/heif.h>

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace velmora::image::heif {

struct ContextDeleter {
  void operator()(heif_context* p) const { heif_context_free(p); }
};
struct HandleDeleter {
  void operator()(heif_image_handle* p) const { heif_image_handle_release(p); }
};
struct ImageDeleter {
  void operator()(heif_image* p) const { heif_image_release(p); }
};
struct EncoderDeleter {
  void operator()(heif_encoder* p) const { heif_encoder_release(p); }
};
struct DecodingOptionsDeleter {
  void operator()(heif_decoding_options* p) const { heif_decoding_options_free(p); }
};
struct EncodingOptionsDeleter {
  void operator()(heif_encoding_options* p) const { heif_encoding_options_free(p); }
};
struct NclxDeleter {
  void operator()(heif_color_profile_nclx* p) const { heif_nclx_color_profile_free(p); }
};

using Context = std::unique_ptr<heif_context, ContextDeleter>;
using Handle = std::unique_ptr<heif_image_handle, HandleDeleter>;
using Image = std::unique_ptr<heif_image, ImageDeleter>;
using Encoder = std::unique_ptr<heif_encoder, EncoderDeleter>;
using DecodingOptions = std::unique_ptr<heif_decoding_options, DecodingOptionsDeleter>;
using EncodingOptions = std::unique_ptr<heif_encoding_options, EncodingOptionsDeleter>;
using Nclx = std::unique_ptr<heif_color_profile_nclx, NclxDeleter>;

// A file in memory opened for reading, with its primary picture. The bytes
// must outlive the context: libheif reads them in place.
struct OpenedFile {
  Context context;
  Handle primary;
};

// Nothing when libheif refuses the file; `error` then says why.
inline bool Open(std::span<const std::uint8_t> file, OpenedFile& opened, std::string& error) {
  opened.context.reset(heif_context_alloc());
  if (!opened.context) {
    error = "out of memory";
    return false;
  }
  heif_error e = heif_context_read_from_memory_without_copy(opened.context.get(), file.data(), file.size(), nullptr);
  if (e.code == heif_error_Ok) {
    heif_image_handle* handle = nullptr;
    e = heif_context_get_primary_image_handle(opened.context.get(), &handle);
    opened.primary.reset(handle);
  }
  if (e.code != heif_error_Ok) {
    error = e.message != nullptr ? e.message : "unreadable HEIF file";
    return false;
  }
  return true;
}

}  // namespace velmora::image::heif
