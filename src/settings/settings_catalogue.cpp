// The settings catalogue: keys, slots, defaults and labels of all profile settings.
#include "settings/settings_catalogue.h"

#include <unordered_map>

#include "settings/settings_catalogue_entries.h"
#include "settings/text_utils.h"

namespace velmora::settings {

std::span<const SettingDefinition> SettingsCatalogue() { return catalogue::kAllSettingsEntries; }

std::optional<int> SlotOfKey(std::string_view key) {
  static const auto* const slots = [] {
    auto* map = new std::unordered_map<std::string_view, int, CaseInsensitiveHash, CaseInsensitiveEqual>();
    for (const SettingDefinition& definition : SettingsCatalogue()) map->emplace(definition.key, definition.slot);
    return map;
  }();
  const auto found = slots->find(key);
  if (found == slots->end()) return std::nullopt;
  return found->second;
}

std::string_view GeneratorBlock() { return catalogue::kGeneratorBlock; }

}  // namespace velmora::settings
