// The run's page writer over the gallery pages.
#include "app/run/gallery_page_writer.h"

#include <stdexcept>

#include "platform/native_path.h"
#include "app/run/run_checks.h"
#include "app/run/run_paths.h"
#include "app/run/run_scripts.h"
#include "html/decoration.h"
#include "settings/profile_data.h"

namespace velmora::app {

std::vector<html::GalleryDirectory> GalleryDirectories(const RunState& state) {
  std::vector<html::GalleryDirectory> directories;
  directories.reserve(state.DirList.size());
  for (const RunDirectory& directory : state.DirList) {
    html::GalleryDirectory& d = directories.emplace_back();
    d.name = directory.relative_path == "." ? LastComponent(state.BaseDir.bytes()) : directory.name;
    d.relative_path = directory.relative_path;
    d.link_path = directory.link_path;
    d.image_pages.reserve(directory.images.size());
    for (const RunImage& image : directory.images) d.image_pages.push_back(image.page_name);
  }
  return directories;
}

bool GalleryPageWriter::CompileTemplates(RunScripts& scripts, const PageKinds& kinds) {
  scripts_ = &scripts;
  kinds_ = kinds;
  decoration_failed_ = false;
  gallery_.reset();
  const settings::SettingsTable& settings = settings::WorkingSettings();
  const std::pair<bool, html::PageKind> order[] = {{kinds.frame, html::PageKind::kFrame},
                                                   {kinds.index, html::PageKind::kIndex},
                                                   {kinds.thumb_pages, html::PageKind::kThumb},
                                                   {kinds.image_pages, html::PageKind::kImage}};
  for (const auto& [on, kind] : order) {
    if (on && !html::CompilePageTemplates(scripts.program(), settings, kind)) return false;
  }
  return true;
}

bool GalleryPageWriter::CopyDecoration(const std::filesystem::path& target) {
  const settings::SettingsTable& settings = settings::WorkingSettings();
  decoration_failed_ = !html::CopyDecorationFiles(ResolveDecoSource(settings.Text("DECO_SOURCE")), target,
                                                  settings.Flag("DECO_COPY_EVER"), GuardCheck());
  return !decoration_failed_;
}

// The run's output guard as the page and decoration writers ask it.
html::WriteCheck GalleryPageWriter::GuardCheck() const {
  if (state_ == nullptr) throw std::logic_error("GalleryPageWriter: output is due before the run state is known");
  const OutputGuard* guard = &state_->Guard;
  return [guard](const std::filesystem::path& file) { return guard->MayWrite(file); };
}

// Made when the first page is due: the image page names come from the
// run's first pass.
html::Gallery& GalleryPageWriter::gallery() {
  if (gallery_) return *gallery_;
  if (state_ == nullptr || scripts_ == nullptr) {
    throw std::logic_error("GalleryPageWriter: pages are due before the run state or the scripts are known");
  }
  std::vector<html::GalleryDirectory> directories = GalleryDirectories(*state_);
  const settings::SettingsTable& settings = settings::WorkingSettings();
  html::GalleryLayout layout(settings, ToNativePath(state_->CloneDir), startup_.DirLevel, std::move(directories));
  const html::GalleryKinds kinds{kinds_.frame, kinds_.index, kinds_.thumb_pages, kinds_.image_pages};
  gallery_ = std::make_unique<html::Gallery>(scripts_->machine(), settings, std::move(layout), kinds, html::Today(),
                                             GuardCheck());
  return *gallery_;
}

void GalleryPageWriter::BeginDirectory(const DirectoryPages& pages) { gallery().BeginDirectory(pages.number - 1); }

void GalleryPageWriter::BeginPage(const DirectoryPages& pages, int page) {
  gallery().BeginPage(pages.number - 1, page);
}

bool GalleryPageWriter::WriteImagePage(const DirectoryPages& pages, std::size_t index) {
  return gallery().WriteImagePage(pages.number - 1, static_cast<int>(index));
}

void GalleryPageWriter::WriteImageCell(const DirectoryPages& pages, std::size_t index) {
  gallery().WriteImageCell(pages.number - 1, static_cast<int>(index));
}

// A failed decoration copy skips every page of the run, the closing ones too.
void GalleryPageWriter::WriteIndexPage() {
  if (!decoration_failed_) gallery().WriteIndexPage();
}

void GalleryPageWriter::WriteFramePage() {
  if (!decoration_failed_) gallery().WriteFramePage();
}

}  // namespace velmora::app
