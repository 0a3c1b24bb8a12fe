// The catalogue of profile settings: every key with its fixed slot, its
// default in the built-in default profile and its label. The one source of
// truth for all of them; the settings table is filled from it.
#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace velmora::settings {

// The classic table: slots 0 to 196, numbered as the option pages and the
// migrations address them, each written to every profile.
inline constexpr int kClassicSlotCount = 197;
// Settings added since follow in slots of their own. A profile carries
// one only when it differs from its default, so that a profile that uses
// none of them is saved exactly as before (older versions ignore the keys
// they do not know).
inline constexpr int kAddedSlotCount = 9;
inline constexpr int kSettingsSlotCount = kClassicSlotCount + kAddedSlotCount;

constexpr bool IsAddedSlot(int slot) { return slot >= kClassicSlotCount; }

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
