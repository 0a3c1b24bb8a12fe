// The files of a run's image.
#include "app/run/run_image_files.h"

#include "app/run/run_paths.h"
#include "platform/native_path.h"
#include "platform/path_join.h"

namespace velmora::app {

namespace fs = std::filesystem;

fs::path PictureFile(const image::RLImageFile& file, bool clones, const Cp1252Text& clone_folder,
                     const Cp1252Text& source_folder) {
  return clones ? ToNativePath(clone_folder) / NativeFileName(file.Clone)
                : ToNativePath(source_folder) / NativeFileName(file.Original);
}

fs::path ThumbnailFile(const image::RLImageFile& file, const Cp1252Text& thumb_folder) {
  return ToNativePath(thumb_folder) / NativeFileName(file.Thumb);
}

fs::path ImagePageFolder(const fs::path& html_root, const RunDirectory& directory) {
  return directory.relative_path == "." ? html_root : html_root / ToNativePath(Cp1252Text(directory.relative_path));
}

fs::path RunImageFiles::Picture(const RunDirectory& directory, const RunImage& image) const {
  return PictureFile(image.file, outputs_.clones(), outputs_.CloneFolder(directory),
                     Join(base_dir_, Cp1252Text(directory.relative_path)));
}

fs::path RunImageFiles::Thumbnail(const RunDirectory& directory, const RunImage& image) const {
  return ThumbnailFile(image.file, outputs_.ThumbFolder(directory));
}

fs::path RunImageFiles::Document(const RunDirectory& directory, const RunImage& image) const {
  if (!image_pages_) return Picture(directory, image);
  return ImagePageFolder(html_root_, directory) / ToNativePath(Cp1252Text(image.page_name + page_extension_));
}

}  // namespace velmora::app
