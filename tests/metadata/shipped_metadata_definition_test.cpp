// The metadata.def the program ships, as the build puts it beside the
// program: read without error, the entries a gallery template relies on
// present, and nothing in it silently lost.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <variant>

#include "metadata/metadata_definition.h"
#include "lang/messages.h"
#include "platform/cp1252_case.h"
#include "platform/program_paths.h"
#include "platform/text_lines.h"
#include "support/required_tool.h"
#include "support/temp_dir.h"

namespace velmora::metadata {
namespace {

namespace fs = std::filesystem;

fs::path ShippedFile() { return ProgramDirectory() / "metadata.def"; }

class ShippedDefinitionTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    text_ = new std::string(test::ReadFile(ShippedFile()));
    auto parsed = ParseMetadataDefinition(*text_);
    if (const auto* error = std::get_if<DefinitionError>(&parsed)) {
      FAIL() << "line " << error->line << ": " << error->line_text;
    }
    definition_ = new MetadataDefinition(std::get<MetadataDefinition>(std::move(parsed)));
  }
  static void TearDownTestSuite() {
    delete definition_;
    delete text_;
  }
  void SetUp() override { ASSERT_NE(definition_, nullptr); }

  static const MetadataDefinition& D() { return *definition_; }
  static const ExifTag& Tag(ExifSection section, int tag, int position = 0, int maker = 0) {
    static const ExifTag missing{};
    const ExifTag* found = D().Find(section, maker, tag, position);
    EXPECT_NE(found, nullptr) << "tag " << tag << " position " << position << " in section "
                              << static_cast<int>(section) << " maker " << maker;
    return found != nullptr ? *found : missing;
  }
  static std::string LabelOf(const ExifTag& tag, int value) {
    const ExifTagNice* label = tag.Label(value);
    return label == nullptr ? "<none>" : label->text;
  }

  static inline std::string* text_ = nullptr;
  static inline MetadataDefinition* definition_ = nullptr;
};

TEST_F(ShippedDefinitionTest, TheProgramLoadsTheCurrentCopyBesideItself) {
  EXPECT_EQ(*text_, test::ReadFile(fs::path(VELMORA_SOURCE_DIR) / "data" / "metadata.def"));
  int shown = 0;
  const lang::MessageObserver previous = lang::SetMessageObserver([&](const lang::ShownMessage&) { ++shown; });
  ResetMetadataDefinition();
  EXPECT_TRUE(LoadMetadataDefinition());
  EXPECT_EQ(Definitions().main_tags.size(), D().main_tags.size());
  EXPECT_EQ(shown, 0);
  ResetMetadataDefinition();
  lang::SetMessageObserver(previous);
}

TEST_F(ShippedDefinitionTest, ThePlainEntriesOfEveryPhotoAreNamedAndShownFittingly) {
  EXPECT_EQ(Tag(ExifSection::kMain, 0x010F).name, "Make");
  EXPECT_EQ(Tag(ExifSection::kMain, 0x0110).name, "Model");
  EXPECT_EQ(Tag(ExifSection::kMain, 0x8827).name, "ISOSpeedRatings");
  EXPECT_EQ(Tag(ExifSection::kMain, 0xA434).name, "LensModel");
  const std::pair<int, DisplayForm> forms[] = {
      {0x829A, DisplayForm::kExposureTime},   {0x829D, DisplayForm::kFNumber},
      {0x920A, DisplayForm::kMillimetres},    {0x9003, DisplayForm::kDateTime},
      {0x9000, DisplayForm::kVersion},        {0x9286, DisplayForm::kUnicodeText},
      {0x9C9B, DisplayForm::kUnicodeText},    {0x9101, DisplayForm::kComponents},
      {0x9206, DisplayForm::kSubjectDistance}, {0x9201, DisplayForm::kApexShutter},
      {0x9202, DisplayForm::kApexAperture},   {0xA405, DisplayForm::kMillimetresWhole}};
  for (const auto& [tag, form] : forms) EXPECT_EQ(Tag(ExifSection::kMain, tag).form(), form) << tag;
  EXPECT_EQ(Tag(ExifSection::kGps, 2).form(), DisplayForm::kGpsCoordinate);
  EXPECT_EQ(Tag(ExifSection::kGps, 4).form(), DisplayForm::kGpsCoordinate);
  EXPECT_EQ(Tag(ExifSection::kGps, 6).form(), DisplayForm::kMetres);
  EXPECT_EQ(Tag(ExifSection::kThumbnail, 0x0103).name, "Compression");
}

