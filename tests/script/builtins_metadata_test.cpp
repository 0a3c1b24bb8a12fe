// The EXIF, IPTC and comment built-ins run as scripts against a fake host:
// values as templates print them, their error codes, and what happens
// outside a run or for a photo without metadata.
#include <gtest/gtest.h>

#include "builtins_support.h"
#include "fake_image_host.h"

namespace velmora::script {
namespace {

using metadata::DisplayForm;
using metadata::ExifSection;
using metadata::TiffType;
using test::Define;
using test::Definition;
using test::Entry;

constexpr std::int32_t kCanon = 4;

class MetadataBuiltinsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    metadata::MetadataDefinition& d = host.definitions;
    Define(d.main_tags, Definition(0x010F, "Make", DisplayForm::kPlain));
    Define(d.main_tags, Definition(0x0112, "Orientation", DisplayForm::kPlain, 0,
                                   {{1, "Horizontal (normal)"}, {6, "Rotate 90 CW"}}));
    Define(d.main_tags, Definition(0x829A, "ExposureTime", DisplayForm::kExposureTime));
    Define(d.main_tags, Definition(0x9003, "DateTimeOriginal", DisplayForm::kDateTime));
    Define(d.main_tags, Definition(0x9004, "CreateDate", DisplayForm::kDateTime));
    Define(d.main_tags, Definition(0x920A, "FocalLength", DisplayForm::kMillimetres));
    Define(d.main_tags, Definition(0x9000, "ExifVersion", DisplayForm::kVersion));
    Define(d.thumbnail_tags, Definition(0x0103, "Compression", DisplayForm::kPlain));
    Define(d.gps_tags, Definition(0x0002, "GPSLatitude", DisplayForm::kGpsCoordinate));
    metadata::ExifMakernote& canon = d.makernotes[kCanon];
    canon.maker_code = kCanon;
    Define(canon.tags, Definition(0x0001, "CameraSettings", DisplayForm::kPlain));
    Define(canon.tags, Definition(0x0001, "MacroMode", DisplayForm::kPlain, 2, {{1, "Macro"}, {2, "Normal"}}));
    d.iptc_tags[120] = {120, "Caption-Abstract"};
    d.iptc_tags[25] = {25, "Keywords"};
    d.iptc_tags[105] = {105, "Headline"};

    metadata::PhotoMetadata m;
    auto& main = m.Section(ExifSection::kMain);
    main.push_back(Entry(0x010F, TiffType::kAscii, {"Canon"}));
    main.push_back(Entry(0x0112, TiffType::kShort, {"6"}));
    main.push_back(Entry(0x829A, TiffType::kRational, {"1/250"}));
    main.push_back(Entry(0x9003, TiffType::kAscii, {"2023:07:14 18:30:05"}));
    main.push_back(Entry(0x9004, TiffType::kAscii, {"0000:00:00 00:00:00"}));
    main.push_back(Entry(0x920A, TiffType::kRational, {"50/1"}));
    main.push_back(Entry(0x9000, TiffType::kUndefined, {"48", "50", "51", "50"}));
    main.push_back(Entry(0x0131, TiffType::kAscii, {"GIMP"}));
    main.push_back(Entry(0xA002, TiffType::kLong, {"4000000000"}));
    m.Section(ExifSection::kThumbnail).push_back(Entry(0x0103, TiffType::kShort, {"6"}));
    m.Section(ExifSection::kGps).push_back(Entry(0x0002, TiffType::kRational, {"48/1", "8/1", "1234/100"}));
    std::vector<std::string> settings;
    for (int i = 0; i < 20; ++i) settings.push_back(std::to_string(i == 1 ? 1 : i));
    m.Section(ExifSection::kMakernote).push_back(Entry(0x0001, TiffType::kShort, settings));
    m.maker_code = kCanon;
    m.AddIptc(120, "Sonnenuntergang am Meer");
    m.AddIptc(25, "a");
    m.AddIptc(25, "b");
    m.AddComment("Comment", "aus der Kamera");
    m.AddComment("XMP:title", "Abend");
    host.current = std::move(m);
    r.program.SetImageHost(&host);
  }

  test::BuiltinRunner r;
  test::FakeImageHost host;
};

