// Writing profile text.
#include "settings/profile_writer.h"

#include <string_view>

namespace velmora::settings {
namespace {

// Appends `prefix` + `value` as one record. Every line break inside the value
// (CR LF, and also a lone LF or CR, which a reader would take as a line end
// too) becomes CR LF + `continuation`, so the record reads back as one value.
void AppendRecord(std::string& out, std::string_view prefix, std::string_view value, std::string_view continuation) {
  out += prefix;
  for (std::size_t pos = 0; pos < value.size(); ++pos) {
    const char c = value[pos];
    if (c != '\r' && c != '\n') {
      out += c;
      continue;
    }
    if (c == '\r' && pos + 1 < value.size() && value[pos + 1] == '\n') ++pos;
    out += "\r\n";
    out += continuation;
  }
  out += "\r\n";
}

}  // namespace

std::string WriteProfileText(const SettingsTable& settings, const image::CCloneEffekte& clones,
                             const RLModule& modules) {
  static const SettingsTable defaults;
  std::string out;
  out.reserve(16384);
  for (int slot = 0; slot < kSettingsSlotCount; ++slot) {
    const SettingSlot& entry = settings.Slot(slot);
    if (entry.key.empty() || (IsAddedSlot(slot) && entry.value == defaults.Value(slot))) continue;
    AppendRecord(out, entry.key + "=", entry.value, "+");
  }
  for (const image::CloneItem& item : clones) {
    for (const auto& [key, value] : item.ProfileProperties()) AppendRecord(out, key + "=", value, "+");
  }
  for (const RLModul& module : modules) {
    AppendRecord(out, "!*", module.name, "");
    AppendRecord(out, "!+", module.source, "!+");
  }
  return out;
}

}  // namespace velmora::settings
