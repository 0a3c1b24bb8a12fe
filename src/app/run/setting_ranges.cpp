// Range checks of the numeric settings.
#include "app/run/setting_ranges.h"

#include <charconv>
#include <vector>

#include "app/run/output_types.h"
#include "settings/settings_table.h"

namespace velmora::app {
namespace {

// The option pages give lower limits only; the upper ones keep a value
// within what an image or a page can be.
constexpr long long kMaxDimension = 65535;
constexpr long long kMaxCount = 100000;

constexpr SettingRange kCloneSide{"CLONE_SELECTED_SIDE", 0, 4, "ErrClonesDimension"};
constexpr SettingRange kCloneSize{"CLONE_SIZE", 100, kMaxDimension, "ErrClonesDimension"};
constexpr SettingRange kCloneWidth{"CLONE_WIDTH", 100, kMaxDimension, "ErrClonesDimension"};
constexpr SettingRange kCloneHeight{"CLONE_HEIGHT", 100, kMaxDimension, "ErrClonesDimension"};
constexpr SettingRange kCloneMaxBytes{"CLONE_MAXSIZEBYTES", 1000, 2147483647, "ErrClonesMaxSize"};
constexpr SettingRange kCloneMinQuality{"CLONE_MINQUALITY", 1, 100, "ErrQualityInvalid"};
constexpr SettingRange kCloneQuality{"CLONE_QUALITY", 1, 100, "ErrQualityInvalid"};
constexpr SettingRange kThumbSide{"THUMB_SELECTED_SIDE", 1, 4, "ErrThumbDimension"};
constexpr SettingRange kThumbSize{"THUMB_SIZE", 20, kMaxDimension, "ErrThumbDimension"};
constexpr SettingRange kThumbWidth{"THUMB_WIDTH", 20, kMaxDimension, "ErrThumbDimension"};
constexpr SettingRange kThumbHeight{"THUMB_HEIGHT", 20, kMaxDimension, "ErrThumbDimension"};
constexpr SettingRange kThumbQuality{"THUMB_QUALITY", 1, 100, "ErrQualityInvalid"};
// A fourfold copy of a big thumbnail is already larger than most screens.
constexpr SettingRange kThumbDensity{"THUMB_DENSITY", 0, 4, "ErrThumbDimension"};
constexpr SettingRange kThumbsPerLine{"THUMBS_PER_LINE", 1, kMaxCount, "ErrCountPicPerLine"};
constexpr SettingRange kLinesPerPage{"LINES_PER_PAGE", 0, kMaxCount, "ErrCountLinesPerFile"};
constexpr SettingRange kIndexPerLine{"HTML_INDEX_ENTRIES_PER_LINE", 1, kMaxCount, "ErrIndexCountEntriesPerLine"};

// The side code picks which of size, width and height it reads.
void AddSides(std::vector<SettingRange>& checks, long long side, const SettingRange& size, const SettingRange& width,
              const SettingRange& height) {
  if (side == 1) checks.push_back(size);
  if (side == 2 || side == 4) checks.push_back(width);
  if (side == 3 || side == 4) checks.push_back(height);
}

std::optional<lang::MessageKey> Check(const settings::SettingsTable& settings, const SettingRange& range) {
  const auto value = ReadWholeNumber(settings.Text(range.key));
  if (!value || *value < range.min || *value > range.max) return range.message;
  return std::nullopt;
}

constexpr const SettingRange* kAllRanges[] = {
    &kCloneSide,   &kCloneSize,    &kCloneWidth,  &kCloneHeight,   &kCloneMaxBytes, &kCloneMinQuality,
    &kCloneQuality, &kThumbSide,   &kThumbSize,   &kThumbWidth,    &kThumbHeight,   &kThumbQuality,
    &kThumbDensity, &kThumbsPerLine, &kLinesPerPage, &kIndexPerLine,
};

}  // namespace

std::optional<SettingRange> RangeOfSetting(settings::SettingKey key) {
  for (const SettingRange* range : kAllRanges) {
    if (range->key == key) return *range;
  }
  return std::nullopt;
}

std::optional<long long> ReadWholeNumber(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  long long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// The side code comes first: it decides which sizes the run reads.
std::optional<lang::MessageKey> CheckSettingRanges(const settings::SettingsTable& settings) {
  if (const auto failure = CheckOutputTypes(settings)) return failure;
  if (settings.Flag("GENERATE_CLONES")) {
    if (const auto failure = Check(settings, kCloneSide)) return failure;
    std::vector<SettingRange> checks;
    AddSides(checks, *ReadWholeNumber(settings.Text(kCloneSide.key)), kCloneSize, kCloneWidth, kCloneHeight);
    if (settings.Flag("CLONE_MAXSIZE")) {
      checks.push_back(kCloneMaxBytes);
      checks.push_back(kCloneMinQuality);
    } else {
      checks.push_back(kCloneQuality);
    }
    for (const SettingRange& range : checks) {
      if (const auto failure = Check(settings, range)) return failure;
    }
  }
  if (settings.Flag("THUMBNAILS")) {
    if (const auto failure = Check(settings, kThumbSide)) return failure;
    std::vector<SettingRange> checks;
    AddSides(checks, *ReadWholeNumber(settings.Text(kThumbSide.key)), kThumbSize, kThumbWidth, kThumbHeight);
    checks.push_back(kThumbQuality);
    checks.push_back(kThumbDensity);
    for (const SettingRange& range : checks) {
      if (const auto failure = Check(settings, range)) return failure;
    }
  }
  if (settings.Flag("GENERATE_HTML")) {
    if (settings.Flag("GENERATE_THUMBPAGES") || settings.Flag("GENERATE_PICPAGE")) {
      if (const auto failure = Check(settings, kThumbsPerLine)) return failure;
    }
    if (settings.Flag("HTML_SPLIT")) {
      if (const auto failure = Check(settings, kLinesPerPage)) return failure;
    }
    if (settings.Flag("GENERATE_INDEX")) {
      if (const auto failure = Check(settings, kIndexPerLine)) return failure;
    }
  }
  return std::nullopt;
}

}  // namespace velmora::app
