// Our reading of camera files, and of files that exiftool itself wrote,
// against exiftool's reading of the same files: every value exiftool
// reports for the fields that templates show most must match ours
// (rationals as numbers, texts after trimming), and each camera maker's
// note must be recognised with its entries readable.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "exiftool_tags.h"
#include "metadata/metadata_reader.h"
#include "platform/text_encoding.h"
#include "support/required_tool.h"
#include "support/temp_dir.h"

namespace velmora::metadata {
namespace {

namespace fs = std::filesystem;
using test::ExiftoolTags;

fs::path SamplesFolder(const char* kind = "jpg") {
  return fs::path(VELMORA_SOURCE_DIR) / ".." / "shared" / "samples" / "real" / kind;
}

std::string Trimmed(std::string text) {
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// A number from our text: "n/d" rationals divided, nothing for 0 denominators.
std::optional<double> Number(const std::string& text) {
  const std::size_t slash = text.find('/');
  char* end = nullptr;
  if (slash == std::string::npos) {
    const double value = std::strtod(text.c_str(), &end);
    return end != text.c_str() && *end == '\0' ? std::optional<double>(value) : std::nullopt;
  }
  const double numerator = std::strtod(text.substr(0, slash).c_str(), nullptr);
  const double denominator = std::strtod(text.substr(slash + 1).c_str(), nullptr);
  if (denominator == 0) return std::nullopt;
  return numerator / denominator;
}

bool Close(double a, double b) { return std::fabs(a - b) <= 1e-6 * std::max(1.0, std::fabs(b)); }

// Our entry as exiftool shows it: an ASCII value as its text, BYTE and
// UNDEFINED values as the characters they spell, numbers joined by blanks.
std::string AsExiftoolText(const RLExif& entry) {
  std::string out;
  if (entry.type == TiffType::kAscii) return Cp1252ToUtf8(entry.values.front());
  if (entry.type == TiffType::kUndefined || entry.type == TiffType::kByte) {
    for (const std::string& v : entry.values) out += static_cast<char>(std::atoi(v.c_str()));
    return Trimmed(out.substr(0, out.find('\0')));
  }
  for (const std::string& v : entry.values) out += (out.empty() ? "" : " ") + v;
  return out;
}

// Compares the value exiftool gives for `key` (if it gives one) with `ours`.
class Comparison {
 public:
  explicit Comparison(const ExiftoolTags& tags) : tags_(tags) {}

  void Text(const std::string& key, const std::optional<std::string>& ours_cp1252) {
    const auto theirs = tags_.find(key);
    if (theirs == tags_.end()) return;
    ++compared_;
    ASSERT_TRUE(ours_cp1252.has_value()) << key << " is missing; exiftool: " << theirs->second;
    EXPECT_EQ(Trimmed(Cp1252ToUtf8(*ours_cp1252)), Trimmed(theirs->second)) << key;
  }

  void Value(const std::string& key, const std::optional<double>& ours, bool ours_present) {
    const auto theirs = tags_.find(key);
    if (theirs == tags_.end()) return;
    ++compared_;
    ASSERT_TRUE(ours_present) << key << " is missing; exiftool: " << theirs->second;
    if (theirs->second.empty()) {  // exiftool's word for a value that is no number (0/0)
      EXPECT_FALSE(ours.has_value()) << key;
      return;
    }
    ASSERT_TRUE(ours.has_value()) << key << ": exiftool " << theirs->second;
    EXPECT_TRUE(Close(*ours, std::strtod(theirs->second.c_str(), nullptr)))
        << key << ": ours " << *ours << ", exiftool " << theirs->second;
  }

  void Entry(const std::string& key, const PhotoMetadata& m, ExifSection section, std::uint16_t tag) {
    const RLExif* entry = m.Find(section, tag);
    Value(key, entry != nullptr && !entry->values.empty() ? Number(entry->values.front()) : std::nullopt,
          entry != nullptr);
  }

  // Degrees, minutes and seconds as one signless number of degrees.
  void Coordinate(const std::string& key, const PhotoMetadata& m, std::uint16_t tag) {
    const RLExif* entry = m.Find(ExifSection::kGps, tag);
    std::optional<double> degrees = 0.0;
    if (entry == nullptr || entry->values.size() != 3) degrees.reset();
    for (std::size_t i = 0; degrees && i < 3; ++i) {
      const std::optional<double> part = Number(entry->values[i]);
      degrees = part ? std::optional<double>(*degrees + *part / std::pow(60.0, static_cast<double>(i))) : std::nullopt;
    }
    Value(key, degrees, entry != nullptr);
  }

  int compared() const { return compared_; }

 private:
  const ExiftoolTags& tags_;
  int compared_ = 0;
};

std::optional<std::string> EntryText(const PhotoMetadata& m, ExifSection section, std::uint16_t tag) {
  const RLExif* entry = m.Find(section, tag);
  if (entry == nullptr || entry->values.empty()) return std::nullopt;
  return entry->values.front();
}

std::optional<std::string> IptcText(const PhotoMetadata& m, int dataset) {
  const IptcEntry* entry = m.FindIptc(dataset);
  return entry == nullptr ? std::nullopt : std::optional<std::string>(entry->text);
}

std::optional<std::string> CommentText(const PhotoMetadata& m, std::string_view key) {
  const ImageComment* c = m.FindComment(key);
  return c == nullptr ? std::nullopt : std::optional<std::string>(c->text);
}

int CompareWithExiftool(const PhotoMetadata& m, const ExiftoolTags& tags) {
  Comparison c(tags);
  c.Text("IFD0:Make", m.make);
  c.Text("IFD0:Model", m.model);
  c.Text("ExifIFD:DateTimeOriginal", EntryText(m, ExifSection::kMain, 36867));
  c.Entry("ExifIFD:ExposureTime", m, ExifSection::kMain, 33434);
  c.Entry("ExifIFD:FNumber", m, ExifSection::kMain, 33437);
  c.Entry("ExifIFD:ISO", m, ExifSection::kMain, 34855);
  c.Entry("ExifIFD:FocalLength", m, ExifSection::kMain, 37386);
  c.Entry("IFD0:Orientation", m, ExifSection::kMain, 274);
  c.Text("GPS:GPSLatitudeRef", EntryText(m, ExifSection::kGps, 1));
  c.Coordinate("GPS:GPSLatitude", m, 2);
  c.Text("GPS:GPSLongitudeRef", EntryText(m, ExifSection::kGps, 3));
  c.Coordinate("GPS:GPSLongitude", m, 4);
  c.Text("IPTC:Caption-Abstract", IptcText(m, 120));
  c.Text("IPTC:Keywords", IptcText(m, 25));
  c.Text("IPTC:By-line", IptcText(m, 80));
  for (const char* field : {"Title", "Description", "Subject", "Creator", "Rights"}) {
    std::string key = field;
    key[0] = static_cast<char>(key[0] - 'A' + 'a');
    c.Text(std::string("XMP-dc:") + field, CommentText(m, "XMP:" + key));
  }
  c.Text("XMP-photoshop:Headline", CommentText(m, "XMP:headline"));
  return c.compared();
}

class RealFilesTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!test::ExiftoolAvailable() || !fs::is_directory(SamplesFolder())) return;
    for (const auto& item : fs::directory_iterator(SamplesFolder())) files_.push_back(item.path());
    std::sort(files_.begin(), files_.end());
    exiftool_ = test::RunExiftool(files_);
  }

