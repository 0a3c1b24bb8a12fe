// The output locations of a run.
#include "app/run/run_outputs.h"

#include <utility>

#include "app/run/run_paths.h"
#include "image/dense_thumbnail.h"
#include "platform/path_join.h"

namespace velmora::app {

namespace fs = std::filesystem;

RunOutputs::RunOutputs(std::string clone_dir, const std::string& thumb_dirname, bool clones, bool thumbs,
                       int thumb_density)
    : clone_dir_(std::move(clone_dir)), thumb_root_(Join(clone_dir_, thumb_dirname)), clones_(clones),
      thumbs_(thumbs), thumb_density_(thumbs && image::WritesDenseThumb(thumb_density) ? thumb_density : 0) {}

std::string RunOutputs::CloneFolder(const RunDirectory& directory) const {
  return Join(clone_dir_, directory.relative_path);
}

std::string RunOutputs::ThumbFolder(const RunDirectory& directory) const {
  return Join(thumb_root_, directory.relative_path);
}

std::optional<std::string> RunOutputs::DenseThumbFolder(const RunDirectory& directory) const {
  if (thumb_density_ == 0) return std::nullopt;
  return image::DenseThumbFolder(ThumbFolder(directory), thumb_density_);
}

std::vector<fs::path> RunOutputs::Folders(const RunDirectory& directory) const {
  std::vector<fs::path> folders;
  if (clones_) folders.push_back(Native(CloneFolder(directory)));
  if (thumbs_) folders.push_back(Native(ThumbFolder(directory)));
  if (const auto dense = DenseThumbFolder(directory)) folders.push_back(Native(*dense));
  return folders;
}

std::optional<fs::path> RunOutputs::FolderHoldingPhotos(const OutputGuard& guard,
                                                        const std::vector<RunDirectory>& directories) const {
  for (const RunDirectory& directory : directories) {
    for (const fs::path& folder : Folders(directory)) {
      if (guard.IsSourceFolder(folder)) return folder;
    }
  }
  return std::nullopt;
}

std::optional<fs::path> RunOutputs::RefusedFile(const OutputGuard& guard, const RunDirectory& directory,
                                                const image::RLImageFile& file) const {
  std::vector<fs::path> outputs;
  if (clones_) outputs.push_back(Native(CloneFolder(directory)) / Native(file.Clone.Name + "." + file.Clone.Extension));
  if (thumbs_) outputs.push_back(Native(ThumbFolder(directory)) / Native(file.Thumb.Name + "." + file.Thumb.Extension));
  if (const auto dense = DenseThumbFolder(directory)) {
    outputs.push_back(Native(*dense) / Native(file.Thumb.Name + "." + file.Thumb.Extension));
  }
  for (const fs::path& output : outputs) {
    if (!guard.MayWrite(output)) return output;
  }
  return std::nullopt;
}

}  // namespace velmora::app
