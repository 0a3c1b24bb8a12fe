// Which photo container a file is, from its first bytes: the HEIF family
// (ISO base media files whose brands name HEIF or AVIF pictures) and WebP
// (RIFF files of form "WEBP"). Other files sharing the ISO box layout, such
// as videos or Canon's CR3 raw files, are none of them.
#pragma once

#include <cstdint>
#include <span>

namespace velmora::image {

enum class PhotoContainer { kNone, kHeif, kAvif, kWebp };

// Reads no further than the file type box, itself bounded: a few dozen
// bytes decide. Never throws.
PhotoContainer ContainerOfFile(std::span<const std::uint8_t> head);

}  // namespace velmora::image
