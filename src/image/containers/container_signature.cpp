#include "image/containers/container_signature.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

namespace velmora::image {
namespace {

// Brands of still pictures coded with HEVC, and those with AV1. The
// structural brands ("mif1", "msf1", "miaf") say only that a file holds
// pictures; they decide nothing on their own, but a file whose only
// brands they are is read as HEIF, the family's oldest member.
constexpr std::array<std::string_view, 6> kHevcBrands = {"heic", "heix", "hevc", "hevx", "heim", "heis"};
constexpr std::array<std::string_view, 2> kAv1Brands = {"avif", "avis"};
constexpr std::array<std::string_view, 3> kStructuralBrands = {"mif1", "msf1", "miaf"};

template <std::size_t N>
bool OneOf(std::string_view brand, const std::array<std::string_view, N>& brands) {
  return std::find(brands.begin(), brands.end(), brand) != brands.end();
}

std::uint32_t BigEndian32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
         static_cast<std::uint32_t>(p[2]) << 8 | p[3];
}

PhotoContainer HeifFamily(std::span<const std::uint8_t> head) {
  // Box size, "ftyp", major brand, minor version, then compatible brands.
  if (head.size() < 16 || std::memcmp(head.data() + 4, "ftyp", 4) != 0) return PhotoContainer::kNone;
  const std::uint32_t box_size = BigEndian32(head.data());
  if (box_size < 16 || box_size > 4096) return PhotoContainer::kNone;
  const std::size_t end = std::min<std::size_t>(box_size, head.size());
  auto brand_at = [&](std::size_t offset) {
    return std::string_view(reinterpret_cast<const char*>(head.data() + offset), 4);
  };
  const std::string_view major = brand_at(8);
  if (OneOf(major, kAv1Brands)) return PhotoContainer::kAvif;
  if (OneOf(major, kHevcBrands)) return PhotoContainer::kHeif;
  bool avif = false, heif = false, structural = OneOf(major, kStructuralBrands);
  for (std::size_t offset = 16; offset + 4 <= end; offset += 4) {
    const std::string_view brand = brand_at(offset);
    avif = avif || OneOf(brand, kAv1Brands);
    heif = heif || OneOf(brand, kHevcBrands);
    structural = structural || OneOf(brand, kStructuralBrands);
  }
  if (avif && !heif) return PhotoContainer::kAvif;
  if (heif || structural) return PhotoContainer::kHeif;
  return PhotoContainer::kNone;
}

}  // namespace

PhotoContainer ContainerOfFile(std::span<const std::uint8_t> head) {
  if (head.size() >= 12 && std::memcmp(head.data(), "RIFF", 4) == 0 && std::memcmp(head.data() + 8, "WEBP", 4) == 0) {
    return PhotoContainer::kWebp;
  }
  return HeifFamily(head);
}

}  // namespace velmora::image