TEST_F(ShippedDefinitionTest, CodedValuesHaveTheirTexts) {
  for (const ExifSection section : {ExifSection::kMain, ExifSection::kThumbnail}) {
    const ExifTag& orientation = Tag(section, 0x0112);
    for (int value = 1; value <= 8; ++value) EXPECT_NE(orientation.Label(value), nullptr) << value;
    EXPECT_EQ(LabelOf(orientation, 1), "Normal");
    EXPECT_EQ(LabelOf(orientation, 6), "Rotate 90 degrees clockwise");
  }
  const ExifTag& flash = Tag(ExifSection::kMain, 0x9209);
  EXPECT_EQ(LabelOf(flash, 0x00), "Flash did not fire");
  EXPECT_EQ(LabelOf(flash, 0x10), "Flash did not fire, compulsory flash mode");
  EXPECT_EQ(LabelOf(flash, 0x19), "Flash fired, auto mode");
  EXPECT_EQ(LabelOf(flash, 0x5F), "Flash fired, auto mode, return light detected, red-eye reduction mode");
  EXPECT_EQ(LabelOf(Tag(ExifSection::kMain, 0x8822), 3), "Aperture priority");
  EXPECT_EQ(LabelOf(Tag(ExifSection::kMain, 0x9207), 5), "Pattern");
  EXPECT_EQ(LabelOf(Tag(ExifSection::kMain, 0xA001), 0xFFFF), "Uncalibrated");
  EXPECT_EQ(LabelOf(Tag(ExifSection::kMain, 0xA406), 3), "Night scene");
  EXPECT_EQ(LabelOf(Tag(ExifSection::kGps, 1), 'S'), "South");
  EXPECT_EQ(LabelOf(Tag(ExifSection::kGps, 5), 1), "Below sea level");
}

TEST_F(ShippedDefinitionTest, MakerNotesNameLensSerialAndSettingFields) {
  EXPECT_EQ(Tag(ExifSection::kMakernote, 0x0095, 0, 4).name, "LensModel");
  EXPECT_EQ(Tag(ExifSection::kMakernote, 0x000C, 0, 4).name, "SerialNumber");
  // Canon's camera settings: the first value is the array's length.
  const ExifTag& macro = Tag(ExifSection::kMakernote, 1, 2, 4);
  EXPECT_EQ(macro.name, "MacroMode");
  EXPECT_EQ(LabelOf(macro, 2), "Normal");
  EXPECT_EQ(Tag(ExifSection::kMakernote, 1, 23, 4).name, "LensType");
  EXPECT_EQ(LabelOf(Tag(ExifSection::kMakernote, 1, 35, 4), 1), "On");
  EXPECT_EQ(Tag(ExifSection::kMakernote, 0x00A7, 0, 17).name, "ShutterCount");
  EXPECT_EQ(Tag(ExifSection::kMakernote, 0x005D, 0, 3).name, "ShutterCount");
  EXPECT_EQ(Tag(ExifSection::kMakernote, 0x0229, 0, 3).name, "SerialNumber");
  EXPECT_EQ(Tag(ExifSection::kMakernote, 0x0051, 0, 19).name, "LensType");
  EXPECT_EQ(LabelOf(Tag(ExifSection::kMakernote, 0x001A, 0, 19), 3), "Off");
  EXPECT_EQ(Tag(ExifSection::kMakernote, 0x0404, 0, 18).name, "SerialNumber");
  EXPECT_EQ(LabelOf(Tag(ExifSection::kMakernote, 0x1010, 0, 8), 2), "Off");
  // Minolta's settings are read byte by byte; the low byte of field 5 is byte 24.
  EXPECT_EQ(LabelOf(Tag(ExifSection::kMakernote, 1, 24, 15), 2), "Fine");
}

