// Maker-note recognition: for each maker layout, a note built the way that
// maker's cameras write it must be found at its place, read in its byte
// order and with its offsets counted from the right base.
#include <gtest/gtest.h>

#include <optional>

#include "metadata/metadata_reader.h"
#include "tiff_builder.h"

namespace velmora::metadata {
namespace {

using test::Append;
using test::Bytes;
using test::Directory;
using test::Entry;

enum class NoteOrder { kBlock, kLittle, kBig };

struct Layout {
  const char* name;
  std::string make;
  std::string model;
  std::string prefix;                // the note's bytes in front of its directory
  std::uint32_t directory_at;        // where the directory starts in the note
  std::optional<std::uint32_t> base;  // offsets count from the note plus this; none: from the TIFF header
  NoteOrder order;
  std::int32_t maker_code;
};

// The note: the prefix, then a directory with a SHORT 7 inside its entry
// and a RATIONAL 3/4 after the directory, pointed at relative to the base.
Bytes BuildNote(const Layout& layout, std::uint32_t position, ByteOrder block_order) {
  const ByteOrder order = layout.order == NoteOrder::kBlock  ? block_order
                          : layout.order == NoteOrder::kBig ? ByteOrder::kBig
                                                            : ByteOrder::kLittle;
  Bytes note(layout.prefix.begin(), layout.prefix.end());
  note.resize(layout.directory_at, 0);
  const std::uint32_t value_in_note = layout.directory_at + 2 + 2 * 12 + 4;
  const std::uint32_t base = layout.base ? position + *layout.base : 0;
  Append(note, 2, 2, order);
  for (auto [tag, type, value] : {std::tuple{1, 3, 7u}, std::tuple{2, 5, position + value_in_note - base}}) {
    Append(note, static_cast<std::uint64_t>(tag), 2, order);
    Append(note, static_cast<std::uint64_t>(type), 2, order);
    Append(note, 1, 4, order);
    Append(note, value, type == 3 ? 2 : 4, order);
    if (type == 3) Append(note, 0, 2, order);
  }
  Append(note, 0, 4, order);
  Append(note, 3, 4, order);
  Append(note, 4, 4, order);
  Append(note, 0, 8, order);  // room after the value, as real notes have
  return note;
}

Bytes Segment(const Layout& layout, ByteOrder block_order, const std::string& before_note = "") {
  Directory ifd0{{Entry::Ascii(270, before_note.empty() ? "x" : before_note), Entry::Ascii(271, layout.make),
                  Entry::Ascii(272, layout.model), Entry::Pointer(34665, 1)}};
  Directory exif{{Entry::Built(37500, [&](std::uint32_t position, ByteOrder order) {
    return BuildNote(layout, position, order);
  })}};
  return test::ExifSegment(test::BuildTiff(block_order, {ifd0, exif}));
}

std::string NikonType3Prefix() {
  return std::string("Nikon\0\x02\x10\0\0", 10) + std::string("MM\0*\0\0\0\x08", 8);
}

const Layout kRecognised[] = {
    {"Agfa", "AGFA", "", std::string("AGFA \0\1\0", 8), 8, std::nullopt, NoteOrder::kBlock, 18},
    {"AsahiWithAoc", "Asahi Optical Co.,Ltd", "", std::string("AOC\0MM", 6), 6, std::nullopt, NoteOrder::kBlock, 3},
    {"AsahiPlain", "Asahi Optical Co.,Ltd", "", "", 0, std::nullopt, NoteOrder::kBlock, 2},
    {"Canon", "Canon", "Canon EOS 10D", "", 0, std::nullopt, NoteOrder::kBlock, 4},
    {"CasioWithQvc", "CASIO COMPUTER CO.,LTD.", "", std::string("QVC\0\0\0", 6), 6, std::nullopt,
     NoteOrder::kBlock, 6},
    {"CasioPlain", "CASIO", "QV-3000EX", "", 0, 0, NoteOrder::kBlock, 5},
    {"Epson", "SEIKO EPSON CORP.", "", std::string("EPSON\0\1\0", 8), 8, std::nullopt, NoteOrder::kBlock, 18},
    {"Fujifilm", "FUJIFILM", "FinePix S2Pro", std::string("FUJIFILM\x0C\0\0\0", 12), 12, 0, NoteOrder::kLittle, 8},
    {"Jenoptik", "JENOPTIK", "", std::string("SKANH\0\0\0", 8), 8, std::nullopt, NoteOrder::kBlock, 10},
    {"LeicaByFujifilm", "LEICA", "DIGILUX 4.3", std::string("FUJIFILM\x0C\0\0\0", 12), 12, 0, NoteOrder::kLittle,
     8},
    {"Leica", "Leica Camera AG", "", std::string("LEICA\0\0\0", 8), 8, std::nullopt, NoteOrder::kBlock, 14},
    {"Minolta", "Minolta Co., Ltd.", "", "", 0, std::nullopt, NoteOrder::kBlock, 15},
    {"NikonE950", "NIKON", "E950", std::string("Nikon\0\1\0", 8), 8, std::nullopt, NoteOrder::kBlock, 16},
    {"NikonLowerCaseE700", "NIKON", "COOLPIX E700", std::string("nikon\0\1\0", 8), 8, std::nullopt, NoteOrder::kBlock, 16},
    {"NikonWithOwnHeader", "NIKON CORPORATION", "NIKON D70", NikonType3Prefix(), 18, 10, NoteOrder::kBig, 17},
    {"NikonPlain", "NIKON", "E990", "", 0, std::nullopt, NoteOrder::kBlock, 17},
    {"OlympusOld", "OLYMPUS OPTICAL CO.,LTD", "C960Z", std::string("OLYMP\0\1\0", 8), 8, std::nullopt,
     NoteOrder::kBlock, 18},
    {"OlympusNew", "OLYMPUS IMAGING CORP.", "E-P3", std::string("OLYMPUS\0II\3\0", 12), 12, 0, NoteOrder::kLittle,
     18},
    {"Panasonic", "Panasonic", "DMC-LC33", std::string("Panasonic\0\0\0", 12), 12, std::nullopt,
     NoteOrder::kBlock, 19},
    {"Pentax", "PENTAX Corporation", "", std::string("AOC\0MM", 6), 6, std::nullopt, NoteOrder::kBlock, 3},
    {"Ricoh", "RICOH", "", std::string("RICOH\0\0\0", 8), 8, std::nullopt, NoteOrder::kBlock, 21},
    {"Sanyo", "SANYO Electric Co.,Ltd", "", std::string("SANYO\0\1\0", 8), 8, std::nullopt, NoteOrder::kBlock, 18},
    {"Sigma", "SIGMA", "", std::string("SIGMA\0\0\0\1\0", 10), 10, std::nullopt, NoteOrder::kBlock, 25},
};

class MakerNoteLayoutTest : public testing::TestWithParam<std::tuple<Layout, ByteOrder>> {};

TEST_P(MakerNoteLayoutTest, TheDirectoryIsReadAtItsPlaceInItsOrderWithItsBase) {
  const auto& [layout, block_order] = GetParam();
  PhotoMetadata m;
  ParseExifSegment(m, Segment(layout, block_order));
  EXPECT_EQ(m.maker_code, layout.maker_code);
  const RLExif* in_entry = m.Find(ExifSection::kMakernote, 1);
  const RLExif* at_offset = m.Find(ExifSection::kMakernote, 2);
  ASSERT_NE(in_entry, nullptr);
  ASSERT_NE(at_offset, nullptr);
  EXPECT_EQ(in_entry->values, std::vector<std::string>{"7"});
  EXPECT_EQ(at_offset->values, std::vector<std::string>{"3/4"});
  EXPECT_EQ(m.Section(ExifSection::kMakernote).size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(Makers, MakerNoteLayoutTest,
                         testing::Combine(testing::ValuesIn(kRecognised),
                                          testing::Values(ByteOrder::kLittle, ByteOrder::kBig)),
                         [](const auto& test_info) {
                           return std::string(std::get<0>(test_info.param).name) +
                                  (std::get<1>(test_info.param) == ByteOrder::kBig ? "InBigEndianBlock"
                                                                              : "InLittleEndianBlock");
                         });

const Layout kNotRecognised[] = {
    {"PentaxWithoutAoc", "PENTAX Corporation", "", "", 0, std::nullopt, NoteOrder::kBlock, 0},
    {"RicohWithoutSignature", "RICOH", "RDC-5300", "Rv0207;Sf6C84", 0, std::nullopt, NoteOrder::kBlock, 0},
    {"JenoptikWithoutSignature", "JENOPTIK", "", std::string("skanh\0\0\0", 8), 8, std::nullopt, NoteOrder::kBlock,
     0},
    {"Sony", "SONY", "DSC-P12", std::string("SONY DSC \0\0\0", 12), 12, std::nullopt, NoteOrder::kBlock, 0},
    {"Kodak", "EASTMAN KODAK COMPANY", "", "", 0, std::nullopt, NoteOrder::kBlock, 0},
};

class UnknownMakerNoteTest : public testing::TestWithParam<Layout> {};

TEST_P(UnknownMakerNoteTest, IsNotDecoded) {
  PhotoMetadata m;
  ParseExifSegment(m, Segment(GetParam(), ByteOrder::kLittle));
  EXPECT_EQ(m.maker_code, 0);
  EXPECT_TRUE(m.Section(ExifSection::kMakernote).empty());
  EXPECT_NE(m.Find(ExifSection::kMain, 37500), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Makers, UnknownMakerNoteTest, testing::ValuesIn(kNotRecognised),
                         [](const auto& test_info) { return std::string(test_info.param.name); });

TEST(MakerNoteTest, ASignatureBeforeTheNoteDoesNotCount) {
  // "AOC" in the image description, which stands before the note.
  const Layout pentax = {"", "PENTAX", "", "", 0, std::nullopt, NoteOrder::kBlock, 0};
  PhotoMetadata m;
  ParseExifSegment(m, Segment(pentax, ByteOrder::kBig, "AOC AOC"));
  EXPECT_EQ(m.maker_code, 0);
}

TEST(MakerNoteTest, ANikonHeaderOnlyCountsForTheEarlyCoolpixModels) {
  // The same "Nikon\0\1\0" note from a model outside the list is taken for
  // the later layout, whose directory lies 18 bytes in: nothing sensible there.
  Layout later = kRecognised[12];
  later.model = "D100";
  PhotoMetadata m;
  ParseExifSegment(m, Segment(later, ByteOrder::kLittle));
  EXPECT_EQ(m.maker_code, 17);
  EXPECT_EQ(m.Find(ExifSection::kMakernote, 2), nullptr);
}

TEST(MakerNoteTest, ANoteWhoseDirectoryLiesBeyondTheSegmentKeepsTheRest) {
  const Layout fuji = {"", "FUJIFILM", "", std::string("FUJIFILM\xF0\xFF\xFF\x7F", 12), 12, 0, NoteOrder::kLittle, 8};
  PhotoMetadata m;
  ParseExifSegment(m, Segment(fuji, ByteOrder::kLittle));
  EXPECT_EQ(m.maker_code, 8);
  EXPECT_TRUE(m.Section(ExifSection::kMakernote).empty());
  EXPECT_EQ(m.make, "FUJIFILM");
}

TEST(MakerNoteTest, TheNotesOwnTagsNeitherRenameTheCameraNorLeadElsewhere) {
  // A Canon note whose tags 271 and 272 and 34665 mean something else; the
  // last names a directory of one entry right after the note's own.
  Directory ifd0{{Entry::Ascii(271, "Canon"), Entry::Ascii(272, "Canon EOS 10D"), Entry::Pointer(34665, 1)}};
  Directory exif{{Entry::Built(37500, [](std::uint32_t position, ByteOrder order) {
    Bytes note;
    Append(note, 3, 2, order);
    for (const auto& [tag, type, value] : {std::tuple{271, 2, std::uint32_t{0x00585858}},
                                            std::tuple{272, 2, std::uint32_t{0x00595959}},
                                            std::tuple{34665, 4, position + 2 + 3 * 12 + 4}}) {
      Append(note, static_cast<std::uint64_t>(tag), 2, order);
      Append(note, static_cast<std::uint64_t>(type), 2, order);
      Append(note, type == 2 ? 4 : 1, 4, order);
      Append(note, value, 4, ByteOrder::kLittle);
    }
    Append(note, 0, 4, order);
    Append(note, 1, 2, order);
    for (const std::uint64_t field : {7, 3, 1, 9}) Append(note, field, field == 1 || field == 9 ? 4 : 2, order);
    Append(note, 0, 4, order);
    return note;
  })}};
  PhotoMetadata m;
  ParseTiffBlock(m, test::BuildTiff(ByteOrder::kLittle, {ifd0, exif}));
  EXPECT_EQ(m.maker_code, 4);
  EXPECT_EQ(m.make, "Canon");
  EXPECT_EQ(m.model, "Canon EOS 10D");
  EXPECT_EQ(m.Section(ExifSection::kMakernote).size(), 3u);
  EXPECT_EQ(m.Find(ExifSection::kMakernote, 271)->values, std::vector<std::string>{"XXX"});
}

TEST(MakerNoteTest, ANotePlacedBeyondTheSegmentIsNotRecognised) {
  Entry note = Entry::Undefined(37500, Bytes(16, 'A'));
  note.forced_offset = 0x7FFFFF00;
  Directory ifd0{{Entry::Ascii(271, "PENTAX"), Entry::Pointer(34665, 1)}};
  PhotoMetadata m;
  ParseTiffBlock(m, test::BuildTiff(ByteOrder::kBig, {ifd0, Directory{{note}}}));
  EXPECT_NE(m.Find(ExifSection::kMain, 37500), nullptr);
  EXPECT_EQ(m.maker_code, 0);
}

TEST(MakerNoteTest, TheFocalMultiplierIsZeroForAModelOutsideTheTable) {
  PhotoMetadata m;
  ParseExifSegment(m, Segment(kRecognised[3], ByteOrder::kLittle));
  EXPECT_EQ(m.focal_multiplier, 0.0);
  EXPECT_EQ(LookupFocalMultiplier("No Such Camera 1"), 0.0);
}

}  // namespace
}  // namespace velmora::metadata
