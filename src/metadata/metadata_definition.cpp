// The definition tables' lookups, the maker-note layout names and the
// model key of the focal-length table.
#include "metadata/metadata_definition.h"

#include <array>

#include "platform/cp1252_case.h"
#include "platform/text_lines.h"

namespace velmora::metadata {
namespace {

struct MakerLayout {
  std::string_view name;
  std::int32_t code;
};

// The codes are what the reader assigns when it recognises a camera maker;
// gaps belong to layouts that have no section name of their own.
constexpr std::array<MakerLayout, 14> kMakerLayouts{{
    {"asahi01", 2},
    {"asahi02", 3},
    {"canon01", 4},
    {"casio01", 5},
    {"casio02", 6},
    {"fujifilm01", 8},
    {"leica01", 14},
    {"minolta01", 15},
    {"nikon01", 16},
    {"nikon02", 17},
    {"olympus01", 18},
    {"panasonic01", 19},
    {"ricoh01", 21},
    {"sigma01", 25},
}};

const ExifTag* FindIn(const ExifTagTable& table, std::int32_t tag, std::int32_t position) {
  const auto it = table.find({tag, position});
  return it == table.end() ? nullptr : &it->second;
}

}  // namespace

std::int32_t MakerCodeOf(std::string_view lower_case_name) {
  for (const MakerLayout& layout : kMakerLayouts) {
    if (Cp1252EqualsIgnoreCase(layout.name, lower_case_name)) return layout.code;
  }
  return 0;
}

std::string FocalModelKey(std::string_view model) {
  model = TrimBlanks(model.substr(0, model.find('(')));
  std::string key;
  key.reserve(model.size());
  for (const char c : model) {
    if (!IsBlank(c)) key += static_cast<char>(Cp1252Upper(static_cast<unsigned char>(c)));
  }
  return key;
}

const ExifTag* MetadataDefinition::Find(ExifSection section, std::int32_t maker_code, std::int32_t tag,
                                        std::int32_t position) const {
  switch (section) {
    case ExifSection::kMain: return FindIn(main_tags, tag, position);
    case ExifSection::kThumbnail: return FindIn(thumbnail_tags, tag, position);
    case ExifSection::kGps: return FindIn(gps_tags, tag, position);
    case ExifSection::kMakernote: {
      const auto it = makernotes.find(maker_code);
      return it == makernotes.end() ? nullptr : FindIn(it->second.tags, tag, position);
    }
  }
  return nullptr;
}

const IptcTag* MetadataDefinition::FindIptc(std::int32_t dataset) const {
  const auto it = iptc_tags.find(dataset);
  return it == iptc_tags.end() ? nullptr : &it->second;
}

std::optional<double> MetadataDefinition::FocalMultiplier(std::string_view model_key) const {
  const auto it = focal_equivalents.find(model_key);
  if (it == focal_equivalents.end()) return std::nullopt;
  return it->second;
}

bool MetadataDefinition::empty() const {
  return main_tags.empty() && thumbnail_tags.empty() && gps_tags.empty() && makernotes.empty() &&
         focal_equivalents.empty() && iptc_tags.empty();
}

std::string DefinitionError::Message() const {
  switch (kind) {
    case Kind::kVersionUnsupported: return "Version der Metadaten-Beschreibungsdatei wird nicht unterst\xFCtzt";
    case Kind::kVersionNotFirst:
      return "Version der Metadaten-Beschreibungsdatei muss als erster Eintrag aufgef\xFChrt sein";
    case Kind::kFormat: break;
  }
  // CR LF, the line break of every shown message.
  return "Fehler beim Lesen der Metadaten-Definitionsdatei\r\n\r\nFehler in Zeile " + std::to_string(line) + "\r\n" +
         line_text;
}

}  // namespace velmora::metadata
