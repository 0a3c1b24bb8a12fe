// The settings table and its typed access.
#include "settings/settings_table.h"

#include <cmath>

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

double SettingsTable::Number(SettingKey key) const { return NumericValue(Text(key)); }

long SettingsTable::Int(SettingKey key) const { return std::lrint(Number(key)); }

}  // namespace velmora::settings
