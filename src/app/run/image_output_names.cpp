// The names of each photo's clone and thumbnail.
#include "app/run/image_output_names.h"

#include <utility>
#include <vector>

#include "app/run/output_naming.h"
#include "app/run/run_checks.h"
#include "app/run/run_paths.h"
#include "image/codecs/codec_registry.h"
#include "image/rename/rename_check.h"
#include "platform/path_join.h"
#include "settings/settings_table.h"

namespace velmora::app {
namespace {

// The images that stay; the directory's and the run's totals lose the rest.
void KeepOnly(RunDirectory& directory, std::vector<RunImage> kept, RunState& state) {
  if (kept.size() == directory.images.size()) {
    directory.images = std::move(kept);
    return;
  }
  const auto skipped = static_cast<std::int32_t>(directory.images.size() - kept.size());
  std::int64_t bytes = 0;
  for (const RunImage& image : kept) bytes += image.file.Original.Size;
  state.ImageTotal -= skipped;
  state.ByteTotal -= directory.byte_total - bytes;
  directory.byte_total = bytes;
  directory.image_count -= skipped;
  directory.images = std::move(kept);
  if (directory.images.empty()) --state.DirsWithImages;
}

}  // namespace

OutputNameRules OutputNameRules::Of(const settings::SettingsTable& settings) {
  OutputNameRules rules;
  rules.clones = settings.Flag("GENERATE_CLONES");
  rules.thumbs = settings.Flag("THUMBNAILS");
  rules.rename_clones = rules.clones && settings.Flag("CLONE_RENAME");
  rules.rename_thumbs = settings.Flag("THUMB_RENAME");
  rules.convert = settings.Flag("CLONE_CONVERT");
  rules.clone_output = OutputTypeOf(settings, "CLONE_FORMAT");
  rules.thumb_output = OutputTypeOf(settings, "THUMB_FORMAT");
  rules.clone_mask = ReadRenameSettings(settings, "CLONE");
  rules.thumb_mask = ReadRenameSettings(settings, "THUMB");
  return rules;
}

void NameImageOutputs(RunDirectory& directory, std::string_view directory_name, const OutputNameRules& rules,
                      RunState& state, const RefusedOutputNameReport& refused) {
  OutputNameSet clone_names, thumb_names;
  std::int64_t number = 0;
  std::vector<RunImage> kept;
  kept.reserve(directory.images.size());
  for (RunImage& image : directory.images) {
    ++number;
    const image::ImageFileFacts& original = image.file.Original;
    image::ImageFileFacts& clone = image.file.Clone;
    image::ImageFileFacts& thumb = image.file.Thumb;
    clone.Name = rules.rename_clones ? image::RenameName(rules.clone_mask, directory_name, original.Name, number)
                                     : original.Name;
    clone.Extension =
        rules.convert ? rules.clone_output.extension : image::WrittenExtension(original.Type, original.Extension);
    clone.Type = rules.convert ? rules.clone_output.type : original.Type;
    thumb.Name = rules.rename_thumbs ? image::RenameName(rules.thumb_mask, directory_name, original.Name, number)
                                     : (rules.clones ? clone.Name : original.Name);
    thumb.Extension = rules.thumb_output.extension;
    thumb.Type = rules.thumb_output.type;
    const std::string* refused_name = nullptr;
    if (rules.rename_clones && !image::IsValidRenamedFileName(clone.Name)) {
      refused_name = &clone.Name;
    } else if (rules.thumbs && rules.rename_thumbs && !image::IsValidRenamedFileName(thumb.Name)) {
      refused_name = &thumb.Name;
    }
    if (refused_name != nullptr) {
      if (refused) refused({Join(directory.relative_path, FileNameOf(original)), *refused_name});
      continue;
    }
    if (rules.clones) clone_names.Claim(clone, original);
    if (rules.thumbs) thumb_names.Claim(thumb, original);
    kept.push_back(std::move(image));
  }
  KeepOnly(directory, std::move(kept), state);
}

}  // namespace velmora::app
