// The image host of a run.
#include "app/run/run_image_host.h"

#include <algorithm>
#include <ctime>

#include "app/run/run_paths.h"
#include "metadata/metadata_definition.h"
#include "metadata/metadata_reader.h"
#include "script/value_text.h"

namespace velmora::app {
namespace {

namespace fs = std::filesystem;
using script::ImageInfoItem;
using script::ImageInfoValue;

ImageInfoValue Number(std::int64_t n) { return {ImageInfoValue::Kind::kInteger, n, 0, {}}; }
ImageInfoValue Text(std::string text) { return {ImageInfoValue::Kind::kString, 0, 0, std::move(text)}; }

// The file's local date and time as a script date; an image without a date
// gives an empty text, as the `date` context variable does.
ImageInfoValue DateOf(const image::FileTime& time) {
  if (time == image::FileTime{}) return Text({});
  const std::time_t seconds =
      std::chrono::system_clock::to_time_t(std::chrono::time_point_cast<std::chrono::system_clock::duration>(time));
  std::tm local{};
  localtime_r(&seconds, &local);
  return {ImageInfoValue::Kind::kDate, 0,
          script::MakeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                           local.tm_sec),
          {}};
}

}  // namespace

RunImageHost::RunImageHost(MetadataReader reader) : reader_(std::move(reader)) {
  if (!reader_) reader_ = [](const fs::path& file) { return metadata::ReadPhotoMetadata(file); };
}

void RunImageHost::SetCurrentImage(const fs::path& original) {
  current_ = original;
  metadata_.reset();
}

void RunImageHost::ClearCurrentImage() {
  current_.reset();
  metadata_.reset();
}

const metadata::PhotoMetadata* RunImageHost::CurrentMetadata() {
  if (!current_) return nullptr;
  if (!metadata_) {
    // Names and labels are needed as soon as values are: the reader looks
    // up focal multipliers in the same tables.
    Definitions();
    metadata_ = reader_(*current_);
  }
  return &*metadata_;
}

// Loaded once per run: a refused file is reported once, not for every tag.
const metadata::MetadataDefinition& RunImageHost::Definitions() {
  if (!definitions_loaded_) {
    definitions_loaded_ = true;
    metadata::LoadMetadataDefinition();
  }
  return metadata::Definitions();
}

void RunImageHost::SetDirectories(const std::vector<RunDirectory>& directories, Cp1252Text base_dir,
                                  RunImageFiles files) {
  directories_ = &directories;
  base_dir_ = std::move(base_dir);
  files_ = std::move(files);
  page_folder_ = files_.html_root();
  images_before_.assign(1, 0);
  for (const RunDirectory& directory : directories) {
    images_before_.push_back(images_before_.back() + static_cast<std::int64_t>(directory.images.size()));
  }
}

void RunImageHost::ClearDirectories() {
  directories_ = nullptr;
  images_before_.clear();
}

std::int32_t RunImageHost::DirectoryCount() const {
  return directories_ == nullptr ? 0 : static_cast<std::int32_t>(directories_->size());
}

std::optional<script::HostDirectoryInfo> RunImageHost::Directory(std::int32_t number) const {
  if (number < 1 || number > DirectoryCount()) return std::nullopt;
  const RunDirectory& directory = (*directories_)[static_cast<std::size_t>(number - 1)];
  return script::HostDirectoryInfo{static_cast<std::int32_t>(directory.images.size()),
                                   directory.relative_path == "." ? LastComponent(base_dir_.bytes()) : directory.name};
}

std::optional<RunImageHost::Located> RunImageHost::Locate(std::int32_t directory, std::int32_t image) const {
  if (directories_ == nullptr || image < 1) return std::nullopt;
  std::size_t d = 0;
  std::int64_t index = image - 1;
  if (directory == 0) {
    if (index >= images_before_.back()) return std::nullopt;
    // The last directory whose first image comes at or before this one
    // (empty directories share their start with the next).
    d = static_cast<std::size_t>(std::upper_bound(images_before_.begin(), images_before_.end(), index) -
                                 images_before_.begin() - 1);
    index -= images_before_[d];
  } else {
    if (directory < 1 || directory > DirectoryCount()) return std::nullopt;
    d = static_cast<std::size_t>(directory - 1);
  }
  const RunDirectory& found = (*directories_)[d];
  if (index >= static_cast<std::int64_t>(found.images.size())) return std::nullopt;
  return Located{&found, &found.images[static_cast<std::size_t>(index)]};
}

std::string RunImageHost::LinkTo(const fs::path& file) const { return RelativeLink(Absolute(page_folder_), Absolute(file)); }

std::optional<ImageInfoValue> RunImageHost::ImageInfo(std::int32_t directory, std::int32_t image,
                                                      ImageInfoItem item) const {
  const std::optional<Located> at = Locate(directory, image);
  if (!at) return std::nullopt;
  const image::RLImageFile& file = at->image->file;
  // The pages show the clone when clones are made.
  const image::ImageFileFacts& shown = files_.clones() ? file.Clone : file.Original;
  switch (item) {
    case ImageInfoItem::kRef: return Text(LinkTo(files_.Picture(*at->directory, *at->image)));
    case ImageInfoItem::kDocRef: return Text(LinkTo(files_.Document(*at->directory, *at->image)));
    case ImageInfoItem::kSize: return Number(shown.Size);
    case ImageInfoItem::kDimX: return Number(shown.Width);
    case ImageInfoItem::kDimY: return Number(shown.Height);
    case ImageInfoItem::kDate: return DateOf(file.Original.DateTime);
    case ImageInfoItem::kFileName: return Text(shown.Name);
    case ImageInfoItem::kFileType: return Text(shown.Extension);
    case ImageInfoItem::kThumbRef: return Text(LinkTo(files_.Thumbnail(*at->directory, *at->image)));
    case ImageInfoItem::kThumbName: return Text(file.Thumb.Name);
    case ImageInfoItem::kThumbType: return Text(file.Thumb.Extension);
    case ImageInfoItem::kThumbDimX: return Number(file.Thumb.Width);
    case ImageInfoItem::kThumbDimY: return Number(file.Thumb.Height);
  }
  return std::nullopt;
}

}  // namespace velmora::app
