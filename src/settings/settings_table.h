// The settings table: 206 slots of key, value and label, all text. The program
// holds two of them (stored and working, see profile_data.h); runs read the
// working copy through the typed accessors.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "settings/setting_key.h"
#include "settings/settings_catalogue.h"

namespace velmora::settings {

struct SettingSlot {
  std::string key;    // upper case; empty for an unused slot
  std::string value;  // numbers in decimal, flags "0"/"1", colours as RGB integers
  std::string label;  // tooltip of the option field; never written to a file
  bool operator==(const SettingSlot&) const = default;
};

class SettingsTable {
 public:
  // A table with the built-in defaults (labels of the template snippets empty;
  // ResetToDefaults fills them from the current language).
  SettingsTable();

  const SettingSlot& Slot(int slot) const { return slots_.at(static_cast<std::size_t>(slot)); }
  const std::string& Value(int slot) const { return Slot(slot).value; }
  void SetValue(int slot, std::string value) { slots_.at(static_cast<std::size_t>(slot)).value = std::move(value); }
  void AppendToValue(int slot, std::string_view text) { slots_.at(static_cast<std::size_t>(slot)).value += text; }
  void SetLabel(int slot, std::string label) { slots_.at(static_cast<std::size_t>(slot)).label = std::move(label); }

  // Typed reads by key; a key literal is checked against the catalogue when
  // compiling, a key read while running goes through SettingKey::Find.
  const std::string& Text(SettingKey key) const { return Value(key.slot()); }
  long Int(SettingKey key) const;  // rounded numeric value, halves to even
  double Number(SettingKey key) const;
  bool Flag(SettingKey key) const { return Number(key) != 0.0; }
  void Set(SettingKey key, std::string value) { SetValue(key.slot(), std::move(value)); }

  bool operator==(const SettingsTable&) const = default;

 private:
  std::array<SettingSlot, kSettingsSlotCount> slots_;
};

}  // namespace velmora::settings
