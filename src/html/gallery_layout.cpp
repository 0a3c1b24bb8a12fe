// Page folders, page names and relative links of a run.
#include "html/gallery_layout.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "platform/native_path.h"
#include "platform/path_join.h"
#include "platform/percent_encoding.h"

namespace velmora::html {
namespace {

std::vector<std::string_view> Components(std::string_view folder) {
  std::vector<std::string_view> parts;
  std::size_t begin = 0;
  while (begin <= folder.size()) {
    const std::size_t end = std::min(folder.find('/', begin), folder.size());
    const std::string_view part = folder.substr(begin, end - begin);
    if (!part.empty() && part != ".") parts.push_back(part);
    begin = end + 1;
  }
  return parts;
}

std::string WithoutBackslashes(std::string text) {
  std::replace(text.begin(), text.end(), '\\', '/');
  return text;
}

}  // namespace

PageSplit SplitPages(int images, bool split, long lines_per_page, long thumbs_per_line) {
  const long rows = split ? std::max(1L, lines_per_page) : static_cast<long>(images) + 1;
  PageSplit result;
  result.images_per_page = static_cast<int>(std::min<long>(rows * std::max(1L, thumbs_per_line), 1L << 30));
  result.page_count = std::max(0, images - 1) / result.images_per_page + 1;
  return result;
}

GalleryLayout::GalleryLayout(const settings::SettingsTable& settings, std::filesystem::path clone_dir, int dir_level,
                             std::vector<GalleryDirectory> directories)
    : clone_dir_(std::move(clone_dir)), dir_level_(dir_level), directories_(std::move(directories)) {
  split_pages_ = settings.Flag("HTML_SPLIT");
  split_digits_ = static_cast<int>(std::clamp(settings.Int("SPLIT_DIGITS"), 0L, 18L));
  default_name_ = settings.Text("HTML_DEFAULT");
  index_name_ = settings.Text("HTML_INDEX_FILENAME");
  frame_name_ = settings.Text("HTML_FRAME_FILENAME");
  extension_ = "." + settings.Text("HTML_EXTENSION");
  html_root_ = WithoutBackslashes(settings.Text("HTML_BASE"));
  deco_folder_ = WithoutBackslashes(settings.Text("DECO_PATH"));
  index_in_clone_dir_ = settings.Flag("HTML_INDEX_IN_BASEDIR");
  frame_in_clone_dir_ = settings.Flag("HTML_FRAME_IN_BASEDIR");
  const long lines = settings.Int("LINES_PER_PAGE");
  const long per_line = settings.Int("THUMBS_PER_LINE");
  splits_.reserve(directories_.size());
  for (const GalleryDirectory& directory : directories_) {
    splits_.push_back(SplitPages(static_cast<int>(directory.image_pages.size()), split_pages_, lines, per_line));
  }
}

std::string GalleryLayout::ThumbPageName(int d, int page) const {
  const std::string& base = dir_level_ == 0 ? default_name_ : directories_[static_cast<std::size_t>(d)].name;
  if (!split_pages_) return base;
  char number[32];
  std::snprintf(number, sizeof number, "%0*d", split_digits_, page);
  return base + "-" + number;
}

std::vector<std::pair<std::string, std::string>> GalleryLayout::OwnPages(bool thumb_pages, bool index,
                                                                        bool frame) const {
  std::vector<std::pair<std::string, std::string>> pages;
  if (index) pages.emplace_back(IndexFolder(), index_name_);
  if (frame) pages.emplace_back(FrameFolder(), frame_name_);
  if (!thumb_pages) return pages;
  for (int d = 0; d < static_cast<int>(directories_.size()); ++d) {
    for (int page = 1; page <= split(d).page_count; ++page) pages.emplace_back(ThumbFolder(d), ThumbPageName(d, page));
  }
  return pages;
}

int GalleryLayout::Neighbour(int d, int step) const {
  for (int n = d + step; n >= 0 && n < static_cast<int>(directories_.size()); n += step) {
    if (ImageCount(n) > 0) return n;
  }
  return -1;
}

std::string GalleryLayout::ThumbFolder(int d) const {
  if (dir_level_ != 2) return html_root_;
  return Join(html_root_, directories_[static_cast<std::size_t>(d)].link_path);
}

std::string GalleryLayout::ImageFolder(int d) const {
  return Join(html_root_, directories_[static_cast<std::size_t>(d)].relative_path);
}

std::filesystem::path GalleryLayout::Native(const std::string& folder) const {
  return folder.empty() ? clone_dir_ : clone_dir_ / ToNativePath(Cp1252Text(folder));
}

std::string RelativeLink(const std::string& from_folder, const std::string& to_folder, const std::string& file) {
  const auto from = Components(from_folder);
  const auto to = Components(to_folder);
  std::size_t common = 0;
  while (common < from.size() && common < to.size() && from[common] == to[common]) ++common;
  std::string link;
  for (std::size_t i = common; i < from.size(); ++i) link += "../";
  for (std::size_t i = common; i < to.size(); ++i) {
    link += to[i];
    link += '/';
  }
  if (file.empty() && !link.empty()) link.pop_back();
  link += file;
  return EncodeLink(link);
}

std::string EncodeLink(std::string_view text) {
  // File names on disk are UTF-8, so a link reaches a file only when its
  // characters are encoded as their UTF-8 bytes: a-umlaut becomes %C3%A4.
  return PercentEncode(Cp1252Text(text).ToUtf8());
}

}  // namespace velmora::html
