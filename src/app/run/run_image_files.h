// Where a run puts the files of an image that pages link to: the picture the
// pages show (the clone when clones are made, else the original), the
// thumbnail and the image page. The context variables and `imageinfo` take
// their links from here, so both always point at the same files.
#pragma once

#include <filesystem>
#include <string>
#include <utility>

#include "app/run/run_outputs.h"
#include "app/run/run_state.h"
#include "image/rl_image_file.h"
#include "platform/cp1252_text.h"

namespace velmora::app {

// The picture of `file` in its folders (Windows-1252): the clone in
// `clone_folder` when clones are made, else the original in `source_folder`.
std::filesystem::path PictureFile(const image::RLImageFile& file, bool clones, const Cp1252Text& clone_folder,
                                  const Cp1252Text& source_folder);
std::filesystem::path ThumbnailFile(const image::RLImageFile& file, const Cp1252Text& thumb_folder);
// Where a directory's image pages lie below the HTML root.
std::filesystem::path ImagePageFolder(const std::filesystem::path& html_root, const RunDirectory& directory);

class RunImageFiles {
 public:
  RunImageFiles() = default;
  // `image_pages` when image pages are written, named `page_name` +
  // `page_extension` (with its dot).
  RunImageFiles(RunOutputs outputs, Cp1252Text base_dir, std::filesystem::path html_root, bool image_pages,
                std::string page_extension)
      : outputs_(std::move(outputs)),
        base_dir_(std::move(base_dir)),
        html_root_(std::move(html_root)),
        image_pages_(image_pages),
        page_extension_(std::move(page_extension)) {}

  const std::filesystem::path& html_root() const { return html_root_; }
  bool clones() const { return outputs_.clones(); }
  std::filesystem::path Picture(const RunDirectory& directory, const RunImage& image) const;
  std::filesystem::path Thumbnail(const RunDirectory& directory, const RunImage& image) const;
  // The image page when image pages are written, else the picture itself,
  // as a thumbnail leads to one or the other.
  std::filesystem::path Document(const RunDirectory& directory, const RunImage& image) const;

 private:
  RunOutputs outputs_;
  Cp1252Text base_dir_;
  std::filesystem::path html_root_;
  bool image_pages_ = false;
  std::string page_extension_;
};

}  // namespace velmora::app