  void SetUp() override {
    VELMORA_REQUIRE_TOOL(test::ExiftoolAvailable(), "exiftool");
    if (files_.empty()) GTEST_SKIP() << "no sample files beside the checkout";
    ASSERT_TRUE(exiftool_.has_value());
  }

  static const ExiftoolTags& Tags(const fs::path& file) { return exiftool_->at(file.string()); }

  static inline std::vector<fs::path> files_;
  static inline std::optional<std::map<std::string, ExiftoolTags>> exiftool_;
};

TEST_F(RealFilesTest, CameraFilesReadAsExiftoolReadsThem) {
  int compared = 0;
  for (const fs::path& file : files_) {
    SCOPED_TRACE(file.filename().string());
    compared += CompareWithExiftool(ReadPhotoMetadata(file), Tags(file));
  }
  // Make and model at least for every file.
  EXPECT_GE(compared, 2 * static_cast<int>(files_.size()));
}

// Phones keep EXIF and XMP as items of a HEIF file or chunks of a WebP file;
// they must read as exiftool reads them, damaged files included (which give
// what could be found, and never stop a run).
TEST(PhoneFilesTest, HeifAndWebpItemsReadAsExiftoolReadsThem) {
  VELMORA_REQUIRE_TOOL(test::ExiftoolAvailable(), "exiftool");
  std::vector<fs::path> files;
  for (const char* kind : {"heic", "webp", "avif"}) {
    if (!fs::is_directory(SamplesFolder(kind))) continue;
    for (const auto& item : fs::directory_iterator(SamplesFolder(kind))) files.push_back(item.path());
  }
  if (files.empty()) GTEST_SKIP() << "no sample files beside the checkout";
  const auto exiftool = test::RunExiftool(files);
  ASSERT_TRUE(exiftool.has_value());
  int with_make = 0, compared = 0;
  for (const fs::path& file : files) {
    SCOPED_TRACE(file.filename().string());
    const ExiftoolTags& tags = exiftool->at(file.string());
    with_make += tags.contains("IFD0:Make") ? 1 : 0;
    compared += CompareWithExiftool(ReadPhotoMetadata(file), tags);
  }
  ASSERT_GE(with_make, 4) << "the phone samples carry EXIF";
  EXPECT_GE(compared, 3 * with_make);
}

