// Context variables per directory, page and image.
#include "app/run/run_context_writer.h"

#include <algorithm>

#include "app/run/run_image_files.h"
#include "app/run/run_paths.h"
#include "platform/native_path.h"
#include "platform/path_join.h"
#include "html/gallery_layout.h"

namespace velmora::app {

namespace fs = std::filesystem;

void RunContextWriter::SetDirectory(const RunDirectory& directory, int index, int count, const DirectoryPages& pages,
                                    const Cp1252Text& clone_folder) {
  ctx_.Set(Ctx::count_pages, pages.page_count);
  ctx_.Set(Ctx::count_cur_page, 1);
  if (layout_.dir_level == 2) ctx_.Set(Ctx::parent_path, html::EncodeLink(directory.link_path));
  if (layout_.kinds.html) ctx_.Set(Ctx::html_absolute, FromNativePathOrBytes(Absolute(pages.html_folder)));
  const Cp1252Text source_folder = SourceFolder(directory);
  ctx_.Set(Ctx::full_path, source_folder);
  ctx_.Set(Ctx::path, directory.relative_path);
  ctx_.Set(Ctx::count_cur_path, index + 1);
  // A neighbour that does not exist leaves its variable at its last value;
  // the page writers leave out that navigation.
  if (index > 0) ctx_.Set(Ctx::count_prev_path, index);
  if (index + 1 < count) ctx_.Set(Ctx::count_next_path, index + 2);
  ctx_.Set(Ctx::count_files, directory.image_count);
  ctx_.Set(Ctx::size_byte_path, directory.byte_total);
  ctx_.Set(Ctx::size_byte_path_original, directory.byte_total);
  ctx_.Set(Ctx::path_absolute, FromNativePathOrBytes(Absolute(ToNativePath(clone_folder))));
  ctx_.Set(Ctx::path_absolute_original, FromNativePathOrBytes(Absolute(ToNativePath(source_folder))));
}

Cp1252Text RunContextWriter::SourceFolder(const RunDirectory& directory) const {
  return Join(layout_.base_dir, Cp1252Text(directory.relative_path));
}

void RunContextWriter::SetPage(const RunDirectory& directory, const DirectoryPages& pages, int page) {
  const int first_index = (page - 1) * pages.images_per_page;
  const int on_page = std::min(pages.images_per_page, static_cast<int>(directory.images.size()) - first_index);
  ctx_.Set(Ctx::count_cur_page, page);
  if (page > 1) ctx_.Set(Ctx::count_prev_page, page - 1);
  if (page < pages.page_count) ctx_.Set(Ctx::count_next_page, page + 1);
  ctx_.Set(Ctx::count_page_files, on_page);
}

void RunContextWriter::SetImageCounters(const RunDirectory& directory, std::size_t index, int in_page,
                                        int handled_before) {
  const auto n = static_cast<std::int64_t>(directory.images.size());
  const auto i = static_cast<std::int64_t>(index);
  const long per_line = layout_.thumbs_per_line;
  ctx_.Set(Ctx::count_cur_all_files, handled_before + 1);
  ctx_.Set(Ctx::count_cur_file, i + 1);
  if (i > 0) ctx_.Set(Ctx::count_prev_file, i);
  if (i + 1 < n) ctx_.Set(Ctx::count_next_file, i + 2);
  ctx_.Set(Ctx::count_cur_row, in_page / per_line + 1);
  ctx_.Set(Ctx::count_cur_file_in_row, in_page % per_line + 1);
  ctx_.Set(Ctx::count_cur_file_in_page, in_page + 1);
}

void RunContextWriter::SetImageLinks(const RunImage& record, const RunDirectory& directory,
                                     const DirectoryPages& pages, const Cp1252Text& thumb_folder,
                                     const Cp1252Text& clone_folder) {
  const image::RLImageFile& file = record.file;
  const fs::path thumb = ThumbnailFile(file, thumb_folder);
  const fs::path picture = PictureFile(file, layout_.clones, clone_folder, SourceFolder(directory));
  ctx_.Set(Ctx::thumb_ref, RelativeLink(Absolute(pages.html_folder), Absolute(thumb)));
  ctx_.Set(Ctx::pic_ref, RelativeLink(Absolute(pages.image_folder), Absolute(picture)));
  if (layout_.kinds.image_pages) {
    const std::string& page_name = record.page_name;
    ctx_.Set(Ctx::src_doc, page_name);
    const fs::path page = pages.image_folder / ToNativePath(Cp1252Text(page_name + layout_.page_extension));
    ctx_.Set(Ctx::src_ref, RelativeLink(Absolute(pages.html_folder), Absolute(page)));
  } else {
    ctx_.Set(Ctx::src_doc, layout_.clones ? file.Clone.Name : file.Original.Name);
    ctx_.Set(Ctx::src_ref, RelativeLink(Absolute(pages.html_folder), Absolute(picture)));
  }
}

}  // namespace velmora::app
