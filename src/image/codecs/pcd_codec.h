// Kodak Photo CD image packs at the three base resolutions (Base/16 192x128,
// Base/4 384x256, Base 768x512), whose luma and half-size chroma planes lie
// uncompressed at fixed places; the higher resolutions are Huffman-coded
// residuals and are not read. Reading only.
#pragma once

#include "image/codecs/codec.h"

namespace velmora::image {

class PcdCodec final : public ImageCodec {
 public:
  // The size at the Base resolution, after the stored rotation.
  ImageSize ReadSize(std::span<const std::uint8_t> file) const override;
  // Reads the resolution DecodeOptions::pcd_resolution selects (0 to 2).
  RgbBuffer Decode(std::span<const std::uint8_t> file, const DecodeOptions& options) const override;
  bool CanEncode() const override { return false; }
  std::vector<std::uint8_t> Encode(const RgbBuffer& image, const EncodeOptions& options) const override;
};

}  // namespace velmora::image