// Per sample file: the maker code its make gives, and one tag of its maker
// note that exiftool reports too (by exiftool's name and the tag number).
struct MakerSample {
  const char* file;
  std::int32_t maker_code;
  const char* exiftool_key;
  std::uint16_t tag;
};
constexpr MakerSample kMakerSamples[] = {
    {"Canon IXUS 400.jpg", 4, "Canon:FileNumber", 8},
    {"Canon IXUS v3.jpg", 4, "Canon:CanonFirmwareVersion", 7},
    {"Canon IXUS.jpg", 4, "Canon:OwnerName", 9},
    {"Casio QV-3000EX.jpg", 5, "Casio:RecordingMode", 1},
    {"FujiFilm FinePix1400Zoom (1).jpg", 8, "FujiFilm:Quality", 4096},
    {"FujiFilm FinePix1400Zoom (2).jpg", 8, "FujiFilm:Sharpness", 4097},
    {"Minolta DiMAGE 5.jpg", 15, "Minolta:MakerNoteVersion", 0},
    {"Nikon E900 (2).jpg", 16, "Nikon:Quality", 3},
    {"Nikon E950.jpg", 16, "Nikon:Quality", 3},
    {"Olympus C4040Z.jpg", 18, "Olympus:Quality", 513},
    {"Olympus C960.jpg", 18, "Olympus:CameraType", 519},
    {"Olympus PEN E-P3.jpg", 18, "Olympus:SpecialMode", 512},
    {"Panasonic DMC-LC33 (Lumix).jpg", 19, "Panasonic:ImageQuality", 1},
    {"Panasonic DMC-LC70 (Lumix).jpg", 19, "Panasonic:InternalSerialNumber", 37},
    {"Pentax Optio 330.jpg", 2, "Pentax:Quality", 2},
    {"Pentax ist D.jpg", 3, "Pentax:PentaxModelID", 5},
    {"Sanyo S1.JPG", 18, "Sanyo:SanyoQuality", 513},
    // No maker note in the file, a text note without the maker's
    // signature, makers whose notes the layouts do not cover.
    {"FujiFilm FinePixS1Pro (4).jpg", 0, nullptr, 0},
    {"Nikon D5000.jpg", 0, nullptr, 0},
    {"Ricoh RDC5300.jpg", 0, nullptr, 0},
    {"Kodak DC3400.jpg", 0, nullptr, 0},
    {"Sony DSC-P12.jpg", 0, nullptr, 0},
};