TEST_F(MetadataBuiltinsTest, RawValuesKeepNumbersAsNumbersAndJoinComponents) {
  EXPECT_EQ(r.Eval("exif();"), "@true");
  EXPECT_EQ(r.Eval("exif(271);"), "Canon");
  // A single number compares as one, whatever its TIFF type.
  EXPECT_EQ(r.Eval("exif(274) == 6; type(exif(274));"), "@true@integer");
  EXPECT_EQ(r.Eval("exif(0xA002);"), "4000000000.0");
  EXPECT_EQ(r.Eval("exif(0x829A);"), "1/250");
  EXPECT_EQ(r.Eval("exif(0x9000);"), "48,50,51,50");
  EXPECT_EQ(r.Eval("exif(0x9000, @MAIN, 2);"), "50");
  EXPECT_EQ(r.Eval("exif(2, @GPS);"), "48/1,8/1,1234/100");
  EXPECT_EQ(r.Eval("exif(0x0103, @THUMBNAIL);"), "6");
  // Names are looked up in the section's definitions, in any letter case.
  EXPECT_EQ(r.Eval("exif(\"exposuretime\"); \" \"; exif(\"GPSLATITUDE\", @GPS);"), "1/250 48/1,8/1,1234/100");
}

TEST_F(MetadataBuiltinsTest, LongListsAreShortenedWithTheirCount) {
  EXPECT_EQ(r.Eval("exif(1, @MAKERNOTE);"), "0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,...(20)");
  EXPECT_EQ(r.Eval("exifcomponentcount(1, @MAKERNOTE);"), "20");
  EXPECT_EQ(r.Eval("exif(1, @MAKERNOTE, 20);"), "19");
}

TEST_F(MetadataBuiltinsTest, ANameWithAPositionStandsForThatComponent) {
  EXPECT_EQ(r.Eval("exif(\"MacroMode\", @MAKERNOTE);"), "1");
  EXPECT_EQ(r.Eval("exifnice(\"macromode\", @MAKERNOTE);"), "Macro");
  EXPECT_EQ(r.Eval("exiftagname(1, @MAKERNOTE);"), "CameraSettings");
  // An explicit component wins over the name's position.
  EXPECT_EQ(r.Eval("exif(\"MacroMode\", @MAKERNOTE, 3);"), "2");
}

TEST_F(MetadataBuiltinsTest, DisplayTextsFollowTheDefinitions) {
  EXPECT_EQ(r.Eval("exifnice(274);"), "Rotate 90 CW");
  EXPECT_EQ(r.Eval("exifnice(0x829A);"), "1/250");
  EXPECT_EQ(r.Eval("exifnice(\"FocalLength\");"), "50.0mm");
  EXPECT_EQ(r.Eval("exifnice(0x9000);"), "2.32");
  EXPECT_EQ(r.Eval("exifnice(2, @GPS);"), "48&deg; 8' 12.34\"");
  // Without a definition the value shows as read.
  EXPECT_EQ(r.Eval("exifnice(0x0131);"), "GIMP");
}

TEST_F(MetadataBuiltinsTest, DatesBecomeDateValuesUnlessTheCameraWroteNone) {
  EXPECT_EQ(r.Eval("type(exifnice(0x9003)); \" \"; datepart(exifnice(\"DateTimeOriginal\"), \"yyyy-mm-dd hh:nn:ss\");"),
            "@date 2023-07-14 18:30:05");
  EXPECT_EQ(r.Eval("exifnice(0x9004);"), "0000:00:00 00:00:00");
  // The raw value stays the camera's text.
  EXPECT_EQ(r.Eval("exif(0x9003);"), "2023:07:14 18:30:05");
}

TEST_F(MetadataBuiltinsTest, CountsTagsAndNames) {
  EXPECT_EQ(r.Eval("exifcount(); \" \"; exifcount(@GPS); \" \"; exifcount(@THUMBNAIL); \" \"; exifcount(@MAKERNOTE);"),
            "9 1 1 1");
  EXPECT_EQ(r.Eval("exiftag(1); \" \"; exiftag(9); \" \"; exiftag(1, @GPS);"), "271 40962 2");
  EXPECT_EQ(r.FailCode("exiftag(0);"), 12);
  EXPECT_EQ(r.FailCode("exiftag(10);"), 12);
  EXPECT_EQ(r.FailCode("exiftag(2, @GPS);"), 12);
  EXPECT_EQ(r.Eval("exiftagname(271); \" \"; exiftagname(\"make\"); \" \"; exiftagname(2, @GPS);"),
            "Make Make GPSLatitude");
  EXPECT_EQ(r.FailCode("exiftagname(0x1234);"), 11);
  EXPECT_EQ(r.FailCode("exiftagname(271, @GPS);"), 11);
  EXPECT_EQ(r.Eval("exifcomponentcount(0x9000); \" \"; exifcomponentcount(271);"), "4 1");
}

