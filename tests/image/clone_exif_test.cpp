// The clone's EXIF block corrected among carried markers and inside a JPEG
// file in memory; a damaged segment list is left as it is.
#include "image/clone_exif.h"

#include <gtest/gtest.h>

namespace velmora::image {
namespace {

using Bytes = std::vector<std::uint8_t>;

// "Exif\0\0" and a little-endian TIFF block: IFD0 with Orientation 6 and a
// pointer to the EXIF directory, which holds PixelXDimension 4000 and
// PixelYDimension 3000 (LONG).
Bytes ExifBlock() {
  Bytes b = {'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0, 8, 0, 0, 0,
             2, 0,                                           // IFD0: two entries
             0x12, 0x01, 3, 0, 1, 0, 0, 0, 6, 0, 0, 0,       // Orientation SHORT 6
             0x69, 0x87, 4, 0, 1, 0, 0, 0, 38, 0, 0, 0,      // EXIF directory at 38
             0, 0, 0, 0,                                     // no next directory
             2, 0,                                           // EXIF directory: two entries
             0x02, 0xA0, 4, 0, 1, 0, 0, 0, 0xA0, 0x0F, 0, 0,  // PixelXDimension 4000
             0x03, 0xA0, 4, 0, 1, 0, 0, 0, 0xB8, 0x0B, 0, 0,  // PixelYDimension 3000
             0, 0, 0, 0};
  return b;
}
constexpr std::size_t kOrientationAt = 6 + 18;
constexpr std::size_t kWidthAt = 6 + 38 + 2 + 8;
constexpr std::size_t kHeightAt = kWidthAt + 12;

std::uint32_t Le32(const Bytes& b, std::size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

Bytes JpegWith(const Bytes& app1) {
  Bytes file = {0xFF, 0xD8, 0xFF, 0xFF, 0xFF, 0xE0, 0, 4, 'J', 'F'};  // a fill byte, a short APP0
  file.insert(file.end(), {0xFF, 0xE1, static_cast<std::uint8_t>((app1.size() + 2) >> 8),
                           static_cast<std::uint8_t>(app1.size() + 2)});
  file.insert(file.end(), app1.begin(), app1.end());
  file.insert(file.end(), {0xFF, 0xDA, 0, 2, 0xFF, 0xD9});
  return file;
}

TEST(CloneExifTest, CarriedMarkersGetTheClonesSizeAndTheTurn) {
  ImageMetadata metadata;
  metadata.jpeg_markers = {{0xE1, ExifBlock()}, {0xE1, {'h', 't', 't', 'p'}}, {0xFE, {'E', 'x', 'i', 'f', 0, 0}}};
  CorrectCloneExif(metadata, {300, 400}, true);
  const Bytes& exif = metadata.jpeg_markers[0].data;
  EXPECT_EQ(exif.size(), ExifBlock().size());
  EXPECT_EQ(exif[kOrientationAt], 1);
  EXPECT_EQ(Le32(exif, kWidthAt), 300u);
  EXPECT_EQ(Le32(exif, kHeightAt), 400u);
  // Other markers, a comment that merely starts like EXIF included, stay.
  EXPECT_EQ(metadata.jpeg_markers[1].data, (Bytes{'h', 't', 't', 'p'}));
  EXPECT_EQ(metadata.jpeg_markers[2].data, (Bytes{'E', 'x', 'i', 'f', 0, 0}));

  // A clone left as stored keeps the turn for the viewer to make.
  metadata.jpeg_markers = {{0xE1, ExifBlock()}};
  CorrectCloneExif(metadata, {400, 300}, false);
  EXPECT_EQ(metadata.jpeg_markers[0].data[kOrientationAt], 6);
  EXPECT_EQ(Le32(metadata.jpeg_markers[0].data, kWidthAt), 400u);
}

TEST(CloneExifTest, AJpegFileIsCorrectedInPlaceAfterFillBytesAndOtherSegments) {
  Bytes file = JpegWith(ExifBlock());
  const std::size_t exif_at = file.size() - 6 - ExifBlock().size();
  CorrectCloneExif(file, {300, 400}, true);
  EXPECT_EQ(file[exif_at + kOrientationAt], 1);
  EXPECT_EQ(Le32(file, exif_at + kWidthAt), 300u);
  EXPECT_EQ(Le32(file, exif_at + kHeightAt), 400u);
}

TEST(CloneExifTest, ADamagedSegmentListIsLeftAlone) {
  const Bytes good = JpegWith(ExifBlock());
  std::vector<Bytes> damaged;
  Bytes longer = good;  // the EXIF segment claims more bytes than the file has
  longer[12] = 0x7F;
  damaged.push_back(longer);
  Bytes zero = good;  // a length below its own two bytes
  zero[12] = 0;
  zero[13] = 1;
  damaged.push_back(zero);
  damaged.push_back(Bytes(good.begin(), good.begin() + 30));  // cut inside the segment
  damaged.push_back(Bytes(good.begin(), good.begin() + 3));
  damaged.push_back(Bytes{0x89, 'P', 'N', 'G'});
  damaged.push_back(Bytes{});
  for (Bytes file : damaged) {
    const Bytes before = file;
    CorrectCloneExif(file, {300, 400}, true);
    EXPECT_EQ(file, before);
  }
  // After the first scan nothing is taken for a segment.
  Bytes scan_first = {0xFF, 0xD8, 0xFF, 0xDA, 0, 2};
  const Bytes block = JpegWith(ExifBlock());
  scan_first.insert(scan_first.end(), block.begin() + 2, block.end());
  const Bytes before = scan_first;
  CorrectCloneExif(scan_first, {300, 400}, true);
  EXPECT_EQ(scan_first, before);
}

}  // namespace
}  // namespace velmora::image
