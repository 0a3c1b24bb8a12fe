// The files of a run's image.
#include "app/run/run_image_files.h"

#include "app/run/run_paths.h"
#include "platform/path_join.h"

namespace velmora::app {

namespace fs = std::filesystem;

fs::path PictureFile(const image::RLImageFile& file, bool clones, const std::string& clone_folder,
                     const std::string& source_folder) {
  return clones ? Native(clone_folder) / Native(file.Clone.Name + "." + file.Clone.Extension)
                : Native(source_folder) / Native(file.Original.Name + "." + file.Original.Extension);
}

fs::path ThumbnailFile(const image::RLImageFile& file, const std::string& thumb_folder) {
  return Native(thumb_folder) / Native(file.Thumb.Name + "." + file.Thumb.Extension);
}

fs::path ImagePageFolder(const fs::path& html_root, const RunDirectory& directory) {
  return directory.relative_path == "." ? html_root : html_root / Native(directory.relative_path);
}

fs::path RunImageFiles::Picture(const RunDirectory& directory, const RunImage& image) const {
  return PictureFile(image.file, outputs_.clones(), outputs_.CloneFolder(directory),
                     Join(base_dir_, directory.relative_path));
}

fs::path RunImageFiles::Thumbnail(const RunDirectory& directory, const RunImage& image) const {
  return ThumbnailFile(image.file, outputs_.ThumbFolder(directory));
}

fs::path RunImageFiles::Document(const RunDirectory& directory, const RunImage& image) const {
  if (!image_pages_) return Picture(directory, image);
  return ImagePageFolder(html_root_, directory) / Native(image.page_name + page_extension_);
}

}  // namespace velmora::app
