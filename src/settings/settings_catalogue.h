// The catalogue of profile settings: every key with its fixed slot, its
// default in the built-in default profile and its label. The one source of
// truth for all of them; the settings table is filled from it.
#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace velmora::settings {

inline constexpr int kSettingsSlotCount = 206;

struct SettingDefinition {
  int slot = 0;
  std::string_view key;
  std::string_view default_value;
  std::string_view label;      // fixed tooltip text (the file-type names)
  std::string_view label_key;  // key in language section "Profile" (template snippets)
};

// Every used slot, in slot order. Slots missing from it are unused.
std::span<const SettingDefinition> SettingsCatalogue();

// The slot of a key in any letter case, or nothing for an unknown key.
// A hash lookup: callers may use it per image without cost.
std::optional<int> SlotOfKey(std::string_view key);

// The two meta lines every default head snippet starts with (CR LF between).
std::string_view GeneratorBlock();

}  // namespace velmora::settings
