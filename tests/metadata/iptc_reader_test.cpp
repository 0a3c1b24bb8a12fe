// IPTC datasets from Photoshop's resource block in a JPEG APP13 segment.
#include <gtest/gtest.h>

#include "metadata/iptc_reader.h"
#include "metadata/metadata_reader.h"
#include "tiff_builder.h"

namespace velmora::metadata {
namespace {

using test::Append;
using test::Bytes;

Bytes Record(std::uint8_t record, std::uint8_t dataset, std::string_view text) {
  Bytes out = {0x1C, record, dataset};
  Append(out, text.size(), 2, ByteOrder::kBig);
  out.insert(out.end(), text.begin(), text.end());
  return out;
}

Bytes Records(std::initializer_list<Bytes> records) {
  Bytes out;
  for (const Bytes& r : records) out.insert(out.end(), r.begin(), r.end());
  return out;
}

// "8BIM", the resource number, the name as a Pascal string padded to an
// even length, the 32-bit size, the data padded to an even length.
Bytes Resource(std::uint16_t number, std::string_view name, const Bytes& data) {
  Bytes out = test::ToBytes("8BIM");
  Append(out, number, 2, ByteOrder::kBig);
  out.push_back(static_cast<std::uint8_t>(name.size()));
  out.insert(out.end(), name.begin(), name.end());
  if ((name.size() + 1) % 2 != 0) out.push_back(0);
  Append(out, data.size(), 4, ByteOrder::kBig);
  out.insert(out.end(), data.begin(), data.end());
  if (data.size() % 2 != 0) out.push_back(0);
  return out;
}

Bytes App13(std::initializer_list<Bytes> resources) {
  Bytes out = test::ToBytes(std::string_view("Photoshop 3.0\0", 14));
  for (const Bytes& r : resources) out.insert(out.end(), r.begin(), r.end());
  return out;
}

PhotoMetadata Parse(const Bytes& app13) {
  PhotoMetadata m;
  ParseIptcSegment(m, app13);
  return m;
}

TEST(IptcReaderTest, RepeatedKeywordsAreJoinedWithACommaInFileOrder) {
  const PhotoMetadata m = Parse(App13({Resource(
      0x0404, "", Records({Record(2, 0, std::string_view("\x00\x04", 2)), Record(2, 25, "a"), Record(2, 120, "The caption"),
                           Record(2, 25, "b")}))}));
  ASSERT_NE(m.FindIptc(25), nullptr);
  EXPECT_EQ(m.FindIptc(25)->text, "a,b");
  EXPECT_EQ(m.FindIptc(120)->text, "The caption");
  // The record version (dataset 0) is no dataset of the picture.
  EXPECT_EQ(m.FindIptc(0), nullptr);
  EXPECT_EQ(m.iptc.size(), 2u);
}

TEST(IptcReaderTest, OtherResourcesAndSeveralIptcBlocksAreWalkedOver) {
  const PhotoMetadata m =
      Parse(App13({Resource(0x03ED, "", Bytes(16, 0x1C)), Resource(0x0404, "", Records({Record(2, 5, "Title")})),
                   Resource(0x040C, "", Bytes(7, 0)), Resource(0x0404, "", Records({Record(2, 25, "c")}))}));
  EXPECT_EQ(m.FindIptc(5)->text, "Title");
  EXPECT_EQ(m.FindIptc(25)->text, "c");
}

TEST(IptcReaderTest, ANameWithAnOddLengthIsSkippedByItsLength) {
  const PhotoMetadata m = Parse(App13({Resource(0x0404, "abc", Records({Record(2, 25, "k")}))}));
  ASSERT_NE(m.FindIptc(25), nullptr);
  EXPECT_EQ(m.FindIptc(25)->text, "k");
}

TEST(IptcReaderTest, ARecordOfAnotherKindEndsTheSegment) {
  // The envelope record (1) first: nothing of this block or any later one is read.
  const PhotoMetadata m = Parse(App13({Resource(0x0404, "", Records({Record(1, 90, "\x1B%G"), Record(2, 25, "x")})),
                                       Resource(0x0404, "", Records({Record(2, 25, "y")}))}));
  EXPECT_TRUE(m.iptc.empty());
  const PhotoMetadata n =
      Parse(App13({Resource(0x0404, "", Records({Record(2, 25, "x"), Bytes{0x00, 0x02}, Record(2, 25, "z")}))}));
  EXPECT_EQ(n.FindIptc(25)->text, "x");
}

TEST(IptcReaderTest, ARecordRunningPastItsBlockOrTheSegmentKeepsTheRecordsBefore) {
  Bytes block = Records({Record(2, 120, "caption"), Record(2, 25, "keyword")});
  Bytes app13 = App13({Resource(0x0404, "", block)});
  for (std::size_t cut = 0; cut <= app13.size(); ++cut) {
    const PhotoMetadata m = Parse(Bytes(app13.begin(), app13.begin() + static_cast<std::ptrdiff_t>(cut)));
    if (m.FindIptc(25) != nullptr) {
      EXPECT_EQ(m.FindIptc(25)->text, "keyword");
    }
    if (m.FindIptc(120) != nullptr) {
      EXPECT_EQ(m.FindIptc(120)->text, "caption");
    }
  }
  // A record whose length claims more than the block holds.
  Bytes lying = Records({Record(2, 120, "caption")});
  lying.insert(lying.end(), {0x1C, 2, 25, 0x7F, 0xFF, 'k'});
  const PhotoMetadata m = Parse(App13({Resource(0x0404, "", lying), Bytes(64, 0)}));
  EXPECT_EQ(m.FindIptc(120)->text, "caption");
  EXPECT_EQ(m.FindIptc(25), nullptr);
}

TEST(IptcReaderTest, OnlyPhotoshopSegmentsAreRead) {
  Bytes app13 = App13({Resource(0x0404, "", Records({Record(2, 25, "k")}))});
  app13[0] = 'p';
  EXPECT_TRUE(Parse(app13).iptc.empty());
}

TEST(IptcReaderTest, Utf8TextsBecomeWindows1252) {
  const PhotoMetadata m = Parse(App13({Resource(0x0404, "", Records({Record(2, 80, "J\xC3\xBCrgen M\xC3\xBCller"),
                                                                     Record(2, 90, "K\xF6ln")}))}));
  EXPECT_EQ(m.FindIptc(80)->text, "J\xFCrgen M\xFCller");
  EXPECT_EQ(m.FindIptc(90)->text, "K\xF6ln");
}

TEST(IptcReaderTest, TiffFilesHoldTheRecordsThemselves) {
  PhotoMetadata m;
  EXPECT_TRUE(ParseIptcRecords(m, Records({Record(2, 25, "a"), Record(2, 25, "b")})));
  EXPECT_EQ(m.FindIptc(25)->text, "a,b");
  EXPECT_FALSE(ParseIptcRecords(m, Bytes{0x1C, 2, 25, 0, 9, 'x'}));
}

}  // namespace
}  // namespace velmora::metadata
