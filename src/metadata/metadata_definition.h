// The names of EXIF tags, maker-note tags and IPTC datasets, the readable
// texts of enumerated values, and the focal-length multipliers per camera
// model. None of this is built into the program: it comes from the text file
// "metadata.def" in the program directory, read once, the first time
// metadata is needed.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace velmora::metadata {

// The four directories of EXIF data an image carries; the numbers are the
// section numbers scripts and the definition lookups use.
enum class ExifSection : int { kMain = 0, kThumbnail = 1, kMakernote = 2, kGps = 3 };
inline constexpr int kExifSectionCount = 4;

// How `exifnice` shows a value; the numbers are the format codes written in
// metadata.def (its head documents them). A tag whose value has a label
// shows the label in every form.
enum class DisplayForm : std::int32_t {
  kPlain = 0,             // the value as read, components joined by ","
  kDecimal = 1,           // rationals as decimals, pattern "0.0#"
  kDecimal2 = 2,          // rationals as decimals, pattern "0.00"
  kExposureTime = 3,      // "1/250" below one second, else "0.0#"
  kFraction = 4,          // rationals as numerator "/" denominator
  kGpsCoordinate = 5,     // degrees, minutes, seconds: 48&deg; 8' 12.34"
  kMillimetres = 6,       // "0.0mm"
  kMillimetresWhole = 7,  // "0mm"
  kCentimetres = 8,       // "0cm"
  kCentimetres1 = 9,      // "0.0cm"
  kDecimetres = 10,       // "0dm"
  kDecimetres2 = 11,      // "0.00dm"
  kMetres = 12,           // "0m"
  kMetres3 = 13,          // "0.000m"
  kComponents = 14,       // components configuration: "YCbCr", "RGB" from the channel codes
  kColourSpace = 15,      // "RGB" or "YCbCr"
  kSubjectDistance = 16,  // metres "0.00m"; "infinite" and "unknown" for the special values
  kUnicodeText = 17,      // a text with an 8-byte character-set head (UserComment) or UTF-16 (XP tags)
  kDateTime = 18,         // "YYYY:MM:DD HH:MM:SS", rebuilt into a DATE value
  kVersion = 19,          // four digit bytes "0232" as "2.32"
  kApexShutter = 20,      // APEX shutter speed shown as an exposure time
  kApexAperture = 21,     // APEX aperture shown as an f-number "0.0"
  kFNumber = 22,          // "f/2.8"
  kByteText = 23,         // BYTE or UNDEFINED values shown as the text they spell
};
inline constexpr std::int32_t kDisplayFormCount = 24;

struct ExifTagNice {
  std::int32_t value = 0;
  std::string text;  // Windows-1252
};

struct ExifTag {
  std::int32_t tag = 0;
  std::int32_t position = 0;  // 0: the tag as a whole; n > 0: its n-th component
  std::string name;           // Windows-1252
  std::int32_t format_code = 0;
  std::map<std::int32_t, ExifTagNice> labels;  // by value

  const ExifTagNice* Label(std::int32_t value) const {
    const auto it = labels.find(value);
    return it == labels.end() ? nullptr : &it->second;
  }
  // The display form; an unknown format code shows the plain value.
  DisplayForm form() const {
    return format_code >= 0 && format_code < kDisplayFormCount ? static_cast<DisplayForm>(format_code)
                                                                : DisplayForm::kPlain;
  }
};

// Tag definitions by (tag number, position).
using ExifTagTable = std::map<std::pair<std::int32_t, std::int32_t>, ExifTag>;

struct ExifMakernote {
  std::int32_t maker_code = 0;
  ExifTagTable tags;
};

struct IptcTag {
  std::int32_t dataset = 0;
  std::string name;
};

// The maker-note layouts a definition file may describe, by their names in
// "#makernote" headers; 0 for a name that is not one of them.
std::int32_t MakerCodeOf(std::string_view lower_case_name);

// The key of a camera model in the focal-length table: the part before a
// "(", trimmed, blanks removed, upper case ("Canon EOS 10D (Digital)" ->
// "CANONEOS10D").
std::string FocalModelKey(std::string_view model);

class MetadataDefinition {
 public:
  // The definition of a tag in a section (for the maker note: of the
  // given maker layout), or none.
  const ExifTag* Find(ExifSection section, std::int32_t maker_code, std::int32_t tag,
                      std::int32_t position = 0) const;
  const IptcTag* FindIptc(std::int32_t dataset) const;
  // The multiplier for a model key (FocalModelKey), or none.
  std::optional<double> FocalMultiplier(std::string_view model_key) const;

  bool empty() const;

  ExifTagTable main_tags;
  ExifTagTable thumbnail_tags;
  ExifTagTable gps_tags;
  std::map<std::int32_t, ExifMakernote> makernotes;  // by maker code
  std::map<std::string, double, std::less<>> focal_equivalents;
  std::map<std::int32_t, IptcTag> iptc_tags;
};

// Why a definition file was refused: the three failures the loader reports.
struct DefinitionError {
  enum class Kind { kVersionUnsupported, kVersionNotFirst, kFormat };
  Kind kind = Kind::kFormat;
  int line = 0;           // 1-based; for kFormat the line at fault
  std::string line_text;  // the trimmed line (Windows-1252)
  // The fixed German text the loader shows.
  std::string Message() const;
};

// Parses the text of a definition file (Windows-1252, any line ends).
std::variant<MetadataDefinition, DefinitionError> ParseMetadataDefinition(std::string_view text);

// The program-wide tables. The first call reads ProgramDirectory() /
// "metadata.def"; a refused file is reported (caption "Metadaten-Definition
// laden") and the next call tries again; a missing file leaves the tables
// empty without a message and is not tried again. True when the tables
// are available.
bool LoadMetadataDefinition();
// The tables as loaded so far (empty before a successful load).
const MetadataDefinition& Definitions();
// Forgets the loaded tables, so that the next LoadMetadataDefinition reads
// the file again (tests, and a program directory that changed).
void ResetMetadataDefinition();

}  // namespace velmora::metadata