TEST_F(MetadataBuiltinsTest, ExifErrorsNameWhatWentWrong) {
  EXPECT_EQ(r.FailCode("exif(271, @RED);"), 9);
  EXPECT_EQ(r.FailCode("exif(271, \"main\");"), 3);
  EXPECT_EQ(r.FailCode("exif(1.5);"), 3);
  EXPECT_EQ(r.FailCode("exif(70000);"), 11);
  EXPECT_EQ(r.FailCode("exif(-1);"), 11);
  EXPECT_EQ(r.FailCode("exif(\"NoSuchTag\");"), 11);
  EXPECT_EQ(r.FailCode("exif(\"Make\", @GPS);"), 11);
  EXPECT_EQ(r.FailCode("exif(0x1234);"), 7);
  EXPECT_EQ(r.ErrorText(), "exif: (7) Exif-Eintrag nicht vorhanden");
  EXPECT_EQ(r.FailCode("exif(0x9000, @MAIN, 5);"), 12);
  EXPECT_EQ(r.FailCode("exif(0x9000, @MAIN, 0);"), 12);
  EXPECT_EQ(r.FailCode("exif(0x9000, @MAIN, \"1\");"), 3);
  EXPECT_EQ(r.FailCode("exifnice(0x1234);"), 7);
  EXPECT_EQ(r.FailCode("exifnice(271, @FOO);"), 9);
  EXPECT_EQ(r.FailCode("exifcount(@RED);"), 9);
  EXPECT_EQ(r.FailCode("exiftag(\"1\");"), 3);
  EXPECT_EQ(r.FailCode("exifcomponentcount(0x1234);"), 7);
}

TEST_F(MetadataBuiltinsTest, AnUnrecognisedMakerNoteIsErrorTen) {
  host.current->maker_code = 0;
  EXPECT_EQ(r.FailCode("exif(1, @MAKERNOTE);"), 10);
  EXPECT_EQ(r.FailCode("exifnice(\"MacroMode\", @MAKERNOTE);"), 10);
  EXPECT_EQ(r.FailCode("exiftagname(1, @MAKERNOTE);"), 10);
  EXPECT_EQ(r.ErrorText(), "exiftagname: (10) Exif-Makernote unbekannt");
  // The other sections do not care.
  EXPECT_EQ(r.Eval("exif(271);"), "Canon");
}

TEST_F(MetadataBuiltinsTest, APhotoWithoutExifIsErrorEight) {
  host.current->exif = {};
  EXPECT_EQ(r.Eval("exif();"), "@false");
  EXPECT_EQ(r.Eval("x = exif(271); if (x == @ERROR) { \"error\"; }"), "error");
  EXPECT_EQ(r.ErrorCode(), 8);
  EXPECT_EQ(r.ErrorText(), "exif: (8) Exif-Daten nicht verf\xFC" "gbar");
  EXPECT_EQ(r.FailCode("exifnice(271);"), 8);
  EXPECT_EQ(r.FailCode("exifcomponentcount(271);"), 8);
  // Counting needs no data: there are none.
  EXPECT_EQ(r.Eval("exifcount();"), "0");
  // The tag names of the fixed sections come from the definitions alone.
  EXPECT_EQ(r.Eval("exiftagname(271);"), "Make");
}

TEST_F(MetadataBuiltinsTest, IptcDatasetsByRecordAndNumberOrName) {
  EXPECT_EQ(r.Eval("iptc(2, 120);"), "Sonnenuntergang am Meer");
  EXPECT_EQ(r.Eval("iptc(2, \"caption-abstract\");"), "Sonnenuntergang am Meer");
  EXPECT_EQ(r.Eval("iptc(2, 25);"), "a,b");
  // Later datasets stand in for missing earlier ones: headline, else caption.
  EXPECT_EQ(r.Eval("iptc(2, 105, 120);"), "Sonnenuntergang am Meer");
  EXPECT_EQ(r.Eval("iptc(2, 105, \"Keywords\", 120);"), "a,b");
  EXPECT_EQ(r.FailCode("iptc(2, 105);"), 18);
  EXPECT_EQ(r.FailCode("iptc(1, 120);"), 4);
  EXPECT_EQ(r.FailCode("iptc(\"2\", 120);"), 3);
  EXPECT_EQ(r.FailCode("iptc(2, 256);"), 17);
  EXPECT_EQ(r.FailCode("iptc(2, \"Nope\");"), 17);
  EXPECT_EQ(r.FailCode("iptc(2, 120, 1.5);"), 3);
  EXPECT_EQ(r.Eval("iptccount(); \" \"; iptctag(1); \" \"; iptctag(2);"), "2 120 25");
  EXPECT_EQ(r.FailCode("iptctag(3);"), 16);
  EXPECT_EQ(r.FailCode("iptctag(0);"), 16);
  EXPECT_EQ(r.Eval("iptctagname(25); \" \"; iptctagname(\"keywords\");"), "Keywords Keywords");
  EXPECT_EQ(r.FailCode("iptctagname(7);"), 17);
}

