// Describing the effective settings of a batch run.
#include "app/effective_settings.h"

#include "platform/text_encoding.h"
#include "lang/messages.h"
#include "settings/profile_data.h"
#include "settings/profile_files.h"
#include "settings/settings_catalogue.h"

namespace velmora::app {
namespace {

std::string Printable(std::string_view cp1252) {
  std::string text = Cp1252ToUtf8(cp1252);
  for (std::size_t pos = text.find("\r\n"); pos != std::string::npos; pos = text.find("\r\n", pos + 2)) {
    text.replace(pos, 2, "\\n");
  }
  return text;
}

}  // namespace

std::string DescribeEffectiveSettings(const StartupState& state) {
  const settings::SettingsTable defaults;
  const settings::SettingsTable& working = settings::WorkingSettings();
  std::string text = "Profile: " + Printable(settings::CurrentProfile().IsDefault()
                                                 ? lang::GetText("Global", "ProfileDefaultname")
                                                 : settings::CurrentProfile().Name) +
                     "\n";
  for (const settings::SettingDefinition& definition : settings::SettingsCatalogue()) {
    const std::string& value = working.Value(definition.slot);
    if (value != defaults.Value(definition.slot)) text += std::string(definition.key) + "=" + Printable(value) + "\n";
  }
  text += "Basedir: " + Printable(state.StartPath) + "\n";
  text += "Level: " + std::to_string(state.DirLevel) + "\n";
  text += std::string("Controlimage: ") + (state.ControlImage ? "1" : "0") + "\n";
  return text;
}

}  // namespace velmora::app
