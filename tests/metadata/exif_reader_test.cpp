// The TIFF directory walk of EXIF segments: byte order, value conversion,
// sub-directories, and blocks that are damaged or built to do harm.
#include <gtest/gtest.h>

#include <chrono>

#include "metadata/metadata_reader.h"
#include "tiff_builder.h"

namespace velmora::metadata {
namespace {

using test::BuildTiff;
using test::Bytes;
using test::Directory;
using test::Entry;
using test::ExifSegment;

std::vector<std::string> Values(const PhotoMetadata& m, ExifSection section, std::uint16_t tag) {
  const RLExif* entry = m.Find(section, tag);
  return entry == nullptr ? std::vector<std::string>{"<missing>"} : entry->values;
}

PhotoMetadata FromSegment(const Bytes& app1) {
  PhotoMetadata m;
  ParseExifSegment(m, app1);
  return m;
}

// IFD0 with make and model, an EXIF directory with an interoperability
// directory, a GPS directory and IFD1.
std::vector<Directory> CameraLayout() {
  Directory ifd0{{Entry::Ascii(271, "Canon"), Entry::Ascii(272, "Canon EOS 10D"), Entry::Short(274, {6}),
                  Entry::Pointer(34665, 1), Entry::Pointer(34853, 3)},
                 4};
  Directory exif{{Entry::Rational(33434, 1, 250), Entry::Rational(33437, 28, 10), Entry::Short(34855, {400}),
                  Entry::Ascii(36867, "2004:10:02 23:29:52"), Entry::Pointer(40965, 2)}};
  Directory interop{{Entry::Ascii(1, "R98")}};
  Directory gps{{Entry::Ascii(1, "N"), Entry{2, 5, 3, {48, 1, 8, 1, 1234, 100}, {}, {}, -1, -1}}};
  Directory ifd1{{Entry::Short(259, {6}), Entry::Long(513, {5000})}};
  return {ifd0, exif, interop, gps, ifd1};
}

TEST(ExifReaderTest, BigAndLittleEndianBlocksGiveTheSameEntries) {
  const PhotoMetadata little = FromSegment(ExifSegment(BuildTiff(ByteOrder::kLittle, CameraLayout())));
  const PhotoMetadata big = FromSegment(ExifSegment(BuildTiff(ByteOrder::kBig, CameraLayout())));
  for (int s = 0; s < kExifSectionCount; ++s) {
    const auto section = static_cast<ExifSection>(s);
    ASSERT_EQ(little.Section(section).size(), big.Section(section).size()) << "section " << s;
    for (std::size_t i = 0; i < little.Section(section).size(); ++i) {
      EXPECT_EQ(little.Section(section)[i].tag, big.Section(section)[i].tag);
      EXPECT_EQ(little.Section(section)[i].values, big.Section(section)[i].values);
    }
  }
  EXPECT_EQ(Values(big, ExifSection::kMain, 33434), std::vector<std::string>{"1/250"});
  EXPECT_EQ(Values(big, ExifSection::kMain, 34855), std::vector<std::string>{"400"});
}

TEST(ExifReaderTest, SubDirectoriesGpsAndThumbnailLandInTheirSections) {
  const PhotoMetadata m = FromSegment(ExifSegment(BuildTiff(ByteOrder::kLittle, CameraLayout())));
  // EXIF and interoperability entries join IFD0's in the main section.
  EXPECT_EQ(Values(m, ExifSection::kMain, 36867), std::vector<std::string>{"2004:10:02 23:29:52"});
  EXPECT_EQ(Values(m, ExifSection::kMain, 1), std::vector<std::string>{"R98"});
  EXPECT_EQ(Values(m, ExifSection::kGps, 2), (std::vector<std::string>{"48/1", "8/1", "1234/100"}));
  EXPECT_EQ(m.Find(ExifSection::kMain, 2), nullptr);
  EXPECT_EQ(Values(m, ExifSection::kThumbnail, 513), std::vector<std::string>{"5000"});
  EXPECT_EQ(m.Find(ExifSection::kMain, 513), nullptr);
  EXPECT_EQ(m.make, "Canon");
  EXPECT_EQ(m.model, "Canon EOS 10D");
  EXPECT_EQ(m.Orientation(), 6);
}

TEST(ExifReaderTest, FortyTwoInTheWrongByteOrderIgnoresTheSegment) {
  Bytes tiff = BuildTiff(ByteOrder::kLittle, {{{Entry::Ascii(271, "Canon")}}});
  tiff[2] = 0;
  tiff[3] = 42;  // big-endian 42 under an "II" mark
  const PhotoMetadata m = FromSegment(ExifSegment(tiff));
  EXPECT_FALSE(m.HasExif());
  EXPECT_EQ(m.make, "");
}

TEST(ExifReaderTest, EachTypeConvertsToItsText) {
  const ByteOrder order = ByteOrder::kBig;
  const Bytes tiff = BuildTiff(
      order, {{{Entry::Raw(1, 1, 3, {0, 127, 255}), Entry::Raw(2, 6, 2, {0xFF, 0x80}),
                Entry::Raw(3, 7, 2, {'0', '2'}), Entry{4, 8, 2, {0xFFFE, 7}, {}, {}, -1, -1},
                Entry{5, 9, 1, {0xFFFFFFFF}, {}, {}, -1, -1}, Entry::Long(6, {4294967295u}),
                Entry{7, 10, 1, {0xFFFFFFFF, 3}, {}, {}, -1, -1}, Entry{8, 11, 1, {0x3FC00000}, {}, {}, -1, -1},
                Entry{9, 12, 1, {0x3FB999999999999A}, {}, {}, -1, -1},
                Entry{10, 12, 1, {0x4415AF1D78B58C40}, {}, {}, -1, -1}}}});
  PhotoMetadata m;
  ParseTiffBlock(m, tiff);
  EXPECT_EQ(Values(m, ExifSection::kMain, 1), (std::vector<std::string>{"0", "127", "255"}));
  EXPECT_EQ(Values(m, ExifSection::kMain, 2), (std::vector<std::string>{"-1", "-128"}));
  EXPECT_EQ(Values(m, ExifSection::kMain, 3), (std::vector<std::string>{"48", "50"}));
  EXPECT_EQ(Values(m, ExifSection::kMain, 4), (std::vector<std::string>{"-2", "7"}));
  EXPECT_EQ(Values(m, ExifSection::kMain, 5), std::vector<std::string>{"-1"});
  EXPECT_EQ(Values(m, ExifSection::kMain, 6), std::vector<std::string>{"4294967295"});
  EXPECT_EQ(Values(m, ExifSection::kMain, 7), std::vector<std::string>{"-1/3"});
  EXPECT_EQ(Values(m, ExifSection::kMain, 8), std::vector<std::string>{"1.5"});
  EXPECT_EQ(Values(m, ExifSection::kMain, 9), std::vector<std::string>{"0.1"});
  // Decimal text, never an exponent.
  EXPECT_EQ(Values(m, ExifSection::kMain, 10), std::vector<std::string>{"100000000000000000000"});
}

TEST(ExifReaderTest, AsciiOfFourBytesStandsInTheEntryAndOfFiveAtItsOffset) {
  for (const ByteOrder order : {ByteOrder::kLittle, ByteOrder::kBig}) {
    const Bytes tiff = BuildTiff(order, {{{Entry::Ascii(305, "abc"), Entry::Ascii(306, "abcd")}}});
    PhotoMetadata m;
    ParseTiffBlock(m, tiff);
    EXPECT_EQ(Values(m, ExifSection::kMain, 305), std::vector<std::string>{"abc"});
    EXPECT_EQ(Values(m, ExifSection::kMain, 306), std::vector<std::string>{"abcd"});
    // The first entry's value lies in its own last four bytes.
    EXPECT_EQ(m.Find(ExifSection::kMain, 305)->value_offset, 8u + 2 + 8);
  }
}

TEST(ExifReaderTest, AsciiEndsAtItsFirstZeroByteExceptTheCopyright) {
  const std::string copyright("Photographer\0Editor\0", 20);
  const Bytes tiff = BuildTiff(ByteOrder::kLittle, {{{Entry::Raw(270, 2, 6, test::ToBytes(std::string("ab\0cd\0", 6))),
                                                       Entry::Raw(33432, 2, 20, test::ToBytes(copyright))}}});
  PhotoMetadata m;
  ParseTiffBlock(m, tiff);
  EXPECT_EQ(Values(m, ExifSection::kMain, 270), std::vector<std::string>{"ab"});
  EXPECT_EQ(Values(m, ExifSection::kMain, 33432), std::vector<std::string>{copyright});
}

TEST(ExifReaderTest, Utf8TextsBecomeWindows1252AndOtherBytesStayAsTheyAre) {
  const Bytes tiff = BuildTiff(ByteOrder::kLittle,
                               {{{Entry::Ascii(270, "Caf\xC3\xA9 \xE2\x82\xAC"), Entry::Ascii(271, "Caf\xE9"),
                                  Entry::Ascii(272, "\xE6\x97\xA5 x"), Entry::Ascii(305, "plain")}}});
  PhotoMetadata m;
  ParseTiffBlock(m, tiff);
  EXPECT_EQ(Values(m, ExifSection::kMain, 270), std::vector<std::string>{"Caf\xE9 \x80"});
  EXPECT_EQ(Values(m, ExifSection::kMain, 271), std::vector<std::string>{"Caf\xE9"});
  EXPECT_EQ(Values(m, ExifSection::kMain, 272), std::vector<std::string>{"? x"});
  EXPECT_EQ(m.make, "Caf\xE9");
}

TEST(ExifReaderTest, MakerNoteAndEmptyEntriesAreKeptAsPositionAndSize) {
  Directory ifd0{{Entry::Pointer(34665, 1), Entry::Raw(305, 2, 0, {})}};
  Directory exif{{Entry::Undefined(37500, Bytes(40, 0xAA))}};
  const Bytes tiff = BuildTiff(ByteOrder::kLittle, {ifd0, exif});
  const PhotoMetadata m = FromSegment(ExifSegment(tiff));
  const RLExif* note = m.Find(ExifSection::kMain, 37500);
  ASSERT_NE(note, nullptr);
  // Positions count from 1 at the segment's marker: the TIFF header is at 11.
  EXPECT_EQ(note->values, std::vector<std::string>{"Offset:" + std::to_string(note->value_offset + 11) + " Bytes:40"});
  EXPECT_EQ(tiff[note->value_offset], 0xAA);
  const RLExif* empty = m.Find(ExifSection::kMain, 305);
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(empty->values, std::vector<std::string>{"Offset:" + std::to_string(8 + 2 + 12 + 8 + 11) + " Bytes:0"});

  // In a TIFF file the same position counts from the file's first byte.
  PhotoMetadata file;
  ParseTiffBlock(file, tiff);
  EXPECT_EQ(file.Find(ExifSection::kMain, 37500)->values,
            std::vector<std::string>{"Offset:" + std::to_string(note->value_offset + 1) + " Bytes:40"});
}

TEST(ExifReaderTest, AnUnknownFieldTypeEndsItsDirectoryOnly) {
  Directory ifd0{{Entry::Short(274, {1}), Entry::Pointer(34665, 1), Entry::Raw(280, 13, 1, {1, 0, 0, 0}),
                  Entry::Short(296, {2})},
                 2};
  Directory exif{{Entry::Short(34855, {100})}};
  Directory ifd1{{Entry::Short(259, {6})}};
  PhotoMetadata m;
  ParseTiffBlock(m, BuildTiff(ByteOrder::kLittle, {ifd0, exif, ifd1}));
  EXPECT_NE(m.Find(ExifSection::kMain, 274), nullptr);
  EXPECT_NE(m.Find(ExifSection::kMain, 34855), nullptr);
  EXPECT_EQ(m.Find(ExifSection::kMain, 280), nullptr);
  EXPECT_EQ(m.Find(ExifSection::kMain, 296), nullptr);
  // The directory ended before its next-directory field.
  EXPECT_TRUE(m.Section(ExifSection::kThumbnail).empty());
}

TEST(ExifReaderTest, DirectoriesThatPointAtThemselvesAreWalkedOnce) {
  // IFD0 names itself as EXIF directory, GPS directory and next directory.
  Directory ifd0{{Entry::Short(274, {1}), Entry::Pointer(34665, 0), Entry::Pointer(34853, 1)}, 0};
  Directory gps{{Entry::Ascii(1, "N"), Entry::Pointer(34853, 1)}, 1};
  PhotoMetadata m;
  ParseTiffBlock(m, BuildTiff(ByteOrder::kBig, {ifd0, gps}));
  EXPECT_EQ(m.Section(ExifSection::kMain).size(), 3u);
  EXPECT_EQ(m.Section(ExifSection::kGps).size(), 2u);
  EXPECT_TRUE(m.Section(ExifSection::kThumbnail).empty());
}

TEST(ExifReaderTest, ACutSegmentKeepsWhatWasReadBeforeTheCut) {
  const Bytes whole = ExifSegment(BuildTiff(ByteOrder::kLittle, CameraLayout()));
  const PhotoMetadata full = FromSegment(whole);
  std::size_t total = 0;
  for (const auto& section : full.exif) total += section.size();
  // Every cut gives a prefix of the whole: never more, never other entries.
  std::size_t previous = 0;
  for (std::size_t size = 0; size <= whole.size(); ++size) {
    const PhotoMetadata cut = FromSegment(Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size)));
    std::size_t count = 0;
    for (int s = 0; s < kExifSectionCount; ++s) {
      const auto& entries = cut.exif[static_cast<std::size_t>(s)];
      count += entries.size();
      ASSERT_LE(entries.size(), full.exif[static_cast<std::size_t>(s)].size());
      for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].tag, full.exif[static_cast<std::size_t>(s)][i].tag);
      }
    }
    EXPECT_GE(count, previous) << "cut at " << size;
    previous = count;
  }
  EXPECT_EQ(previous, total);
}