TEST_F(RealFilesTest, EachMakersNoteIsRecognisedAndReadable) {
  for (const MakerSample& sample : kMakerSamples) {
    SCOPED_TRACE(sample.file);
    const fs::path file = SamplesFolder() / sample.file;
    ASSERT_TRUE(fs::exists(file));
    const PhotoMetadata m = ReadPhotoMetadata(file);
    EXPECT_EQ(m.maker_code, sample.maker_code);
    if (sample.exiftool_key == nullptr) {
      EXPECT_TRUE(m.Section(ExifSection::kMakernote).empty());
      continue;
    }
    EXPECT_FALSE(m.Section(ExifSection::kMakernote).empty());
    const RLExif* entry = m.Find(ExifSection::kMakernote, sample.tag);
    ASSERT_NE(entry, nullptr);
    const std::string theirs = Trimmed(Tags(file).at(sample.exiftool_key));
    const std::string ours = AsExiftoolText(*entry);
    const std::optional<double> their_number = Number(theirs);
    const std::optional<double> our_number = Number(ours);
    if (their_number && our_number) {
      EXPECT_TRUE(Close(*our_number, *their_number)) << ours << " vs " << theirs;
    } else {
      EXPECT_EQ(Trimmed(ours), theirs);
    }
  }
}

// Files that exiftool wrote itself, in each container we read: what it
// wrote, we read.
class ExiftoolWrittenTest : public testing::TestWithParam<const char*> {};

TEST_P(ExiftoolWrittenTest, ReadsWhatExiftoolWrote) {
  VELMORA_REQUIRE_TOOL(test::ExiftoolAvailable(), "exiftool");
  VELMORA_REQUIRE_TOOL(std::system("convert -version >/dev/null 2>&1") == 0, "ImageMagick's convert");
  velmora::test::TempDir dir;
  const fs::path file = dir / (std::string("written.") + GetParam());
  const std::string create = "convert -size 16x8 xc:teal '" + file.string() + "' 2>/dev/null";
  ASSERT_EQ(std::system(create.c_str()), 0);
  const std::string write =
      "exiftool -q -q -overwrite_original -n -IFD0:Make='Test Maker' -IFD0:Model='Model 7' -IFD0:Orientation=6 "
      "-ExifIFD:DateTimeOriginal='2024:05:06 07:08:09' -ExifIFD:ExposureTime=0.008 -ExifIFD:FNumber=5.6 "
      "-ExifIFD:ISO=400 -ExifIFD:FocalLength=35 -GPS:GPSLatitude=48.1234 -GPS:GPSLatitudeRef=N "
      "-GPS:GPSLongitude=11.5 -GPS:GPSLongitudeRef=W -IPTC:Caption-Abstract='Am Hafen' -IPTC:Keywords=eins "
      "-IPTC:Keywords=zwei -XMP-dc:Title='K\xC3\xB6ln' -XMP-dc:Description='Der Dom' -XMP-dc:Subject=a "
      "-XMP-dc:Subject=b -XMP-dc:Creator='J. M\xC3\xBCller' -XMP-dc:Rights='CC BY' '" +
      file.string() + "'";
  ASSERT_EQ(std::system(write.c_str()), 0);
  const auto exiftool = test::RunExiftool({file});
  ASSERT_TRUE(exiftool.has_value());
  const ExiftoolTags& tags = exiftool->at(file.string());
  const PhotoMetadata m = ReadPhotoMetadata(file);
  const int compared = CompareWithExiftool(m, tags);
  EXPECT_GE(compared, 14);
  EXPECT_EQ(m.Orientation(), 6);
  EXPECT_EQ(m.FindComment("XMP:title")->text, "K\xF6ln");
}

INSTANTIATE_TEST_SUITE_P(Containers, ExiftoolWrittenTest, testing::Values("jpg", "png", "tif"));

}  // namespace
}  // namespace velmora::metadata