TEST_F(ShippedDefinitionTest, EveryMakerNoteLayoutHasItsSection) {
  for (const char* layout : {"asahi01", "asahi02", "canon01", "casio01", "casio02", "fujifilm01", "leica01",
                             "minolta01", "nikon01", "nikon02", "olympus01", "panasonic01", "ricoh01", "sigma01"}) {
    const std::int32_t code = MakerCodeOf(layout);
    ASSERT_NE(code, 0) << layout;
    const auto it = D().makernotes.find(code);
    ASSERT_NE(it, D().makernotes.end()) << layout;
    EXPECT_GE(it->second.tags.size(), 8u) << layout;
  }
}

TEST_F(ShippedDefinitionTest, IptcDatasetsOfTheApplicationRecord) {
  const std::pair<int, const char*> datasets[] = {{5, "ObjectName"},        {25, "Keywords"},
                                                  {55, "DateCreated"},      {80, "By-line"},
                                                  {90, "City"},             {105, "Headline"},
                                                  {110, "Credit"},          {116, "CopyrightNotice"},
                                                  {120, "Caption-Abstract"}, {122, "Writer-Editor"}};
  for (const auto& [dataset, name] : datasets) {
    const IptcTag* tag = D().FindIptc(dataset);
    ASSERT_NE(tag, nullptr) << dataset;
    EXPECT_EQ(tag->name, name);
  }
}

TEST_F(ShippedDefinitionTest, CropCamerasHaveTheirMultipliers) {
  const std::pair<const char*, double> cameras[] = {
      {"Canon EOS 10D", 1.6},   {"Canon EOS 400D DIGITAL", 1.6}, {"Canon EOS-1D Mark II", 1.3},
      {"NIKON D5000", 1.5},     {"NIKON D70s", 1.5},             {"PENTAX *ist D", 1.5},
      {"FinePixS2Pro", 1.5},    {"E-P3", 2.0},                   {"DMC-GH4", 2.0},
      {"DSC-RX100M3", 2.7},     {"C960Z,D460Z", 6.48},           {"DMC-LC33", 6.03}};
  for (const auto& [model, multiplier] : cameras) {
    const auto found = D().FocalMultiplier(FocalModelKey(model));
    ASSERT_TRUE(found) << model;
    EXPECT_DOUBLE_EQ(*found, multiplier) << model;
  }
  // A full-frame body shares no key with its crop relatives.
  EXPECT_FALSE(D().FocalMultiplier(FocalModelKey("NIKON D3")));
  EXPECT_FALSE(D().FocalMultiplier(FocalModelKey("Canon EOS-1Ds")));
}

// A repeated tag or model is dropped without a word when the file is read,
// so every "+" line of the shipped file must have made it into its table.
TEST_F(ShippedDefinitionTest, NoEntryIsLostToARepetition) {
  std::map<std::string, std::size_t> lines_per_section;
  std::string section;
  std::string_view rest = *text_;
  while (!rest.empty()) {
    const std::string_view line = TrimBlanks(NextLine(rest));
    if (line.starts_with('#')) {
      section = Cp1252ToLower(TrimBlanks(line.substr(1)));
    } else if (line.starts_with('+')) {
      ++lines_per_section[section];
    }
  }
  EXPECT_EQ(lines_per_section["main"], D().main_tags.size());
  EXPECT_EQ(lines_per_section["thumbnail"], D().thumbnail_tags.size());
  EXPECT_EQ(lines_per_section["gps"], D().gps_tags.size());
  EXPECT_EQ(lines_per_section["iptc"], D().iptc_tags.size());
  EXPECT_EQ(lines_per_section["focalequiv cameras"], D().focal_equivalents.size());
  for (const auto& [code, note] : D().makernotes) {
    std::size_t lines = 0;
    for (const auto& [header, count] : lines_per_section) {
      if (header.starts_with("makernote ") && MakerCodeOf(header.substr(10)) == code) lines += count;
    }
    EXPECT_EQ(lines, note.tags.size()) << "maker code " << code;
  }
}