TEST(ExifReaderTest, AValueBeyondTheBlockCostsThatValueOnly) {
  Entry beyond = Entry::Ascii(270, "a description that will not be found");
  beyond.forced_offset = 0x7FFFFFF0;
  PhotoMetadata m;
  ParseTiffBlock(m, BuildTiff(ByteOrder::kLittle, {{{beyond, Entry::Ascii(271, "Canon")}}}));
  ASSERT_NE(m.Find(ExifSection::kMain, 270), nullptr);
  EXPECT_EQ(Values(m, ExifSection::kMain, 270),
            std::vector<std::string>{"Offset:" + std::to_string(0x7FFFFFF0 + 1) + " Bytes:37"});
  EXPECT_EQ(m.Find(ExifSection::kMain, 270)->value_offset, 0u);
  EXPECT_EQ(m.make, "Canon");
}

TEST(ExifReaderTest, EntriesSharingOneLargeValueCannotExhaustMemory) {
  // Forty entries name the same 60000 bytes: converted one text per byte
  // that would be 2.4 million texts; the walk stops converting at its budget.
  Directory ifd0;
  for (std::uint16_t tag = 1; tag <= 40; ++tag) {
    Entry e = Entry::Raw(tag, 7, 60000, {});
    e.forced_offset = 8;
    ifd0.entries.push_back(e);
  }
  Bytes tiff = BuildTiff(ByteOrder::kLittle, {ifd0});
  tiff.resize(70000, 0);
  PhotoMetadata m;
  const auto start = std::chrono::steady_clock::now();
  ParseTiffBlock(m, tiff);
  const auto elapsed = std::chrono::steady_clock::now() - start;
  std::size_t texts = 0;
  for (const RLExif& e : m.Section(ExifSection::kMain)) texts += e.values.size();
  EXPECT_EQ(m.Section(ExifSection::kMain).size(), 40u);
  EXPECT_LE(texts, (1u << 20) + 40);
  EXPECT_LT(std::chrono::duration_cast<std::chrono::seconds>(elapsed).count(), 5);
  // The entries beyond the budget keep their position and size.
  EXPECT_EQ(m.Section(ExifSection::kMain).back().values, std::vector<std::string>{"Offset:9 Bytes:60000"});
}

