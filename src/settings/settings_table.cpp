// The settings table and its typed access.
#include "settings/settings_table.h"

#include <cmath>
#include <stdexcept>

#include "settings/text_utils.h"

namespace velmora::settings {

SettingsTable::SettingsTable() {
  for (const SettingDefinition& definition : SettingsCatalogue()) {
    SettingSlot& slot = slots_[static_cast<std::size_t>(definition.slot)];
    slot.key = definition.key;
    slot.value = definition.default_value;
    slot.label = definition.label;
  }
}

int SettingsTable::SlotOf(std::string_view key) {
  if (const auto slot = SlotOfKey(key)) return *slot;
  throw std::out_of_range("unknown setting key " + std::string(key));
}

double SettingsTable::Number(std::string_view key) const { return NumericValue(Text(key)); }

long SettingsTable::Int(std::string_view key) const { return std::lrint(Number(key)); }

}  // namespace velmora::settings
