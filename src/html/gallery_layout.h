// Where a run's pages lie and what they are called: the plain facts of the
// run's directories that every page writer works from. Folders are
// "/"-separated Windows-1252 paths relative to the clone directory.
#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "settings/settings_table.h"

namespace velmora::html {

struct GalleryDirectory {
  std::string name;                      // the directory's own name: page name base at levels 1 and 2
  std::string relative_path;             // below the base directory, "." for the base directory itself
  std::string link_path;                 // the parent's name at level 2, else empty
  std::vector<std::string> image_pages;  // page name of every image, in run order, unique in its folder
};

// Page split of one directory.
struct PageSplit {
  int images_per_page = 1;
  int page_count = 1;
  int PageOf(int image) const { return image / images_per_page + 1; }   // 0-based image, 1-based page
  int FirstOn(int page) const { return (page - 1) * images_per_page; }  // 0-based
};

class GalleryLayout {
 public:
  GalleryLayout(const settings::SettingsTable& settings, std::filesystem::path clone_dir, int dir_level,
                std::vector<GalleryDirectory> directories);

  const std::vector<GalleryDirectory>& directories() const { return directories_; }
  int dir_level() const { return dir_level_; }
  const std::string& extension() const { return extension_; }  // with the dot

  const PageSplit& split(int d) const { return splits_[static_cast<std::size_t>(d)]; }
  // Name of thumbnail page `page` (1-based) of directory `d`, without extension.
  std::string ThumbPageName(int d, int page) const;
  std::string LastThumbPageName(int d) const { return ThumbPageName(d, split(d).page_count); }

  // The nearest directory before (step -1) or after (step 1) `d` that has
  // images and therefore pages; -1 when there is none.
  int Neighbour(int d, int step) const;
  int FirstWithImages() const { return Neighbour(-1, 1); }
  int LastWithImages() const { return Neighbour(static_cast<int>(directories_.size()), -1); }
  const std::string& ImagePage(int d, int image) const {
    return directories_[static_cast<std::size_t>(d)].image_pages[static_cast<std::size_t>(image)];
  }
  int ImageCount(int d) const { return static_cast<int>(directories_[static_cast<std::size_t>(d)].image_pages.size()); }

  // Folder and name (without extension) of every thumbnail, index and frame
  // page of the run that is written: an image page must not take one of them.
  std::vector<std::pair<std::string, std::string>> OwnPages(bool thumb_pages, bool index, bool frame) const;

  const std::string& html_root() const { return html_root_; }
  std::string ThumbFolder(int d) const;  // where the directory's thumbnail pages lie
  std::string ImageFolder(int d) const;  // where its image pages lie
  std::string DecoFolder() const { return deco_folder_; }
  std::string IndexFolder() const { return index_in_clone_dir_ ? std::string() : html_root_; }
  std::string FrameFolder() const { return frame_in_clone_dir_ ? std::string() : html_root_; }

  // The native folder of a relative folder.
  std::filesystem::path Native(const std::string& folder) const;
  const std::filesystem::path& clone_dir() const { return clone_dir_; }

 private:
  std::filesystem::path clone_dir_;
  int dir_level_ = 0;
  std::vector<GalleryDirectory> directories_;
  std::vector<PageSplit> splits_;
  bool split_pages_ = false;
  int split_digits_ = 0;
  std::string default_name_;
  std::string index_name_;
  std::string frame_name_;
  std::string extension_;
  std::string html_root_;
  std::string deco_folder_;
  bool index_in_clone_dir_ = false;
  bool frame_in_clone_dir_ = false;
};

// Rows and pages of a directory of `images` images. Zero rows or columns
// (possible from a hand-edited profile) count as one, so nothing divides by zero.
PageSplit SplitPages(int images, bool split, long lines_per_page, long thumbs_per_line);

// Link from a page in `from_folder` to `file` in `to_folder` (folders
// relative to the clone directory, "/"-separated), encoded for a URL.
std::string RelativeLink(const std::string& from_folder, const std::string& to_folder, const std::string& file);

// Letters, digits, "-", ".", "/" and "_" stay; every other character becomes
// "%" and two upper-case hexadecimal digits per byte of its UTF-8 form, the
// form its file name has on disk (a blank gives %20, a-umlaut %C3%A4).
std::string EncodeLink(std::string_view text);

}  // namespace velmora::html
