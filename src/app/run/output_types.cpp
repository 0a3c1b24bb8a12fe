#include "app/run/output_types.h"

#include "image/codecs/codec_registry.h"
#include "platform/cp1252_case.h"
#include "settings/settings_table.h"

namespace velmora::app {
namespace {

struct NamedType {
  std::string_view name;
  int type;
  std::string_view extension;
};

constexpr NamedType kWritableTypes[] = {
    {"JPG", image::kImageTypeJpg, "jpg"},
    {"JPEG", image::kImageTypeJpg, "jpg"},
    {"WEBP", image::kImageTypeWebp, "webp"},
    {"AVIF", image::kImageTypeAvif, "avif"},
};

}  // namespace

std::optional<OutputType> OutputTypeNamed(std::string_view value) {
  while (!value.empty() && value.front() == ' ') value.remove_prefix(1);
  while (!value.empty() && value.back() == ' ') value.remove_suffix(1);
  for (const NamedType& named : kWritableTypes) {
    if (Cp1252EqualsIgnoreCase(value, named.name)) return OutputType{named.type, std::string(named.extension)};
  }
  return std::nullopt;
}

OutputType OutputTypeOf(const settings::SettingsTable& settings, settings::SettingKey key) {
  return OutputTypeNamed(settings.Text(key)).value_or(OutputType{image::kImageTypeJpg, "jpg"});
}

std::optional<lang::MessageKey> CheckOutputTypes(const settings::SettingsTable& settings) {
  constexpr lang::MessageKey kInvalid = "ErrOutputFormatInvalid";
  const bool converted_clones = settings.Flag("GENERATE_CLONES") && settings.Flag("CLONE_CONVERT");
  if (converted_clones && !OutputTypeNamed(settings.Text("CLONE_FORMAT"))) return kInvalid;
  if (settings.Flag("THUMBNAILS") && !OutputTypeNamed(settings.Text("THUMB_FORMAT"))) return kInvalid;
  return std::nullopt;
}

}  // namespace velmora::app
