// The name checks of the outputs below the clone folder.
#include "app/run/output_names.h"

#include "image/rename/rename_check.h"
#include "settings/settings_table.h"

namespace velmora::app {
namespace {

struct OutputName {
  settings::SettingKey key;
  lang::MessageKey missing;
  lang::MessageKey invalid;
};

constexpr OutputName kThumbNames[] = {
    {"THUMB_DIRNAME", "ErrThumbDirMissingName", "ErrThumbDirInvalidCharacter"},
};

constexpr OutputName kHtmlNames[] = {
    {"HTML_BASE", "ErrHTMLDirMissingName", "ErrHTMLDirInvalidCharacter"},
    {"HTML_EXTENSION", "ErrHTMLExtMissingName", "ErrHTMLExtInvalidCharacter"},
    {"HTML_DEFAULT", "ErrHTMLDefaultMissingName", "ErrHTMLDefaultInvalidCharacter"},
    {"HTML_INDEX_FILENAME", "ErrIndexMissingName", "ErrIndexInvalidCharacter"},
    {"HTML_FRAME_FILENAME", "ErrFrameMissingName", "ErrFrameInvalidCharacter"},
    {"DECO_PATH", "ErrDecoMissingName", "ErrDecoInvalidCharacter"},
};

template <std::size_t N>
std::optional<lang::MessageKey> FirstBadName(const settings::SettingsTable& settings, const OutputName (&names)[N]) {
  for (const OutputName& name : names) {
    const std::string& value = settings.Text(name.key);
    if (value.empty()) return name.missing;
    if (!IsPlainName(value)) return name.invalid;
  }
  return std::nullopt;
}

}  // namespace

bool IsPlainName(std::string_view name) {
  return name != "." && name != ".." && image::IsValidRenamedFileName(name);
}

std::optional<lang::MessageKey> CheckOutputNames(const settings::SettingsTable& settings) {
  if (settings.Flag("THUMBNAILS")) {
    if (const auto failure = FirstBadName(settings, kThumbNames)) return failure;
  }
  if (settings.Flag("GENERATE_HTML")) return FirstBadName(settings, kHtmlNames);
  return std::nullopt;
}

std::optional<lang::MessageKey> CheckOutputName(settings::SettingKey key, std::string_view value) {
  const auto check = [&](const OutputName& name) -> std::optional<lang::MessageKey> {
    if (value.empty()) return name.missing;
    if (!IsPlainName(value)) return name.invalid;
    return std::nullopt;
  };
  for (const OutputName& name : kThumbNames) {
    if (name.key == key) return check(name);
  }
  for (const OutputName& name : kHtmlNames) {
    if (name.key == key) return check(name);
  }
  return std::nullopt;
}

}  // namespace velmora::app
