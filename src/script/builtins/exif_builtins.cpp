// EXIF entries of the current image. A tag is given by its number or by its
// name in the metadata definitions of its section; a name that the
// definitions give a position (one field of a maker-note array) stands for
// that component of the entry.
#include "script/builtins/exif_builtins.h"

#include <charconv>
#include <limits>
#include <span>

#include "metadata/exif_display.h"
#include "script/builtins/date_text.h"
#include "script/builtins/image_host_access.h"

namespace velmora::script {
namespace {

using metadata::ExifSection;
using metadata::ExifTag;
using metadata::ExifTagTable;
using metadata::MetadataDefinition;
using metadata::PhotoMetadata;
using metadata::RLExif;

// The section argument at `k`, @MAIN when absent; a non-symbol is error 3,
// another symbol error 9.
std::optional<ExifSection> SectionArgument(BuiltinCall& call, int k) {
  if (k > call.count()) return ExifSection::kMain;
  const Value& v = call.Arg(k);
  if (!v.is(ValueType::kSymbol)) {
    call.Fail(rterr::kParametertype);
    return std::nullopt;
  }
  switch (v.symbol()) {
    case kSymMain: return ExifSection::kMain;
    case kSymThumbnail: return ExifSection::kThumbnail;
    case kSymGps: return ExifSection::kGps;
    case kSymMakernote: return ExifSection::kMakernote;
    default: call.Fail(rterr::kExifSectionUnknown); return std::nullopt;
  }
}

// A tag as the script wrote it: a number (16 bits, as TIFF tags are) or a name.
struct TagArgument {
  bool is_name = false;
  std::int32_t number = 0;
  std::string_view name;  // lives as long as the call's arguments
};

std::optional<TagArgument> TagArgumentAt(BuiltinCall& call, int k) {
  const Value& v = call.Arg(k);
  if (v.is(ValueType::kInteger)) {
    if (v.integer() < 0 || v.integer() > 0xFFFF) {
      call.Fail(rterr::kExifTagUnknown);
      return std::nullopt;
    }
    return TagArgument{false, v.integer(), {}};
  }
  if (v.is(ValueType::kString)) return TagArgument{true, 0, v.text()};
  call.Fail(rterr::kParametertype);
  return std::nullopt;
}

const ExifTagTable* TableOf(const MetadataDefinition& definitions, ExifSection section, std::int32_t maker_code) {
  switch (section) {
    case ExifSection::kMain: return &definitions.main_tags;
    case ExifSection::kThumbnail: return &definitions.thumbnail_tags;
    case ExifSection::kGps: return &definitions.gps_tags;
    case ExifSection::kMakernote: {
      const auto it = definitions.makernotes.find(maker_code);
      return it == definitions.makernotes.end() ? nullptr : &it->second.tags;
    }
  }
  return nullptr;
}

const ExifTag* FindByName(const ExifTagTable* table, std::string_view name) {
  if (table == nullptr) return nullptr;
  for (const auto& [key, tag] : *table) {
    if (SameName(tag.name, name)) return &tag;
  }
  return nullptr;
}

// The definition of a tag number: the tag as a whole, else its first
// defined component.
const ExifTag* FindByNumber(const ExifTagTable* table, std::int32_t tag) {
  if (table == nullptr) return nullptr;
  const auto it = table->lower_bound({tag, std::numeric_limits<std::int32_t>::min()});
  return it != table->end() && it->first.first == tag ? &it->second : nullptr;
}

// The maker-note layout a section needs (0 for the others); error 10 when
// the image's maker note was not recognised.
std::optional<std::int32_t> MakerCode(BuiltinCall& call, const PhotoMetadata& metadata, ExifSection section) {
  if (section != ExifSection::kMakernote) return 0;
  if (metadata.maker_code == 0) {
    call.Fail(rterr::kExifMakernoteUnknown);
    return std::nullopt;
  }
  return metadata.maker_code;
}

// The current image's metadata when it has EXIF data; error 8 otherwise.
const PhotoMetadata* ExifOf(BuiltinCall& call) {
  const PhotoMetadata* metadata = CurrentMetadata(call);
  if (metadata == nullptr || !metadata->HasExif()) {
    call.Fail(rterr::kExifMissing);
    return nullptr;
  }
  return metadata;
}

// An entry of the image with the definition that describes it.
struct FoundEntry {
  const RLExif* entry = nullptr;
  const ExifTag* definition = nullptr;
  int component = 0;  // from a name with a position; 0: the whole entry
};

// Errors 10 (maker note), 11 (name) and 7 (entry) in that order.
std::optional<FoundEntry> FindEntry(BuiltinCall& call, const PhotoMetadata& metadata, ExifSection section,
                                    const TagArgument& tag) {
  const std::optional<std::int32_t> maker_code = MakerCode(call, metadata, section);
  if (!maker_code) return std::nullopt;
  const MetadataDefinition& definitions = DefinitionsOf(call);
  FoundEntry found;
  std::int32_t number = tag.number;
  if (tag.is_name) {
    found.definition = FindByName(TableOf(definitions, section, *maker_code), tag.name);
    if (found.definition == nullptr) {
      call.Fail(rterr::kExifTagUnknown);
      return std::nullopt;
    }
    number = found.definition->tag;
    found.component = found.definition->position;
  } else {
    found.definition = definitions.Find(section, *maker_code, number, 0);
  }
  found.entry = metadata.Find(section, static_cast<std::uint16_t>(number));
  if (found.entry == nullptr) {
    call.Fail(rterr::kExifDataUnknown);
    return std::nullopt;
  }
  return found;
}

// Where the arguments begin: the tag at 1 and the section at 2, then the
// current image's entry. Nothing after an error report.
std::optional<FoundEntry> EntryOfArguments(BuiltinCall& call) {
  const std::optional<TagArgument> tag = TagArgumentAt(call, 1);
  if (!tag) return std::nullopt;
  const std::optional<ExifSection> section = SectionArgument(call, 2);
  if (!section) return std::nullopt;
  const PhotoMetadata* metadata = ExifOf(call);
  if (metadata == nullptr) return std::nullopt;
  return FindEntry(call, *metadata, *section, *tag);
}

bool IsIntegerType(metadata::TiffType type) {
  using metadata::TiffType;
  return type == TiffType::kByte || type == TiffType::kShort || type == TiffType::kLong ||
         type == TiffType::kSByte || type == TiffType::kSShort || type == TiffType::kSLong ||
         type == TiffType::kUndefined;
}

std::optional<std::int64_t> Int64Of(std::string_view text) {
  std::int64_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
  return value;
}

// One number stays a number, so that scripts compare it as one
// (`exif(274) == 6`); texts, rationals and lists come as text.
Value RawValue(const RLExif& entry, int component) {
  std::span<const std::string> values = entry.values;
  if (component > 0) values = values.subspan(static_cast<std::size_t>(component - 1), 1);
  if (values.size() == 1) {
    if (IsIntegerType(entry.type)) {
      if (const std::optional<std::int64_t> n = Int64Of(values.front())) {
        if (*n >= std::numeric_limits<std::int32_t>::min() && *n <= std::numeric_limits<std::int32_t>::max()) {
          return Value::Integer(static_cast<std::int32_t>(*n));
        }
        return Value::Double(static_cast<double>(*n));
      }
    } else if (entry.type == metadata::TiffType::kFloat || entry.type == metadata::TiffType::kDouble) {
      if (const std::optional<double> d = metadata::ComponentNumber(values.front())) return Value::Double(*d);
    }
  }
  return Value::String(metadata::JoinComponents(values));
}

bool ComponentWithin(const RLExif& entry, int component) {
  return component >= 0 && static_cast<std::size_t>(component) <= entry.values.size();
}

}  // namespace

void kif_exif(BuiltinCall& call) {
  if (!call.CheckCount(0, 3)) return;
  if (call.count() == 0) {
    const PhotoMetadata* metadata = CurrentMetadata(call);
    return call.SetBool(metadata != nullptr && metadata->HasExif());
  }
  const std::optional<TagArgument> tag = TagArgumentAt(call, 1);
  if (!tag) return;
  const std::optional<ExifSection> section = SectionArgument(call, 2);
  if (!section) return;
  int component = 0;
  if (call.count() == 3) {
    const Value& c = call.Arg(3);
    if (!c.is(ValueType::kInteger)) return call.Fail(rterr::kParametertype);
    if (c.integer() < 1) return call.Fail(rterr::kExifTagposition);
    component = c.integer();
  }
  const PhotoMetadata* metadata = ExifOf(call);
  if (metadata == nullptr) return;
  const std::optional<FoundEntry> found = FindEntry(call, *metadata, *section, *tag);
  if (!found) return;
  if (component == 0) component = found->component;
  if (!ComponentWithin(*found->entry, component)) return call.Fail(rterr::kExifTagposition);
  call.SetResult(RawValue(*found->entry, component));
}

void kif_exifnice(BuiltinCall& call) {
  if (!call.CheckCount(1, 2)) return;
  const std::optional<FoundEntry> found = EntryOfArguments(call);
  if (!found) return;
  if (!ComponentWithin(*found->entry, found->component)) return call.Fail(rterr::kExifTagposition);
  const std::string text = metadata::DisplayText(*found->entry, found->definition, found->component);
  // Dates become date values, so that `datepart` can write them in any
  // pattern; a camera's "0000:00:00 00:00:00" stays the text it is.
  if (found->definition != nullptr && found->definition->form() == metadata::DisplayForm::kDateTime) {
    if (const std::optional<double> date = ParseDateText(text)) return call.SetResult(Value::Date(*date));
  }
  call.SetResult(Value::String(text));
}

void kif_exifcount(BuiltinCall& call) {
  if (!call.CheckCount(0, 1)) return;
  const std::optional<ExifSection> section = SectionArgument(call, 1);
  if (!section) return;
  const PhotoMetadata* metadata = CurrentMetadata(call);
  if (metadata == nullptr) return call.Fail(rterr::kExifMissing);
  call.SetResult(Value::Integer(static_cast<std::int32_t>(metadata->Section(*section).size())));
}

void kif_exiftag(BuiltinCall& call) {
  if (!call.CheckCount(1, 2)) return;
  const Value& position = call.Arg(1);
  if (!position.is(ValueType::kInteger)) return call.Fail(rterr::kParametertype);
  const std::optional<ExifSection> section = SectionArgument(call, 2);
  if (!section) return;
  const PhotoMetadata* metadata = CurrentMetadata(call);
  if (metadata == nullptr) return call.Fail(rterr::kExifMissing);
  const std::vector<RLExif>& entries = metadata->Section(*section);
  if (position.integer() < 1 || static_cast<std::size_t>(position.integer()) > entries.size()) {
    return call.Fail(rterr::kExifTagposition);
  }
  call.SetResult(Value::Integer(entries[static_cast<std::size_t>(position.integer() - 1)].tag));
}

void kif_exiftagname(BuiltinCall& call) {
  if (!call.CheckCount(1, 2)) return;
  const std::optional<TagArgument> tag = TagArgumentAt(call, 1);
  if (!tag) return;
  const std::optional<ExifSection> section = SectionArgument(call, 2);
  if (!section) return;
  // Only the maker note's names depend on the image: on its camera maker.
  std::int32_t maker_code = 0;
  if (*section == ExifSection::kMakernote) {
    const PhotoMetadata* metadata = CurrentMetadata(call);
    if (metadata == nullptr) return call.Fail(rterr::kExifMissing);
    const std::optional<std::int32_t> code = MakerCode(call, *metadata, *section);
    if (!code) return;
    maker_code = *code;
  }
  const ExifTagTable* table = TableOf(DefinitionsOf(call), *section, maker_code);
  const ExifTag* definition = tag->is_name ? FindByName(table, tag->name) : FindByNumber(table, tag->number);
  if (definition == nullptr) return call.Fail(rterr::kExifTagUnknown);
  call.SetResult(Value::String(definition->name));
}

void kif_exifcomponentcount(BuiltinCall& call) {
  if (!call.CheckCount(1, 2)) return;
  const std::optional<FoundEntry> found = EntryOfArguments(call);
  if (!found) return;
  call.SetResult(Value::Integer(static_cast<std::int32_t>(found->entry->values.size())));
}

}  // namespace velmora::script
