// Setting keys that arrive while running.
#include "settings/setting_key.h"

#include <stdexcept>
#include <string>

#include "settings/settings_catalogue.h"

namespace velmora::settings {

std::optional<SettingKey> SettingKey::Find(std::string_view key) {
  if (const auto slot = SlotOfKey(key)) return SettingKey(FromSlot{}, *slot);
  return std::nullopt;
}

SettingKey SettingKey::Require(std::string_view key) {
  if (const auto found = Find(key)) return *found;
  throw std::out_of_range("unknown setting key " + std::string(key));
}

}  // namespace velmora::settings
