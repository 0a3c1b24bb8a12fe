// Settings to pipeline options.
#include "app/run/pipeline_settings.h"

#include "settings/setting_key.h"
#include "settings/settings_table.h"

namespace velmora::app {
namespace {

int IntOf(const settings::SettingsTable& settings, settings::SettingKey key) {
  return static_cast<int>(settings.Int(key));
}

// The keys of the four size settings of the clone or the thumbnail.
struct SizeKeys {
  settings::SettingKey side, longest, width, height;
};
constexpr SizeKeys kCloneSize = {"CLONE_SELECTED_SIDE", "CLONE_SIZE", "CLONE_WIDTH", "CLONE_HEIGHT"};
constexpr SizeKeys kThumbSize = {"THUMB_SELECTED_SIDE", "THUMB_SIZE", "THUMB_WIDTH", "THUMB_HEIGHT"};

image::SizeOptions SizeOf(const settings::SettingsTable& settings, const SizeKeys& keys) {
  return {IntOf(settings, keys.side), IntOf(settings, keys.longest), IntOf(settings, keys.width),
          IntOf(settings, keys.height)};
}

}  // namespace

image::PipelineOptions PipelineOptionsOf(const settings::SettingsTable& settings, bool clone_list) {
  image::PipelineOptions options;
  image::CloneOptions& clone = options.clone;
  clone.make = settings.Flag("GENERATE_CLONES");
  clone.size = SizeOf(settings, kCloneSize);
  // With a size limit the quality search starts high and may go down to
  // the minimum quality; without one the clone has the fixed quality.
  if (settings.Flag("CLONE_MAXSIZE")) {
    clone.max_bytes = settings.Int("CLONE_MAXSIZEBYTES");
    clone.quality = IntOf(settings, "CLONE_MINQUALITY");
  } else {
    clone.quality = IntOf(settings, "CLONE_QUALITY");
  }
  clone.progressive = settings.Flag("CLONE_JPG_PROGRESSIVE");
  clone.tiff_compression = IntOf(settings, "CLONE_TIF_COMPMODE");
  clone.filter = IntOf(settings, "CLONE_FILTER");
  clone.only_if_newer = settings.Flag("CLONE_ONLY_IF_NEWER");
  clone.apply_clone_list = clone_list;

  image::ThumbOptions& thumb = options.thumb;
  thumb.make = settings.Flag("THUMBNAILS");
  // Without clones of this run there is no clone to make the thumbnail from.
  thumb.from_clone = clone.make && settings.Flag("THUMB_CLONE");
  thumb.size = SizeOf(settings, kThumbSize);
  thumb.quality = IntOf(settings, "THUMB_QUALITY");
  thumb.allow_enlarge = settings.Flag("THUMB_ENLARGE");
  thumb.frame_fill = settings.Flag("THUMB_FRAMEFILL");
  thumb.frame_colour_matches = settings.Flag("THUMB_FRAMEFILLCOLORFITS");
  thumb.frame_colour = static_cast<std::int32_t>(settings.Int("THUMB_FRAMEFILLCOLOR"));
  thumb.density = IntOf(settings, "THUMB_DENSITY");

  options.copy_metadata = settings.Flag("CLONE_METADATA");
  options.auto_orient = settings.Flag("AUTO_ORIENT");
  options.keep_date = settings.Flag("CLONE_PRESERVE_DATE");
  options.pcd_format = IntOf(settings, "PCD_FORMAT");
  return options;
}

}  // namespace velmora::app