TEST_F(MetadataBuiltinsTest, APhotoWithoutIptcIsErrorFifteen) {
  host.current->iptc.clear();
  EXPECT_EQ(r.FailCode("iptc(2, 120);"), 15);
  EXPECT_EQ(r.ErrorText(), "iptc: (15) IPTC-Daten nicht verf\xFC" "gbar");
  EXPECT_EQ(r.Eval("iptccount();"), "0");
  EXPECT_EQ(r.FailCode("iptctag(1);"), 16);
}

TEST_F(MetadataBuiltinsTest, CommentsByPositionAndKey) {
  EXPECT_EQ(r.Eval("imagecommentcount(); \" \"; imagecommentkey(1); \" \"; imagecommentkey(2);"),
            "2 Comment XMP:title");
  EXPECT_EQ(r.Eval("imagecomment(); \"|\"; imagecomment(2); \"|\"; imagecomment(\"xmp:TITLE\");"),
            "aus der Kamera|Abend|Abend");
  EXPECT_EQ(r.FailCode("imagecomment(3);"), 19);
  EXPECT_EQ(r.FailCode("imagecomment(\"XMP:description\");"), 19);
  EXPECT_EQ(r.FailCode("imagecommentkey(0);"), 19);
  EXPECT_EQ(r.FailCode("imagecomment(@RED);"), 3);
  EXPECT_EQ(r.FailCode("imagecommentkey(\"1\");"), 3);
  host.current->comments.clear();
  EXPECT_EQ(r.FailCode("imagecomment();"), 19);
  EXPECT_EQ(r.ErrorText(), "imagecomment: (19) Kein Kommentar vorhanden");
  EXPECT_EQ(r.Eval("imagecommentcount();"), "0");
}

// Outside a run (no host) and between images (no current image) the
// functions fail with their codes and the script goes on.
TEST_F(MetadataBuiltinsTest, WithoutACurrentImageEveryFunctionFailsGently) {
  for (const bool with_host : {false, true}) {
    r.program.SetImageHost(with_host ? &host : nullptr);
    host.current.reset();
    EXPECT_EQ(r.Eval("exif();"), "@false");
    EXPECT_EQ(r.FailCode("exif(271);"), 8);
    EXPECT_EQ(r.FailCode("exifcount();"), 8);
    EXPECT_EQ(r.FailCode("exiftag(1);"), 8);
    EXPECT_EQ(r.FailCode("exiftagname(1, @MAKERNOTE);"), 8);
    EXPECT_EQ(r.FailCode("iptc(2, 120);"), 15);
    EXPECT_EQ(r.FailCode("iptccount();"), 15);
    EXPECT_EQ(r.FailCode("imagecomment();"), 19);
    EXPECT_EQ(r.FailCode("imagecommentcount();"), 19);
    EXPECT_EQ(r.Eval("exif(271); \"/\"; 1 + 1;"), "@error/2");
  }
  // Without a host there are no names either.
  r.program.SetImageHost(nullptr);
  EXPECT_EQ(r.FailCode("exiftagname(271);"), 11);
  EXPECT_EQ(r.FailCode("iptctagname(120);"), 17);
}

TEST(ImageBuiltinsCountTest, EveryArgumentCountOutsideTheTableIsErrorTwo) {
  test::BuiltinRunner r;
  const char* calls[] = {
      "exif(1, @MAIN, 1, 1)", "exifnice()",        "exifnice(1, @MAIN, 1)", "exifcount(@MAIN, 1)",
      "exiftag()",            "exiftag(1, @MAIN, 1)", "exiftagname()",     "exifcomponentcount()",
      "exifcomponentcount(1, @MAIN, 1)", "iptc()", "iptc(2)",               "iptccount(1)",
      "iptctag()",            "iptctag(1, 2)",     "iptctagname()",         "iptctagname(1, 2)",
      "dirinfo(1)",           "dirinfo(1, @COUNT, 1)", "imageinfo(1)",      "imageinfo(1, 1, 1, @REF)",
      "imagecommentkey()",    "imagecommentkey(1, 2)", "imagecomment(1, 2)", "imagecommentcount(1)",
      "rgb()",                "rgb(1, 2)",         "rgb(1, 2, 3, 4)",       "rotate()",
      "rotate(90, 90)",       "flip()",            "drawrectangle(1, 2, 3, 4)",
      "drawrectangle(1, 2, 3, 4, 5, 6, @OUTSIDE, 8)", "drawellipse(1, 2, 3, 4)",
      "drawline(1, 2, 3, 4)", "drawline(1, 2, 3, 4, 5, 6)", "inqcolor(1)"};
  for (const char* call : calls) {
    EXPECT_EQ(r.FailCode(std::string(call) + ";"), 2) << call;
  }
}

}  // namespace
}  // namespace velmora::script
