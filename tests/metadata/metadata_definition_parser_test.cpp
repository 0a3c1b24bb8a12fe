#include <gtest/gtest.h>

#include <string>
#include <variant>

#include "metadata/metadata_definition.h"

namespace velmora::metadata {
namespace {

constexpr std::string_view kHead = "#version 2\r\n";

MetadataDefinition Parsed(std::string_view text) {
  auto result = ParseMetadataDefinition(text);
  if (const auto* error = std::get_if<DefinitionError>(&result)) {
    ADD_FAILURE() << "refused at line " << error->line << ": " << error->line_text;
    return {};
  }
  return std::get<MetadataDefinition>(std::move(result));
}

DefinitionError Refused(std::string_view text) {
  auto result = ParseMetadataDefinition(text);
  if (const auto* error = std::get_if<DefinitionError>(&result)) return *error;
  ADD_FAILURE() << "accepted: " << text;
  return {};
}

std::string WithHead(std::string_view body) { return std::string(kHead) + std::string(body); }

// --- the version line ---

TEST(MetadataDefinitionVersion, HexadecimalTwoAfterCommentsAndBlankLinesIsAccepted) {
  const MetadataDefinition d = Parsed("* tags and labels\r\n\r\n   \r\n#VERSION 0x2\r\n#main\r\n+1,0,0,A\r\n");
  EXPECT_NE(d.Find(ExifSection::kMain, 0, 1), nullptr);
}

TEST(MetadataDefinitionVersion, AnyOtherVersionIsUnsupported) {
  for (const char* text : {"#version 3\n", "#version 1\n", "#version 0x20\n"}) {
    const DefinitionError e = Refused(text);
    EXPECT_EQ(e.kind, DefinitionError::Kind::kVersionUnsupported) << text;
    EXPECT_EQ(e.Message(), "Version der Metadaten-Beschreibungsdatei wird nicht unterst\xFCtzt");
  }
}

TEST(MetadataDefinitionVersion, AVersionThatIsNoNumberIsAFormatError) {
  for (const char* text : {"#version\n", "#version two\n", "#version 2.0\n", "#version 0x\n"}) {
    const DefinitionError e = Refused(text);
    EXPECT_EQ(e.kind, DefinitionError::Kind::kFormat) << text;
    EXPECT_EQ(e.line, 1) << text;
  }
}

TEST(MetadataDefinitionVersion, EveryHeaderOrEntryBeforeTheVersionIsRefused) {
  for (const char* text : {"#main\n#version 2\n", "+1,0,0,A\n#version 2\n", "!1,x\n#version 2\n",
                           "#nonsense\n#version 2\n"}) {
    const DefinitionError e = Refused(text);
    EXPECT_EQ(e.kind, DefinitionError::Kind::kVersionNotFirst) << text;
    EXPECT_EQ(e.Message(), "Version der Metadaten-Beschreibungsdatei muss als erster Eintrag aufgef\xFChrt sein");
  }
}

TEST(MetadataDefinitionVersion, AnEmptyFileIsEmptyTables) {
  EXPECT_TRUE(Parsed("").empty());
  EXPECT_TRUE(Parsed("* nothing yet\r\n").empty());
}

// --- lines and headers ---

TEST(MetadataDefinitionLines, HeadersAreFoundInAnyCaseAndLinesAreTrimmed) {
  const MetadataDefinition d = Parsed(WithHead("  #MAIN  \r\n\t+0x010F, 0, 0, Make \t\r\n#Gps\n+1,0,0,GPSLatitudeRef\r#ThumbNail\n+0x103,0,0,Compression\n"));
  const ExifTag* make = d.Find(ExifSection::kMain, 0, 271);
  ASSERT_NE(make, nullptr);
  EXPECT_EQ(make->tag, 271);
  EXPECT_EQ(make->position, 0);
  EXPECT_EQ(make->name, "Make");
  EXPECT_NE(d.Find(ExifSection::kGps, 0, 1), nullptr);
  EXPECT_NE(d.Find(ExifSection::kThumbnail, 0, 259), nullptr);
  // The tables are kept apart.
  EXPECT_EQ(d.Find(ExifSection::kMain, 0, 1), nullptr);
  EXPECT_EQ(d.Find(ExifSection::kThumbnail, 0, 271), nullptr);
}

TEST(MetadataDefinitionLines, AFormatErrorNamesTheLineCountingEmptyLines) {
  const DefinitionError e = Refused(WithHead("\r\n* c\r\n#main\r\n  bad line  \r\n"));
  EXPECT_EQ(e.kind, DefinitionError::Kind::kFormat);
  EXPECT_EQ(e.line, 5);
  EXPECT_EQ(e.line_text, "bad line");
  EXPECT_EQ(e.Message(), "Fehler beim Lesen der Metadaten-Definitionsdatei\r\n\r\nFehler in Zeile 5\r\nbad line");
}

TEST(MetadataDefinitionLines, UnknownHeadersAndMakersAreFormatErrors) {
  EXPECT_EQ(Refused(WithHead("#exif\n")).line, 2);
  EXPECT_EQ(Refused(WithHead("#\n")).line, 2);
  const DefinitionError e = Refused(WithHead("#main\n#makernote canon03\n"));
  EXPECT_EQ(e.kind, DefinitionError::Kind::kFormat);
  EXPECT_EQ(e.line, 3);
  EXPECT_EQ(e.line_text, "#makernote canon03");
  EXPECT_EQ(Refused(WithHead("#makernote\n")).line, 2);
}

TEST(MetadataDefinitionLines, EntriesOutsideASectionAreIgnored) {
  const MetadataDefinition d = Parsed(WithHead("+1,0,0,A\n!1,x\n+anything at all\n"));
  EXPECT_TRUE(d.empty());
}

// --- tag entries ---

TEST(MetadataDefinitionTags, NumbersAreDecimalOrHexadecimalInEitherCase) {
  const MetadataDefinition d = Parsed(WithHead("#main\n+0X9003, 0x0, 0x12, DateTimeOriginal\n+37386,0,6,FocalLength\n"));
  const ExifTag* date = d.Find(ExifSection::kMain, 0, 0x9003);
  ASSERT_NE(date, nullptr);
  EXPECT_EQ(date->format_code, 18);
  EXPECT_EQ(date->form(), DisplayForm::kDateTime);
  ASSERT_NE(d.Find(ExifSection::kMain, 0, 37386), nullptr);
}

TEST(MetadataDefinitionTags, TheNameIsTheTextAfterTheLastComma) {
  const MetadataDefinition d = Parsed(WithHead("#makernote nikon02\n+0x0001, 1, 0, Quality, fine\n"));
  const ExifTag* tag = d.Find(ExifSection::kMakernote, 17, 1, 1);
  ASSERT_NE(tag, nullptr);
  EXPECT_EQ(tag->name, "fine");
}

TEST(MetadataDefinitionTags, FewerThanFourFieldsOrANonNumberAreFormatErrors) {
  EXPECT_EQ(Refused(WithHead("#main\n+0x010F, 0, Make\n")).line, 3);
  EXPECT_EQ(Refused(WithHead("#main\n+0x010F, 0, 0\n")).line, 3);
  EXPECT_EQ(Refused(WithHead("#main\n+0x010F\n")).line, 3);
  EXPECT_EQ(Refused(WithHead("#main\n+Make, 0, 0, Make\n")).line, 3);
  EXPECT_EQ(Refused(WithHead("#main\n+1, , 0, Make\n")).line, 3);
  EXPECT_EQ(Refused(WithHead("#main\n+1, 0, x, Make\n")).line, 3);
  EXPECT_EQ(Refused(WithHead("#main\n+99999999999, 0, 0, Big\n")).line, 3);
  EXPECT_EQ(Refused(WithHead("#main\n+0x1FFFFFFFF, 0, 0, Big\n")).line, 3);
}

TEST(MetadataDefinitionTags, PositionsKeepComponentsOfOneTagApart) {
  const MetadataDefinition d = Parsed(WithHead("#makernote Canon01\n+1,0,0,CameraSettings\n+1,22,0,LensType\n+1,0,0,Again\n"));
  ASSERT_EQ(d.makernotes.size(), 1u);
  EXPECT_EQ(d.makernotes.begin()->first, 4);
  EXPECT_EQ(d.Find(ExifSection::kMakernote, 4, 1, 0)->name, "CameraSettings");
  EXPECT_EQ(d.Find(ExifSection::kMakernote, 4, 1, 22)->name, "LensType");
  EXPECT_EQ(d.Find(ExifSection::kMakernote, 4, 1, 1), nullptr);
  EXPECT_EQ(d.Find(ExifSection::kMakernote, 16, 1, 0), nullptr);
}

TEST(MetadataDefinitionTags, ARepeatedDefinitionKeepsTheFirstWithItsLabels) {
  const MetadataDefinition d = Parsed(WithHead("#main\n+274,0,0,Orientation\n!1,Normal\n+274,0,3,Other\n!1,Replaced\n!2,Added\n"));
  const ExifTag* tag = d.Find(ExifSection::kMain, 0, 274);
  ASSERT_NE(tag, nullptr);
  EXPECT_EQ(tag->name, "Orientation");
  EXPECT_EQ(tag->format_code, 0);
  ASSERT_EQ(tag->labels.size(), 1u);
  EXPECT_EQ(tag->Label(1)->text, "Normal");
  EXPECT_EQ(tag->Label(2), nullptr);
}

TEST(MetadataDefinitionTags, ASecondSectionForALayoutAddsToItsTable) {
  const MetadataDefinition d = Parsed(WithHead("#makernote sigma01\n+2,0,0,Serial\n#main\n#makernote SIGMA01\n+3,0,0,Drive\n"));
  EXPECT_NE(d.Find(ExifSection::kMakernote, 25, 2), nullptr);
  EXPECT_NE(d.Find(ExifSection::kMakernote, 25, 3), nullptr);
}

// --- value labels ---

TEST(MetadataDefinitionLabels, TheTextKeepsItsCommas) {
  const MetadataDefinition d = Parsed(WithHead("#main\n+0x9209,0,0,Flash\n!1, Fired, return detected \n!-1,minus\n!0x10,Off\n"));
  const ExifTag* flash = d.Find(ExifSection::kMain, 0, 0x9209);
  ASSERT_NE(flash, nullptr);
  EXPECT_EQ(flash->Label(1)->text, "Fired, return detected");
  EXPECT_EQ(flash->Label(1)->value, 1);
  EXPECT_EQ(flash->Label(-1)->text, "minus");
  EXPECT_EQ(flash->Label(16)->text, "Off");
}

TEST(MetadataDefinitionLabels, ADuplicateValueOrAMissingCommaIsAFormatError) {
  EXPECT_EQ(Refused(WithHead("#main\n+1,0,0,A\n!1,x\n!0x1,y\n")).line, 5);
  EXPECT_EQ(Refused(WithHead("#main\n+1,0,0,A\n!1 x\n")).line, 4);
  EXPECT_EQ(Refused(WithHead("#main\n+1,0,0,A\n!one,x\n")).line, 4);
}

TEST(MetadataDefinitionLabels, LabelsBelongToTheirTagOnly) {
  const MetadataDefinition d = Parsed(WithHead("#main\n+1,0,0,A\n!1,a\n+2,0,0,B\n!1,b\n"));
  EXPECT_EQ(d.Find(ExifSection::kMain, 0, 1)->Label(1)->text, "a");
  EXPECT_EQ(d.Find(ExifSection::kMain, 0, 2)->Label(1)->text, "b");
}

TEST(MetadataDefinitionLabels, WithoutATagOfTheCurrentTableLabelsAreIgnored) {
  // A new header ends the last tag: its labels cannot leak into the next table.
  const MetadataDefinition d = Parsed(WithHead("#main\n+1,0,0,A\n#gps\n!2,leaked\n#iptc\n!3,no\n#focalequiv\n!4,no\n"));
  EXPECT_EQ(d.Find(ExifSection::kMain, 0, 1)->Label(2), nullptr);
  EXPECT_TRUE(d.gps_tags.empty());
}

// --- IPTC ---

TEST(MetadataDefinitionIptc, DatasetsByNumberWithTheNameAfterTheLastComma) {
  const MetadataDefinition d = Parsed(WithHead("#iptc\n+120, Caption-Abstract\n+0x19,x, Keywords\n"));
  ASSERT_NE(d.FindIptc(120), nullptr);
  EXPECT_EQ(d.FindIptc(120)->name, "Caption-Abstract");
  EXPECT_EQ(d.FindIptc(25)->name, "Keywords");
  EXPECT_EQ(d.FindIptc(5), nullptr);
}

TEST(MetadataDefinitionIptc, ARepeatedDatasetOrAMissingCommaIsAFormatError) {
  EXPECT_EQ(Refused(WithHead("#iptc\n+25,Keywords\n+0x19,Again\n")).line, 4);
  EXPECT_EQ(Refused(WithHead("#iptc\n+25 Keywords\n")).line, 3);
  EXPECT_EQ(Refused(WithHead("#iptc\n+x,Keywords\n")).line, 3);
}

// --- focal-length multipliers ---

TEST(MetadataDefinitionFocal, TheModelKeyDropsBlanksAndTheParenthesisedPart) {
  EXPECT_EQ(FocalModelKey("Canon EOS 10D (Digital)"), "CANONEOS10D");
  EXPECT_EQ(FocalModelKey("  Nikon\tD70s "), "NIKOND70S");
  EXPECT_EQ(FocalModelKey("(all)"), "");
  EXPECT_EQ(FocalModelKey("caf\xE9"), "CAF\xC9");
  const MetadataDefinition d = Parsed(WithHead("#focalequiv cameras\n+Canon EOS 10D (Digital), 1.6\n"));
  ASSERT_TRUE(d.FocalMultiplier("CANONEOS10D"));
  EXPECT_DOUBLE_EQ(*d.FocalMultiplier("CANONEOS10D"), 1.6);
  EXPECT_FALSE(d.FocalMultiplier("Canon EOS 10D"));
}

TEST(MetadataDefinitionFocal, TheMultiplierFollowsTheLastComma) {
  const MetadataDefinition d = Parsed(WithHead("#focalequiv\n+COOLPIX 5000, E5000, 3.93\n"));
  ASSERT_TRUE(d.FocalMultiplier("COOLPIX5000,E5000"));
  EXPECT_DOUBLE_EQ(*d.FocalMultiplier("COOLPIX5000,E5000"), 3.93);
}

TEST(MetadataDefinitionFocal, ARepeatedModelIsRemovedForGood) {
  const MetadataDefinition d =
      Parsed(WithHead("#focalequiv\n+Nikon D70, 1.5\n+NIKON D70 (kit), 1.6\n+Nikon D70, 1.5\n+Nikon D50, 1.5\n"));
  EXPECT_FALSE(d.FocalMultiplier("NIKOND70"));
  EXPECT_TRUE(d.FocalMultiplier("NIKOND50"));
}

TEST(MetadataDefinitionFocal, BadMultipliersAndEmptyModelsAreFormatErrors) {
  for (const char* line : {"+Nikon D70 1.5", "+Nikon D70, 1,5x", "+Nikon D70, 1,5,", "+Nikon D70, 0",
                           "+Nikon D70, -1.5", "+Nikon D70, inf", "+Nikon D70, nan", "+ (kit), 1.5", "+, 1.5"}) {
    const DefinitionError e = Refused(WithHead(std::string("#focalequiv\n") + line + "\n"));
    EXPECT_EQ(e.line, 3) << line;
    EXPECT_EQ(e.kind, DefinitionError::Kind::kFormat) << line;
  }
}

// --- layout names ---

TEST(MetadataDefinitionMakers, EveryLayoutNameHasItsCode) {
  const std::pair<const char*, int> layouts[] = {
      {"asahi01", 2},  {"asahi02", 3},     {"canon01", 4},  {"casio01", 5},      {"casio02", 6},
      {"fujifilm01", 8}, {"leica01", 14},  {"minolta01", 15}, {"nikon01", 16},   {"nikon02", 17},
      {"olympus01", 18}, {"panasonic01", 19}, {"ricoh01", 21}, {"sigma01", 25}};
  for (const auto& [name, code] : layouts) EXPECT_EQ(MakerCodeOf(name), code) << name;
  EXPECT_EQ(MakerCodeOf("canon03"), 0);
  EXPECT_EQ(MakerCodeOf("canon"), 0);
  EXPECT_EQ(MakerCodeOf(""), 0);
}

}  // namespace
}  // namespace velmora::metadata
