// A clone's copy of the EXIF block: its pixel dimensions and orientation
// corrected in place, everything else byte for byte as it was.
#include "metadata/exif_patch.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include "exiftool_tags.h"
#include "metadata/metadata_reader.h"
#include "support/required_tool.h"
#include "support/temp_dir.h"
#include "tiff_builder.h"

namespace velmora::metadata {
namespace {

using test::Bytes;
using test::Directory;
using test::Entry;

Bytes CameraSegment(ByteOrder order) {
  Directory ifd0{{Entry::Short(256, {4000}), Entry::Long(257, {3000}), Entry::Short(274, {6}),
                  Entry::Pointer(34665, 1)},
                 2};
  Directory exif{{Entry::Long(40962, {4000}), Entry::Short(40963, {3000}), Entry::Rational(33434, 1, 60)}};
  Directory ifd1{{Entry::Short(256, {160}), Entry::Short(257, {120}), Entry::Short(274, {6})}};
  return test::ExifSegment(test::BuildTiff(order, {ifd0, exif, ifd1}));
}

std::string Value(const PhotoMetadata& m, ExifSection section, std::uint16_t tag) {
  const RLExif* e = m.Find(section, tag);
  return e == nullptr || e->values.empty() ? "<missing>" : e->values.front();
}

PhotoMetadata Read(const Bytes& app1) {
  PhotoMetadata m;
  ParseExifSegment(m, app1);
  return m;
}

TEST(ExifPatchTest, DimensionsAndOrientationChangeInPlaceInBothByteOrders) {
  for (const ByteOrder order : {ByteOrder::kLittle, ByteOrder::kBig}) {
    const Bytes original = CameraSegment(order);
    const Bytes patched = PatchExifForClone(original, 800, 600, true);
    ASSERT_EQ(patched.size(), original.size());
    const PhotoMetadata m = Read(patched);
    EXPECT_EQ(Value(m, ExifSection::kMain, 256), "800");
    EXPECT_EQ(Value(m, ExifSection::kMain, 257), "600");
    EXPECT_EQ(Value(m, ExifSection::kMain, 40962), "800");
    EXPECT_EQ(Value(m, ExifSection::kMain, 40963), "600");
    EXPECT_EQ(Value(m, ExifSection::kMain, 274), "1");
    EXPECT_EQ(Value(m, ExifSection::kMain, 33434), "1/60");
    // The thumbnail's own entries describe the thumbnail and stay.
    EXPECT_EQ(Value(m, ExifSection::kThumbnail, 256), "160");
    EXPECT_EQ(Value(m, ExifSection::kThumbnail, 257), "120");
    EXPECT_EQ(Value(m, ExifSection::kThumbnail, 274), "6");

    // Only the value bytes of the five entries differ.
    std::size_t changed = 0;
    for (std::size_t i = 0; i < original.size(); ++i) changed += original[i] != patched[i] ? 1 : 0;
    EXPECT_LE(changed, 2u + 4 + 2 + 4 + 2);
  }
}

TEST(ExifPatchTest, TheOrientationStaysUnlessAsked) {
  const PhotoMetadata m = Read(PatchExifForClone(CameraSegment(ByteOrder::kBig), 30, 40, false));
  EXPECT_EQ(Value(m, ExifSection::kMain, 274), "6");
  EXPECT_EQ(Value(m, ExifSection::kMain, 40962), "30");
}

TEST(ExifPatchTest, ASizeAShortCannotHoldLeavesTheShortAlone) {
  const PhotoMetadata m = Read(PatchExifForClone(CameraSegment(ByteOrder::kLittle), 70000, 50000, false));
  EXPECT_EQ(Value(m, ExifSection::kMain, 256), "4000");   // SHORT
  EXPECT_EQ(Value(m, ExifSection::kMain, 40962), "70000");  // LONG
  EXPECT_EQ(Value(m, ExifSection::kMain, 40963), "50000");  // SHORT, fits
}

TEST(ExifPatchTest, DataThatIsNoExifOrTooDamagedComesBackAsItWas) {
  const Bytes xmp = test::ToBytes(std::string_view("http://ns.adobe.com/xap/1.0/\0<x/>", 33));
  EXPECT_EQ(PatchExifForClone(xmp, 10, 10, true), xmp);
  const Bytes segment = CameraSegment(ByteOrder::kLittle);
  EXPECT_EQ(PatchExifForClone(segment, 0, 10, true), segment);
  EXPECT_EQ(PatchExifForClone(segment, 10, -1, true), segment);
  Bytes wrong_magic = segment;
  wrong_magic[9] = 43;
  EXPECT_EQ(PatchExifForClone(wrong_magic, 10, 10, true), wrong_magic);
  for (std::size_t size = 0; size < segment.size(); ++size) {
    const Bytes cut(segment.begin(), segment.begin() + static_cast<std::ptrdiff_t>(size));
    const Bytes patched = PatchExifForClone(cut, 10, 10, true);
    EXPECT_EQ(patched.size(), cut.size());
  }
}

TEST(ExifPatchTest, ValuesOfOtherTypesOrOutsideTheBlockStayUntouched) {
  Entry beyond = Entry{40962, 4, 2, {}, {}, {}, -1, 0x7FFFFFF0};
  Directory ifd0{{Entry::Rational(256, 4000, 1), Entry::Ascii(274, "6"), Entry::Pointer(34665, 1)}};
  Directory exif{{beyond, Entry::Short(40963, {3000})}};
  const Bytes segment = test::ExifSegment(test::BuildTiff(ByteOrder::kBig, {ifd0, exif}));
  const Bytes patched = PatchExifForClone(segment, 800, 600, true);
  const PhotoMetadata m = Read(patched);
  EXPECT_EQ(Value(m, ExifSection::kMain, 256), "4000/1");
  EXPECT_EQ(Value(m, ExifSection::kMain, 274), "6");
  EXPECT_EQ(Value(m, ExifSection::kMain, 40963), "600");
  // Only those two bytes changed: nothing was written at the block's start.
  std::size_t changed = 0;
  for (std::size_t i = 0; i < segment.size(); ++i) changed += segment[i] != patched[i] ? 1 : 0;
  EXPECT_EQ(changed, 2u);

  Bytes other_name = segment;
  std::copy_n("Exyz", 4, other_name.begin());
  EXPECT_EQ(PatchExifForClone(other_name, 800, 600, true), other_name);
}

// The data of the first EXIF APP1 segment of a JPEG file: position and size.
std::optional<std::pair<std::size_t, std::size_t>> FindExifSegment(const Bytes& jpeg) {
  std::size_t at = 2;
  while (at + 4 <= jpeg.size() && jpeg[at] == 0xFF && jpeg[at + 1] != 0xDA) {
    const std::size_t length = (std::size_t{jpeg[at + 2]} << 8) | jpeg[at + 3];
    if (jpeg[at + 1] == 0xE1 && at + 10 <= jpeg.size() && std::equal(jpeg.begin() + at + 4, jpeg.begin() + at + 8,
                                                                     std::string_view("Exif").begin())) {
      return std::pair{at + 4, length - 2};
    }
    at += 2 + length;
  }
  return std::nullopt;
}

Bytes ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

// exiftool, an independent reader, finds the new size in the patched
// copies of the camera files and every other tag exactly as before.
TEST(ExifPatchTest, ExiftoolSeesTheNewSizeAndNothingElseChanged) {
  VELMORA_REQUIRE_TOOL(test::ExiftoolAvailable(), "exiftool");
  const std::filesystem::path samples = std::filesystem::path(VELMORA_SOURCE_DIR) / ".." / "shared" / "samples" /
                                        "real" / "jpg";
  if (!std::filesystem::is_directory(samples)) GTEST_SKIP() << "no sample files beside the checkout";
  velmora::test::TempDir dir;
  std::vector<std::filesystem::path> originals, copies;
  for (const auto& item : std::filesystem::directory_iterator(samples)) {
    Bytes jpeg = ReadBytes(item.path());
    const auto segment = FindExifSegment(jpeg);
    if (!segment) continue;
    const std::span<const std::uint8_t> app1(jpeg.data() + segment->first, segment->second);
    const Bytes patched = PatchExifForClone(app1, 123, 45, true);
    std::copy(patched.begin(), patched.end(), jpeg.begin() + static_cast<std::ptrdiff_t>(segment->first));
    originals.push_back(item.path());
    copies.push_back(dir / item.path().filename().string());
    velmora::test::WriteFile(copies.back(), std::string_view(reinterpret_cast<const char*>(jpeg.data()), jpeg.size()));
  }
  ASSERT_FALSE(originals.empty());
  const auto before = test::RunExiftool(originals);
  const auto after = test::RunExiftool(copies);
  ASSERT_TRUE(before && after);
  for (std::size_t i = 0; i < originals.size(); ++i) {
    SCOPED_TRACE(originals[i].filename().string());
    const test::ExiftoolTags& old_tags = before->at(originals[i].string());
    const test::ExiftoolTags& new_tags = after->at(copies[i].string());
    if (old_tags.count("ExifIFD:ExifImageWidth") != 0) {
      EXPECT_EQ(new_tags.at("ExifIFD:ExifImageWidth"), "123");
      EXPECT_EQ(new_tags.at("ExifIFD:ExifImageHeight"), "45");
    }
    if (old_tags.count("IFD0:Orientation") != 0) {
      EXPECT_EQ(new_tags.at("IFD0:Orientation"), "1");
    }
    for (const auto& [key, value] : old_tags) {
      const bool expected_change = key.starts_with("System:") ||
                                   key.starts_with("Composite:") || key == "ExifIFD:ExifImageWidth" ||
                                   key == "ExifIFD:ExifImageHeight" || key == "IFD0:Orientation" ||
                                   key == "IFD0:ImageWidth" || key == "IFD0:ImageHeight";
      if (expected_change) continue;
      const auto found = new_tags.find(key);
      ASSERT_NE(found, new_tags.end()) << key;
      EXPECT_EQ(found->second, value) << key;
    }
  }
}

}  // namespace
}  // namespace velmora::metadata