TEST(ExifReaderTest, SubDirectoriesNestedDeeperThanExifEverNestsAreNotFollowed) {
  // Each EXIF directory names the next as its EXIF directory: IFD0 and
  // four levels below it are read, not the fifth.
  std::vector<Directory> chain;
  for (int level = 0; level <= 5; ++level) {
    Directory d{{Entry::Short(static_cast<std::uint16_t>(1000 + level), {1})}};
    if (level < 5) d.entries.push_back(Entry::Pointer(34665, level + 1));
    chain.push_back(d);
  }
  PhotoMetadata m;
  ParseTiffBlock(m, BuildTiff(ByteOrder::kLittle, chain));
  EXPECT_NE(m.Find(ExifSection::kMain, 1004), nullptr);
  EXPECT_EQ(m.Find(ExifSection::kMain, 1005), nullptr);
}

TEST(ExifReaderTest, ALongChainOfDirectoriesEndsAfterSixtyFour) {
  std::vector<Directory> chain;
  for (int i = 0; i < 100; ++i) chain.push_back({{Entry::Short(274, {1})}, i + 1 < 100 ? i + 1 : -1});
  PhotoMetadata m;
  ParseTiffBlock(m, BuildTiff(ByteOrder::kBig, chain));
  EXPECT_EQ(m.Section(ExifSection::kMain).size() + m.Section(ExifSection::kThumbnail).size(), 64u);
}

