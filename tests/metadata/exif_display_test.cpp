// Every display form on the values cameras write, and on the damaged ones
// they sometimes write: zero denominators, texts where numbers belong,
// character-set heads, UTF-16 in either byte order, seconds that round up.
#include "metadata/exif_display.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmora::metadata {
namespace {

RLExif Entry(TiffType type, std::vector<std::string> values) {
  RLExif entry;
  entry.type = type;
  entry.count = static_cast<std::uint32_t>(values.size());
  entry.values = std::move(values);
  return entry;
}

RLExif Rational(std::vector<std::string> values) { return Entry(TiffType::kRational, std::move(values)); }

// An UNDEFINED entry holding the bytes of `bytes`.
RLExif Bytes(std::string_view bytes) {
  std::vector<std::string> values;
  for (const char c : bytes) values.push_back(std::to_string(static_cast<unsigned char>(c)));
  return Entry(TiffType::kUndefined, values);
}

ExifTag Form(DisplayForm form) {
  ExifTag tag;
  tag.format_code = static_cast<std::int32_t>(form);
  return tag;
}

std::string Show(const RLExif& entry, DisplayForm form) {
  const ExifTag tag = Form(form);
  return DisplayText(entry, &tag);
}

TEST(ExifDisplayTest, LabelsComeFirstInEveryForm) {
  ExifTag flash = Form(DisplayForm::kDecimal);
  flash.labels[16] = {16, "Off, Did not fire"};
  flash.labels[1] = {1, "Fired"};
  EXPECT_EQ(DisplayText(Entry(TiffType::kShort, {"16"}), &flash), "Off, Did not fire");
  EXPECT_EQ(DisplayText(Entry(TiffType::kShort, {"1", "16"}), &flash), "Fired,Off, Did not fire");
  // A value without a label falls back to the form.
  EXPECT_EQ(DisplayText(Entry(TiffType::kShort, {"7"}), &flash), "7.0");
  EXPECT_EQ(DisplayText(Entry(TiffType::kShort, {"1", "7"}), &flash), "1.0,7.0");
  // A LONG beyond 32 bits is no label's value, however it would wrap.
  ExifTag wrapped = Form(DisplayForm::kPlain);
  wrapped.labels[-1] = {-1, "minus one"};
  EXPECT_EQ(DisplayText(Entry(TiffType::kLong, {"4294967295"}), &wrapped), "4294967295");
  EXPECT_EQ(DisplayText(Entry(TiffType::kSLong, {"-1"}), &wrapped), "minus one");
}

TEST(ExifDisplayTest, WithoutADefinitionOrWithAnUnknownCodeTheValueShowsAsRead) {
  EXPECT_EQ(DisplayText(Rational({"28/10"}), nullptr), "28/10");
  ExifTag odd;
  odd.format_code = 99;
  EXPECT_EQ(DisplayText(Entry(TiffType::kShort, {"1", "2"}), &odd), "1,2");
  odd.format_code = -1;
  EXPECT_EQ(DisplayText(Entry(TiffType::kAscii, {"Canon"}), &odd), "Canon");
}

TEST(ExifDisplayTest, RationalsAsDecimalsAndFractions) {
  EXPECT_EQ(Show(Rational({"28/10"}), DisplayForm::kDecimal), "2.8");
  EXPECT_EQ(Show(Rational({"4/1"}), DisplayForm::kDecimal), "4.0");
  EXPECT_EQ(Show(Rational({"2667/1000"}), DisplayForm::kDecimal), "2.67");
  EXPECT_EQ(Show(Rational({"4/1"}), DisplayForm::kDecimal2), "4.00");
  EXPECT_EQ(Show(Entry(TiffType::kSRational, {"-1/3"}), DisplayForm::kDecimal), "-0.33");
  EXPECT_EQ(Show(Entry(TiffType::kSRational, {"-1/1000"}), DisplayForm::kDecimal), "0.0");
  EXPECT_EQ(Show(Rational({"10/2500"}), DisplayForm::kFraction), "10/2500");
  // A zero denominator has no value; the stored text is what there is.
  EXPECT_EQ(Show(Rational({"1/0"}), DisplayForm::kDecimal), "1/0");
  EXPECT_EQ(Show(Entry(TiffType::kAscii, {"n/a"}), DisplayForm::kDecimal), "n/a");
  // An exact half goes to the even neighbour.
  EXPECT_EQ(Show(Entry(TiffType::kDouble, {"0.125"}), DisplayForm::kDecimal2), "0.12");
}

TEST(ExifDisplayTest, ExposureTimes) {
  EXPECT_EQ(Show(Rational({"10/2500"}), DisplayForm::kExposureTime), "1/250");
  EXPECT_EQ(Show(Rational({"1/3"}), DisplayForm::kExposureTime), "1/3");
  EXPECT_EQ(Show(Rational({"3/10"}), DisplayForm::kExposureTime), "1/3.3");
  EXPECT_EQ(Show(Rational({"1/1"}), DisplayForm::kExposureTime), "1.0");
  EXPECT_EQ(Show(Rational({"15/10"}), DisplayForm::kExposureTime), "1.5");
  EXPECT_EQ(Show(Rational({"30/1"}), DisplayForm::kExposureTime), "30.0");
  EXPECT_EQ(Show(Rational({"0/1"}), DisplayForm::kExposureTime), "0.0");
}

TEST(ExifDisplayTest, ApexValuesAndFNumbers) {
  EXPECT_EQ(Show(Entry(TiffType::kSRational, {"8/1"}), DisplayForm::kApexShutter), "1/256");
  EXPECT_EQ(Show(Entry(TiffType::kSRational, {"-1/1"}), DisplayForm::kApexShutter), "2.0");
  EXPECT_EQ(Show(Entry(TiffType::kSRational, {"1000/1"}), DisplayForm::kApexShutter), "1000/1");
  EXPECT_EQ(Show(Rational({"3/1"}), DisplayForm::kApexAperture), "2.8");
  EXPECT_EQ(Show(Rational({"-1000/1"}), DisplayForm::kApexAperture), "-1000/1");
  EXPECT_EQ(Show(Rational({"28/10"}), DisplayForm::kFNumber), "f/2.8");
  EXPECT_EQ(Show(Rational({"11/1"}), DisplayForm::kFNumber), "f/11.0");
}

TEST(ExifDisplayTest, GpsCoordinatesInDegreesMinutesSeconds) {
  EXPECT_EQ(Show(Rational({"48/1", "8/1", "1234/100"}), DisplayForm::kGpsCoordinate), "48&deg; 8' 12.34\"");
  // Minutes with a fraction and no seconds, as many phones write them.
  EXPECT_EQ(Show(Rational({"48/1", "812345/100000", "0/1"}), DisplayForm::kGpsCoordinate), "48&deg; 8' 7.41\"");
  // Seconds that round to 60 carry into the minute and the degree.
  EXPECT_EQ(Show(Rational({"10/1", "59/1", "59999/1000"}), DisplayForm::kGpsCoordinate), "11&deg; 0' 0.00\"");
  EXPECT_EQ(Show(Rational({"7/1"}), DisplayForm::kGpsCoordinate), "7&deg; 0' 0.00\"");
  EXPECT_EQ(Show(Rational({"48/1", "8/0", "0/1"}), DisplayForm::kGpsCoordinate), "48/1,8/0,0/1");
  EXPECT_EQ(Show(Rational({"1/1", "2/1", "3/1", "4/1"}), DisplayForm::kGpsCoordinate), "1/1,2/1,3/1,4/1");
  // A hostile DOUBLE would overflow the rounding to hundredths of a second.
  EXPECT_EQ(Show(Entry(TiffType::kDouble, {"1e300"}), DisplayForm::kGpsCoordinate), "1e300");
}

TEST(ExifDisplayTest, LengthsCarryTheirUnit) {
  EXPECT_EQ(Show(Rational({"50/1"}), DisplayForm::kMillimetres), "50.0mm");
  EXPECT_EQ(Show(Rational({"246/10"}), DisplayForm::kMillimetresWhole), "25mm");
  EXPECT_EQ(Show(Rational({"12/1"}), DisplayForm::kCentimetres), "12cm");
  EXPECT_EQ(Show(Rational({"125/10"}), DisplayForm::kCentimetres1), "12.5cm");
  EXPECT_EQ(Show(Rational({"3/1"}), DisplayForm::kDecimetres), "3dm");
  EXPECT_EQ(Show(Rational({"3/1"}), DisplayForm::kDecimetres2), "3.00dm");
  EXPECT_EQ(Show(Rational({"1234/10"}), DisplayForm::kMetres), "123m");
  EXPECT_EQ(Show(Rational({"1234/1000"}), DisplayForm::kMetres3), "1.234m");
}

TEST(ExifDisplayTest, SubjectDistanceKnowsInfiniteAndUnknown) {
  EXPECT_EQ(Show(Rational({"4294967295/1"}), DisplayForm::kSubjectDistance), "infinite");
  EXPECT_EQ(Show(Rational({"0/1"}), DisplayForm::kSubjectDistance), "unknown");
  EXPECT_EQ(Show(Rational({"0/0"}), DisplayForm::kSubjectDistance), "unknown");
  EXPECT_EQ(Show(Rational({"123/100"}), DisplayForm::kSubjectDistance), "1.23m");
}

TEST(ExifDisplayTest, ComponentsAndColourSpace) {
  EXPECT_EQ(Show(Entry(TiffType::kUndefined, {"1", "2", "3", "0"}), DisplayForm::kComponents), "YCbCr");
  EXPECT_EQ(Show(Entry(TiffType::kUndefined, {"4", "5", "6", "0"}), DisplayForm::kComponents), "RedGreenBlue");
  EXPECT_EQ(Show(Entry(TiffType::kUndefined, {"1", "9"}), DisplayForm::kComponents), "1,9");
  EXPECT_EQ(Show(Entry(TiffType::kShort, {"1"}), DisplayForm::kColourSpace), "RGB");
  EXPECT_EQ(Show(Entry(TiffType::kShort, {"6"}), DisplayForm::kColourSpace), "YCbCr");
  EXPECT_EQ(Show(Entry(TiffType::kShort, {"65535"}), DisplayForm::kColourSpace), "unknown");
}

TEST(ExifDisplayTest, TextsWithACharacterSetHead) {
  using namespace std::string_view_literals;
  EXPECT_EQ(Show(Bytes("ASCII\0\0\0Am Meer   "sv), DisplayForm::kUnicodeText), "Am Meer");
  EXPECT_EQ(Show(Bytes("\0\0\0\0\0\0\0\0Alt\0\0\0"sv), DisplayForm::kUnicodeText), "Alt");
  // UTF-16 in the file's byte order, which the head does not say: told by
  // a byte-order mark or by where the zero bytes fall.
  EXPECT_EQ(Show(Bytes("UNICODE\0\0G\0r\0\xFC\0\xDF\0e"sv), DisplayForm::kUnicodeText), "Gr\xFC\xDF" "e");
  EXPECT_EQ(Show(Bytes("UNICODE\0G\0r\0\xFC\0\xDF\0e\0"sv), DisplayForm::kUnicodeText), "Gr\xFC\xDF" "e");
  EXPECT_EQ(Show(Bytes("UNICODE\0\xFF\xFEO\0K\0"sv), DisplayForm::kUnicodeText), "OK");
  EXPECT_EQ(Show(Bytes("UNICODE\0\xFE\xFF\0O\0K"sv), DisplayForm::kUnicodeText), "OK");
  // The euro sign lives at 0x80 in Windows-1252; CJK and a lone surrogate do not fit.
  EXPECT_EQ(Show(Bytes("UNICODE\0\xAC\x20-\0\x2D\x4E-\0\x00\xD8!\0"sv), DisplayForm::kUnicodeText), "\x80-?-?!");
  // Windows' XP tags: UTF-16 little-endian without a head, an odd byte at the end ignored.
  EXPECT_EQ(Show(Entry(TiffType::kByte, {"84", "0", "252", "0", "114", "0", "0", "0", "7"}),
                 DisplayForm::kUnicodeText),
            "T\xFCr");
  EXPECT_EQ(Show(Entry(TiffType::kAscii, {"plain"}), DisplayForm::kUnicodeText), "plain");
  EXPECT_EQ(Show(Entry(TiffType::kUndefined, {"300"}), DisplayForm::kUnicodeText), "300");
}

TEST(ExifDisplayTest, VersionsDatesAndByteTexts) {
  EXPECT_EQ(Show(Entry(TiffType::kUndefined, {"48", "50", "51", "50"}), DisplayForm::kVersion), "2.32");
  EXPECT_EQ(Show(Entry(TiffType::kUndefined, {"48", "49", "48", "48"}), DisplayForm::kVersion), "1.00");
  EXPECT_EQ(Show(Entry(TiffType::kAscii, {"0230"}), DisplayForm::kVersion), "2.30");
  EXPECT_EQ(Show(Entry(TiffType::kByte, {"2", "3", "0", "0"}), DisplayForm::kVersion), "2.3.0.0");
  EXPECT_EQ(Show(Entry(TiffType::kAscii, {"2023:07:14 18:30:05 "}), DisplayForm::kDateTime), "2023:07:14 18:30:05");
  EXPECT_EQ(Show(Entry(TiffType::kUndefined, {"72", "105", "0", "88"}), DisplayForm::kByteText), "Hi");
}

TEST(ExifDisplayTest, LongListsAreShortenedAndComponentsPicked) {
  std::vector<std::string> values;
  for (int i = 1; i <= 20; ++i) values.push_back(std::to_string(i));
  const RLExif entry = Entry(TiffType::kShort, values);
  EXPECT_EQ(DisplayText(entry, nullptr), "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,...(20)");
  EXPECT_EQ(Show(entry, DisplayForm::kDecimal2).substr(0, 10), "1.00,2.00,");
  EXPECT_TRUE(Show(entry, DisplayForm::kDecimal2).ends_with("16.00,...(20)"));
  values.resize(kDisplayListLimit);
  EXPECT_EQ(JoinComponents(values), "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16");
  EXPECT_EQ(DisplayText(entry, nullptr, 20), "20");
  EXPECT_EQ(Show(Rational({"1/2", "28/10"}), DisplayForm::kFNumber), "f/0.5,f/2.8");
  const ExifTag fnumber = Form(DisplayForm::kFNumber);
  EXPECT_EQ(DisplayText(Rational({"1/2", "28/10"}), &fnumber, 2), "f/2.8");
  EXPECT_EQ(DisplayText(Rational({"1/2"}), &fnumber, 2), "");
}

TEST(ExifDisplayTest, ComponentNumbers) {
  EXPECT_EQ(ComponentNumber("12"), 12.0);
  EXPECT_EQ(ComponentNumber("-3/4"), -0.75);
  EXPECT_EQ(ComponentNumber("1.5"), 1.5);
  EXPECT_FALSE(ComponentNumber("1/0"));
  EXPECT_FALSE(ComponentNumber(""));
  EXPECT_FALSE(ComponentNumber("/"));
  EXPECT_FALSE(ComponentNumber("1/"));
  EXPECT_FALSE(ComponentNumber("inf"));
  EXPECT_FALSE(ComponentNumber("nan"));
  EXPECT_FALSE(ComponentNumber("Offset:10 Bytes:4"));
}

}  // namespace
}  // namespace velmora::metadata
