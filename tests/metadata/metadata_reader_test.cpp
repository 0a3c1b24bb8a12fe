// Whole files: the containers (JPEG segments, PNG chunks, TIFF files) are
// told by their content and walked for every kind of metadata they carry,
// from memory and from disk alike.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <zlib.h>

#include "metadata/metadata_reader.h"
#include "support/temp_dir.h"
#include "tiff_builder.h"

namespace velmora::metadata {
namespace {

using test::Append;
using test::Bytes;
using test::Directory;
using test::Entry;
using test::ToBytes;

const std::string kXmp =
    "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\"><rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">"
    "<rdf:Description xmlns:dc=\"http://purl.org/dc/elements/1.1/\">"
    "<dc:title><rdf:Alt><rdf:li xml:lang=\"x-default\">Caf\xC3\xA9</rdf:li></rdf:Alt></dc:title>"
    "<dc:subject><rdf:Bag><rdf:li>a</rdf:li><rdf:li>b</rdf:li></rdf:Bag></dc:subject>"
    "</rdf:Description></rdf:RDF></x:xmpmeta>";

Bytes CameraTiff(ByteOrder order) {
  Directory ifd0{{Entry::Ascii(271, "NIKON"), Entry::Ascii(272, "E950"), Entry::Short(274, {8}),
                  Entry::Pointer(34665, 1)}};
  Directory exif{{Entry::Rational(33437, 28, 10), Entry::Undefined(37500, ToBytes(std::string("Nikon\0\1\0\0\0", 10)))}};
  return test::BuildTiff(order, {ifd0, exif});
}

Bytes XmpSegment() {
  Bytes out = ToBytes(std::string_view("http://ns.adobe.com/xap/1.0/\0", 29));
  out.insert(out.end(), kXmp.begin(), kXmp.end());
  return out;
}

Bytes IptcSegment(std::string_view caption) {
  Bytes records = {0x1C, 2, 120};
  Append(records, caption.size(), 2, ByteOrder::kBig);
  records.insert(records.end(), caption.begin(), caption.end());
  Bytes out = ToBytes(std::string_view("Photoshop 3.0\08BIM\x04\x04\0\0", 22));
  Append(out, records.size(), 4, ByteOrder::kBig);
  out.insert(out.end(), records.begin(), records.end());
  return out;
}

std::string Comment(const PhotoMetadata& m, std::string_view key) {
  const ImageComment* c = m.FindComment(key);
  return c == nullptr ? "<missing>" : c->text;
}

// Both ways in: from memory and from a file on disk.
std::vector<PhotoMetadata> ReadBothWays(const Bytes& file) {
  velmora::test::TempDir dir;
  const auto path = dir / "photo.bin";
  velmora::test::WriteFile(path, std::string_view(reinterpret_cast<const char*>(file.data()), file.size()));
  return {ReadPhotoMetadata(file), ReadPhotoMetadata(path)};
}

TEST(MetadataReaderTest, AJpegGivesExifXmpIptcAndItsComments) {
  const Bytes jpeg = test::BuildJpeg({{0xE0, ToBytes(std::string_view("JFIF\0\1\1\0\0\1\0\1\0\0", 14))},
                                      {0xE1, test::ExifSegment(CameraTiff(ByteOrder::kBig))},
                                      {0xE1, XmpSegment()},
                                      {0xED, IptcSegment("Harbour")},
                                      {0xFE, ToBytes("first comment")},
                                      {0xFE, ToBytes(std::string_view("second comment\0", 15))}});
  for (const PhotoMetadata& m : ReadBothWays(jpeg)) {
    EXPECT_EQ(m.make, "NIKON");
    EXPECT_EQ(m.Orientation(), 8);
    EXPECT_EQ(m.maker_code, 16);
    EXPECT_EQ(m.FindIptc(120)->text, "Harbour");
    EXPECT_EQ(Comment(m, "XMP:title"), "Caf\xE9");
    EXPECT_EQ(Comment(m, "XMP:subject"), "a,b");
    // One key for every comment: the last one stays.
    EXPECT_EQ(Comment(m, kJpegCommentKey), "second comment");
  }
}

TEST(MetadataReaderTest, AJpegIsReadUpToItsImageDataOnly) {
  Bytes jpeg = test::BuildJpeg({{0xFE, ToBytes("before")}});
  // Fill bytes in front of a marker, then a comment right after the
  // scan's header, where the entropy-coded data begin.
  jpeg.insert(jpeg.begin() + 2, {0xFF, 0xFF});
  const Bytes after = {0xFF, 0xFE, 0x00, 0x07, 'a', 'f', 't', 'e', 'r'};
  jpeg.insert(jpeg.end() - 4, after.begin(), after.end());
  for (const PhotoMetadata& m : ReadBothWays(jpeg)) EXPECT_EQ(Comment(m, kJpegCommentKey), "before");
}

TEST(MetadataReaderTest, SegmentsBeyondTheFirstReadOfAFileAreFound) {
  // A large ICC profile first pushes the EXIF segment past the first 64 KiB.
  const Bytes jpeg = test::BuildJpeg({{0xE2, Bytes(65000, 0x11)},
                                      {0xE2, Bytes(65000, 0x22)},
                                      {0xE1, test::ExifSegment(CameraTiff(ByteOrder::kLittle))},
                                      {0xFE, ToBytes("late")}});
  for (const PhotoMetadata& m : ReadBothWays(jpeg)) {
    EXPECT_EQ(m.model, "E950");
    EXPECT_EQ(Comment(m, kJpegCommentKey), "late");
  }
}

TEST(MetadataReaderTest, AJpegCutInsideItsExifSegmentKeepsWhatWasRead) {
  const Bytes jpeg = test::BuildJpeg({{0xE1, test::ExifSegment(CameraTiff(ByteOrder::kLittle))}});
  // Cut inside the EXIF directory, after the model's value.
  const PhotoMetadata m = ReadPhotoMetadata(Bytes(jpeg.begin(), jpeg.begin() + 120));
  EXPECT_EQ(m.make, "NIKON");
  EXPECT_EQ(m.model, "E950");
}

std::string Deflated(const std::string& text) {
  uLongf size = compressBound(static_cast<uLong>(text.size()));
  std::string out(size, '\0');
  compress(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(text.data()),
           static_cast<uLong>(text.size()));
  out.resize(size);
  return out;
}

TEST(MetadataReaderTest, APngGivesItsTextChunksXmpAndExif) {
  const Bytes png = test::BuildPng({
      {"IHDR", Bytes(13, 0)},
      {"tEXt", ToBytes(std::string_view("Title\0Hafen von K\xF6ln", 20))},
      {"zTXt", ToBytes(std::string("Comment\0\0", 9) + Deflated("packed text"))},
      {"IDAT", Bytes(3000, 0x55)},
      {"iTXt", ToBytes(std::string("Author\0\0\0de\0Autor\0J\xC3\xBCrgen", 25))},
      {"iTXt", ToBytes(std::string("Description\0\1\0\0\0", 16) + Deflated("gepackt \xE2\x82\xAC"))},
      {"iTXt", ToBytes(std::string("XML:com.adobe.xmp\0\0\0\0\0", 22) + kXmp)},
      {"eXIf", CameraTiff(ByteOrder::kBig)},
  });
  for (const PhotoMetadata& m : ReadBothWays(png)) {
    EXPECT_EQ(Comment(m, "Title"), "Hafen von K\xF6ln");
    EXPECT_EQ(Comment(m, "Comment"), "packed text");
    EXPECT_EQ(Comment(m, "Author"), "J\xFCrgen");
    EXPECT_EQ(Comment(m, "Description"), "gepackt \x80");
    EXPECT_EQ(Comment(m, "XMP:title"), "Caf\xE9");
    EXPECT_EQ(m.model, "E950");
    EXPECT_EQ(m.Orientation(), 8);
  }
}

// ImageMagick's form: name line, length line, hexadecimal digits in lines.
std::string RawProfile(const std::string& name, const Bytes& bytes) {
  static const char* kHex = "0123456789abcdef";
  std::string text = "\n" + name + "\n" + std::to_string(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i % 36 == 0) text += '\n';
    text += kHex[bytes[i] >> 4];
    text += kHex[bytes[i] & 15];
  }
  return text + "\n";
}

TEST(MetadataReaderTest, ImageMagicksRawProfilesInPngTextAreRead) {
  const Bytes resources = ToBytes(std::string_view("8BIM\x04\x04\0\0\0\0\0\x09\x1C\x02\x19\0\x04" "Dock", 21));
  const Bytes png = test::BuildPng({
      {"zTXt", ToBytes(std::string("Raw profile type exif\0\0", 23) +
                       Deflated(RawProfile("exif", test::ExifSegment(CameraTiff(ByteOrder::kLittle)))))},
      {"tEXt", ToBytes(std::string("Raw profile type iptc\0", 22) + RawProfile("IPTC profile", resources))},
  });
  const PhotoMetadata m = ReadPhotoMetadata(png);
  EXPECT_EQ(m.model, "E950");
  ASSERT_NE(m.FindIptc(25), nullptr);
  EXPECT_EQ(m.FindIptc(25)->text, "Dock");

  // Fewer digits than the length says, or a stray character: no profile.
  const std::string whole = RawProfile("exif", test::ExifSegment(CameraTiff(ByteOrder::kLittle)));
  const Bytes cut = test::BuildPng({{"tEXt", ToBytes("Raw profile type exif" + std::string(1, '\0') +
                                                     whole.substr(0, whole.size() - 4))}});
  EXPECT_TRUE(ReadPhotoMetadata(cut).model.empty());
  const Bytes stray = test::BuildPng({{"tEXt", ToBytes("Raw profile type exif" + std::string(1, '\0') +
                                                       whole.substr(0, 40) + "x" + whole.substr(40))}});
  EXPECT_TRUE(ReadPhotoMetadata(stray).model.empty());
}

TEST(MetadataReaderTest, APngTextThatUnpacksIntoTooMuchIsLeftOut) {
  const Bytes png = test::BuildPng({{"zTXt", ToBytes(std::string("Bomb\0\0", 6) + Deflated(std::string(8 << 20, 'x')))},
                                    {"tEXt", ToBytes(std::string_view("After\0still read", 16))}});
  const PhotoMetadata m = ReadPhotoMetadata(png);
  EXPECT_EQ(m.FindComment("Bomb"), nullptr);
  EXPECT_EQ(Comment(m, "After"), "still read");
}

TEST(MetadataReaderTest, APngTextChunkOfMoreThan16MegabytesIsSkipped) {
  Bytes big = ToBytes(std::string_view("Huge\0", 5));
  big.resize((16 << 20) + 10, 'x');
  const Bytes png = test::BuildPng({{"tEXt", big}, {"tEXt", ToBytes(std::string_view("Small\0s", 7))}});
  for (const PhotoMetadata& m : ReadBothWays(png)) {
    EXPECT_EQ(m.FindComment("Huge"), nullptr);
    EXPECT_EQ(Comment(m, "Small"), "s");
  }
}

TEST(MetadataReaderTest, BrokenUtf8InAnInternationalTextBecomesQuestionMarks) {
  const Bytes png = test::BuildPng({{"iTXt", ToBytes(std::string("Title\0\0\0\0\0a\xFF" "b\xC3", 14))}});
  EXPECT_EQ(Comment(ReadPhotoMetadata(png), "Title"), "a?b?");
}

TEST(MetadataReaderTest, ANamedPipeWithAPhotosNameDoesNotBlock) {
  velmora::test::TempDir dir;
  const auto pipe = dir / "photo.jpg";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_FALSE(ReadPhotoMetadata(pipe).HasExif());
}

TEST(MetadataReaderTest, APngEndsAtIend) {
  Bytes png = test::BuildPng({{"tEXt", ToBytes(std::string_view("A\0one", 5))}});
  const Bytes late = test::BuildPng({{"tEXt", ToBytes(std::string_view("B\0two", 5))}});
  png.insert(png.end(), late.begin() + 8, late.end());  // a chunk after IEND
  const PhotoMetadata m = ReadPhotoMetadata(png);
  EXPECT_EQ(Comment(m, "A"), "one");
  EXPECT_EQ(m.FindComment("B"), nullptr);
}

TEST(MetadataReaderTest, ATiffFileGivesItsDirectoriesIptcAndXmp) {
  const Bytes records = {0x1C, 2, 25, 0, 1, 'k', 0x1C, 2, 25, 0, 1, 'l'};
  for (const ByteOrder order : {ByteOrder::kLittle, ByteOrder::kBig}) {
    Directory ifd0{{Entry::Short(256, {640}), Entry::Ascii(271, "Canon"), Entry::Raw(700, 1, 0, ToBytes(kXmp)),
                    Entry::Raw(33723, 7, static_cast<std::uint32_t>(records.size()), records)}};
    ifd0.entries[2].count = static_cast<std::uint32_t>(kXmp.size());
    const Bytes tiff = test::BuildTiff(order, {ifd0});
    for (const PhotoMetadata& m : ReadBothWays(tiff)) {
      EXPECT_EQ(m.make, "Canon");
      ASSERT_NE(m.FindIptc(25), nullptr);
      EXPECT_EQ(m.FindIptc(25)->text, "k,l");
      EXPECT_EQ(Comment(m, "XMP:subject"), "a,b");
      // Positions in a file count from its first byte.
      EXPECT_EQ(m.Find(ExifSection::kMain, 256)->values, std::vector<std::string>{"640"});
    }
  }
}

TEST(MetadataReaderTest, OtherFilesAndMissingFilesGiveNothing) {
  for (const Bytes& file : {Bytes{}, ToBytes("GIF89a"), ToBytes("BM...."), Bytes{0xFF, 0xD8}, ToBytes("II*")}) {
    for (const PhotoMetadata& m : ReadBothWays(file)) {
      EXPECT_FALSE(m.HasExif());
      EXPECT_TRUE(m.comments.empty());
    }
  }
  EXPECT_FALSE(ReadPhotoMetadata(std::filesystem::path("/nonexistent/photo.jpg")).HasExif());
  velmora::test::TempDir dir;
  EXPECT_FALSE(ReadPhotoMetadata(dir.path()).HasExif());  // a folder
}

}  // namespace
}  // namespace velmora::metadata