TEST(ExifReaderTest, TheNumberOfEntriesIsBounded) {
  Directory huge;
  for (int i = 0; i < 65535; ++i) huge.entries.push_back(Entry::Short(static_cast<std::uint16_t>(i), {1}));
  PhotoMetadata m;
  ParseTiffBlock(m, BuildTiff(ByteOrder::kLittle, {huge}));
  EXPECT_EQ(m.Section(ExifSection::kMain).size(), 16384u);
}

TEST(ExifReaderTest, AValueOfMoreThan65536ComponentsIsKeptAsPositionAndSize) {
  PhotoMetadata m;
  ParseTiffBlock(m, BuildTiff(ByteOrder::kLittle, {{{Entry::Undefined(700, Bytes(70000, 'x')),
                                                      Entry::Undefined(701, Bytes(65536, 'y'))}}}));
  ASSERT_EQ(m.Section(ExifSection::kMain).size(), 2u);
  EXPECT_EQ(m.Section(ExifSection::kMain)[0].values.size(), 1u);
  EXPECT_TRUE(m.Section(ExifSection::kMain)[0].values[0].ends_with(" Bytes:70000"));
  EXPECT_NE(m.Section(ExifSection::kMain)[0].value_offset, 0u);
  EXPECT_EQ(m.Section(ExifSection::kMain)[1].values.size(), 65536u);
}

