// The output locations of a run.
#include "app/run/run_outputs.h"

#include <utility>

#include "app/run/run_paths.h"
#include "image/dense_thumbnail.h"
#include "platform/native_path.h"
#include "platform/path_join.h"

namespace velmora::app {

namespace fs = std::filesystem;

RunOutputs::RunOutputs(Cp1252Text clone_dir, const Cp1252Text& thumb_dirname, bool clones, bool thumbs,
                       int thumb_density)
    : clone_dir_(std::move(clone_dir)), thumb_root_(Join(clone_dir_, thumb_dirname)), clones_(clones),
      thumbs_(thumbs), thumb_density_(thumbs && image::WritesDenseThumb(thumb_density) ? thumb_density : 0) {}

Cp1252Text RunOutputs::CloneFolder(const RunDirectory& directory) const {
  return Join(clone_dir_, Cp1252Text(directory.relative_path));
}

Cp1252Text RunOutputs::ThumbFolder(const RunDirectory& directory) const {
  return Join(thumb_root_, Cp1252Text(directory.relative_path));
}

std::optional<Cp1252Text> RunOutputs::DenseThumbFolder(const RunDirectory& directory) const {
  if (thumb_density_ == 0) return std::nullopt;
  return Cp1252Text(image::DenseThumbFolder(ThumbFolder(directory).bytes(), thumb_density_));
}

std::vector<fs::path> RunOutputs::Folders(const RunDirectory& directory) const {
  std::vector<fs::path> folders;
  if (clones_) folders.push_back(ToNativePath(CloneFolder(directory)));
  if (thumbs_) folders.push_back(ToNativePath(ThumbFolder(directory)));
  if (const auto dense = DenseThumbFolder(directory)) folders.push_back(ToNativePath(*dense));
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
  if (clones_) outputs.push_back(ToNativePath(CloneFolder(directory)) / NativeFileName(file.Clone));
  if (thumbs_) outputs.push_back(ToNativePath(ThumbFolder(directory)) / NativeFileName(file.Thumb));
  if (const auto dense = DenseThumbFolder(directory)) outputs.push_back(ToNativePath(*dense) / NativeFileName(file.Thumb));
  for (const fs::path& output : outputs) {
    if (!guard.MayWrite(output)) return output;
  }
  return std::nullopt;
}

}  // namespace velmora::app