// Names are looked up by scripts and texts reach the pages as they stand.
TEST_F(ShippedDefinitionTest, NamesCodesAndTextsAreClean) {
  const std::regex name_pattern("[A-Za-z0-9_-]+");
  auto check_table = [&](const ExifTagTable& table) {
    for (const auto& [key, tag] : table) {
      EXPECT_TRUE(std::regex_match(tag.name, name_pattern)) << tag.name;
      EXPECT_GE(tag.format_code, 0) << tag.name;
      EXPECT_LT(tag.format_code, kDisplayFormCount) << tag.name;
      EXPECT_GE(tag.position, 0) << tag.name;
      EXPECT_LE(tag.tag, 0xFFFF) << tag.name;
      for (const auto& [value, label] : tag.labels) {
        EXPECT_FALSE(label.text.empty()) << tag.name << " " << value;
        EXPECT_EQ(label.text.find_first_of("<>&\""), std::string::npos) << tag.name << ": " << label.text;
      }
    }
  };
  check_table(D().main_tags);
  check_table(D().thumbnail_tags);
  check_table(D().gps_tags);
  for (const auto& [code, note] : D().makernotes) check_table(note.tags);
  for (const auto& [dataset, tag] : D().iptc_tags) {
    EXPECT_TRUE(std::regex_match(tag.name, name_pattern)) << tag.name;
    EXPECT_LE(dataset, 255);
  }
}

// Every tag of the standard directories that exiftool finds in the sample
// photos of many makers has a name here.
TEST_F(ShippedDefinitionTest, EveryStandardTagOfTheSamplePhotosIsNamed) {
  const fs::path samples = fs::path(VELMORA_SOURCE_DIR) / ".." / "shared" / "samples" / "real" / "jpg";
  if (!fs::is_directory(samples)) GTEST_SKIP() << "no sample photos beside the checkout";
  VELMORA_REQUIRE_TOOL(std::system("exiftool -ver >/dev/null 2>&1") == 0, "exiftool");
  const std::string command = "exiftool -q -a -H -G1 -s '" + samples.string() + "' 2>/dev/null";
  std::FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string output;
  char buffer[65536];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
  pclose(pipe);

  const std::map<std::string, ExifSection> groups = {{"IFD0", ExifSection::kMain},
                                                     {"ExifIFD", ExifSection::kMain},
                                                     {"InteropIFD", ExifSection::kMain},
                                                     {"IFD1", ExifSection::kThumbnail},
                                                     {"GPS", ExifSection::kGps}};
  const std::regex line_pattern(R"(^\[(\w+)\]\s+0x([0-9a-fA-F]{4})\s+(\S+))");
  std::set<std::string> unnamed;
  std::size_t seen = 0;
  std::string_view rest = output;
  while (!rest.empty()) {
    const std::string line(NextLine(rest));
    std::smatch match;
    if (!std::regex_search(line, match, line_pattern)) continue;
    const auto group = groups.find(match[1].str());
    if (group == groups.end()) continue;
    ++seen;
    const int tag = std::stoi(match[2].str(), nullptr, 16);
    if (D().Find(group->second, 0, tag) == nullptr) unnamed.insert(line.substr(0, 60));
  }
  EXPECT_GT(seen, 100u);
  EXPECT_TRUE(unnamed.empty()) << testing::PrintToString(unnamed);
}

}  // namespace
}  // namespace velmora::metadata