TEST(ExifReaderTest, OnlyTheExifDirectoryHoldsTheMakerNote) {
  // A Nikon note written into IFD1 instead: stored, but not decoded.
  Directory ifd0{{Entry::Ascii(271, "NIKON"), Entry::Ascii(272, "E950")}, 1};
  Directory ifd1{{Entry::Undefined(37500, test::ToBytes(std::string("Nikon\0\1\0\1\0\1\0\3\0\1\0\0\0\7\0\0\0", 22)))}};
  PhotoMetadata m;
  ParseTiffBlock(m, BuildTiff(ByteOrder::kLittle, {ifd0, ifd1}));
  EXPECT_NE(m.Find(ExifSection::kThumbnail, 37500), nullptr);
  EXPECT_EQ(m.maker_code, 0);

  // The same note in the EXIF directory is decoded.
  Directory exif_ifd0{{Entry::Ascii(271, "NIKON"), Entry::Ascii(272, "E950"), Entry::Pointer(34665, 1)}};
  Directory exif{{ifd1.entries[0]}};
  PhotoMetadata n;
  ParseTiffBlock(n, BuildTiff(ByteOrder::kLittle, {exif_ifd0, exif}));
  EXPECT_EQ(n.maker_code, 16);
  EXPECT_EQ(Values(n, ExifSection::kMakernote, 1), std::vector<std::string>{"7"});
}

TEST(ExifReaderTest, AWalkEndedByAPositionBeyondTheBlockLeavesTheMakerNoteAlone) {
  Directory ifd0{{Entry::Ascii(271, "NIKON"), Entry::Ascii(272, "E950"), Entry::Pointer(34665, 1),
                  Entry::Long(34853, {0x00FFFFFF}), Entry::Short(50000, {1})}};
  Directory exif{{Entry::Undefined(37500, test::ToBytes(std::string("Nikon\0\1\0\1\0\1\0\3\0\1\0\0\0\7\0\0\0", 22)))}};
  PhotoMetadata m;
  ParseTiffBlock(m, BuildTiff(ByteOrder::kLittle, {ifd0, exif}));
  EXPECT_NE(m.Find(ExifSection::kMain, 37500), nullptr);
  EXPECT_EQ(m.Find(ExifSection::kMain, 50000), nullptr);
  EXPECT_EQ(m.maker_code, 0);
  EXPECT_TRUE(m.Section(ExifSection::kMakernote).empty());
}

}  // namespace
}  // namespace velmora::metadata
