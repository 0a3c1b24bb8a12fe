// A setting key as the code names it. Written as a literal
// (`settings.Flag("GENERATE_HTML")`) it is looked up in the catalogue while
// compiling, so a misspelt key does not build; keys that arrive while running
// (command line, profile files, scripts) go through SettingKey::Find.
#pragma once

#include <optional>
#include <string_view>

#include "settings/settings_catalogue_entries.h"

namespace velmora::settings {

namespace catalogue {

// Deliberately not constexpr: reaching it while compiling stops the build at
// the call site that names a key the catalogue lacks.
void UnknownSettingKey(std::string_view key);

// The slot of a key spelt exactly as in the catalogue (upper case).
consteval int SlotOfCatalogueKey(std::string_view key) {
  for (const SettingDefinition& definition : kAllSettingsEntries) {
    if (definition.key == key) return definition.slot;
  }
  UnknownSettingKey(key);
  return 0;
}

consteval bool KeysAreUnique() {
  for (const SettingDefinition& definition : kAllSettingsEntries) {
    if (SlotOfCatalogueKey(definition.key) != definition.slot) return false;
  }
  return true;
}
static_assert(KeysAreUnique(), "every catalogue key names one slot");

}  // namespace catalogue

class SettingKey {
 public:
  // A key written in the code, checked when compiling.
  consteval SettingKey(const char* key) : slot_(catalogue::SlotOfCatalogueKey(key)) {}  // NOLINT: implicit on purpose

  // A key read while running, in any letter case; nothing for an unknown key.
  static std::optional<SettingKey> Find(std::string_view key);
  // The same for a key the caller knows to exist (built from parts of known
  // keys); throws std::out_of_range naming an unknown one.
  static SettingKey Require(std::string_view key);

  constexpr int slot() const { return slot_; }

  constexpr bool operator==(const SettingKey&) const = default;

 private:
  struct FromSlot {};
  constexpr SettingKey(FromSlot, int slot) : slot_(slot) {}

  int slot_;
};

}  // namespace velmora::settings
