// Profile upgrade steps and sort key normalisation.
#include "settings/profile_migration.h"

#include <cmath>
#include <span>
#include <string>

#include "settings/text_utils.h"

namespace velmora::settings {
namespace {

// Versions compare as plain strings: "2.09.05" < "2.10.00" by their fixed form.
bool IsOlderThan(std::string_view version, std::string_view step) { return version < step; }

bool EqualsOneNumerically(const SettingsTable& settings, SettingKey key) {
  return settings.Number(key) == 1.0;
}

std::string NumberText(double value) {
  // Side codes are small integers; keep a fraction an old hand-edited file may hold.
  if (value == std::floor(value) && std::fabs(value) < 1e15) return std::to_string(static_cast<long long>(value));
  std::string text = std::to_string(value);
  while (text.back() == '0') text.pop_back();
  return text;
}

// Older files held only the attribute texts of the index and thumbnail tables.
void WrapTableAttributes(SettingsTable& s) {
  s.Set("HTML_INDEX_TABLE_OPEN", "<table " + s.Text("HTML_INDEX_TABLE") + ">\r\n");
  s.Set("HTML_INDEX_TD_OPEN", "<td " + s.Text("HTML_INDEX_TD_TAG") + ">");
  s.Set("HTML_THUMB_TABLE_OPEN", "<table " + s.Text("HTML_TABLE_TAG") + ">\r\n");
  s.Set("HTML_THUMB_TD_OPEN", "<td " + s.Text("HTML_THUMB_TD_TAG") + ">");
}

// The decoration pool folder became part of the decoration source; the copy
// switch of clones became "do not convert".
void MergeDecoPoolAndCopySwitch(SettingsTable& s) {
  if (!s.Text("DECO_POOL").empty()) s.Set("DECO_SOURCE", s.Text("DECO_POOL") + "/" + s.Text("DECO_SOURCE"));
  if (EqualsOneNumerically(s, "CLONE_COPY")) {
    s.Set("CLONE_CONVERT", "0");
    s.Set("CLONE_SELECTED_SIDE", "0");
  }
}

void AddGeneratorBlock(SettingsTable& s) {
  static constexpr SettingKey kHeads[] = {"HTML_FRAME_HEAD", "HTML_INDEX_HEAD", "HTML_HEAD", "HTML_PIC_HEAD"};
  for (const SettingKey key : kHeads) {
    const std::string& old = s.Text(key);
    s.Set(key, old.empty() ? std::string(GeneratorBlock()) : std::string(GeneratorBlock()) + "\r\n" + old);
  }
}

// Side codes moved up by one so that 0 could mean "original size".
void RenumberSides(SettingsTable& s) {
  if (EqualsOneNumerically(s, "CLONE_COPY")) s.Set("CLONE_CONVERT", "0");
  s.Set("CLONE_SELECTED_SIDE", NumberText(s.Number("CLONE_SELECTED_SIDE") + 1));
  s.Set("THUMB_SELECTED_SIDE", NumberText(s.Number("THUMB_SELECTED_SIDE") + 1));
  if (EqualsOneNumerically(s, "CLONE_SIZE_ORIGINAL")) s.Set("CLONE_SELECTED_SIDE", "0");
}

struct MigrationStep {
  std::string_view version;
  void (*apply)(SettingsTable&);
};

constexpr MigrationStep kSteps[] = {
    {"2.09.02", WrapTableAttributes},
    {"2.09.05", MergeDecoPoolAndCopySwitch},
    {"2.09.08", AddGeneratorBlock},
    {"2.10.00", RenumberSides},
};

struct SortWord {
  std::string_view word;
  std::string_view code;
};

constexpr SortWord kDirSortWords[] = {{"DATUM", "2"}, {"NAME", "1"}, {"ZUFALL", "5"}, {"ANZAHL", "6"}};
constexpr SortWord kImageSortWords[] = {{"DATUM", "2"}, {"NAME", "1"},  {"ZUFALL", "5"},    {"ANZAHL", "6"},
                                        {"NUMNAME", "7"}, {"BYTES", "3"}, {"DIMENSION", "4"}, {"KEINE", "0"}};
constexpr SortWord kDirectionWords[] = {{"DOWN", "1"}, {"UP", "0"}};

// The code of a sort word; a number stays; anything else becomes `fallback`
// (or stays when there is no fallback).
void NormaliseSortValue(SettingsTable& s, SettingKey key, std::span<const SortWord> words,
                        std::string_view fallback) {
  const std::string upper = Cp1252ToUpper(s.Text(key));
  for (const SortWord& word : words) {
    if (upper == word.word) {
      s.Set(key, std::string(word.code));
      return;
    }
  }
  if (fallback.empty() || IsNumeric(upper)) return;
  s.Set(key, std::string(fallback));
}

}  // namespace

bool IsSupportedProfileVersion(std::string_view version) { return !IsOlderThan(version, kOldestProfileVersion); }

void MigrateProfile(SettingsTable& settings) {
  const std::string version = settings.Text("VERSION");
  for (const MigrationStep& step : kSteps) {
    if (IsOlderThan(version, step.version)) step.apply(settings);
  }
}

void NormaliseSortKeys(SettingsTable& settings) {
  NormaliseSortValue(settings, "DIR_SORT", kDirSortWords, "1");
  NormaliseSortValue(settings, "THUMB_SORTIERUNG", kImageSortWords, "1");
  NormaliseSortValue(settings, "DIR_SORTDIRECTION", kDirectionWords, {});
  NormaliseSortValue(settings, "THUMB_SORTIERRICHTUNG", kDirectionWords, {});
}

}  // namespace velmora::settings
