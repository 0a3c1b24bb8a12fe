// The page writer the run uses: hands the run's directories and hooks to
// the gallery pages of velmora::html.
#pragma once

#include <memory>

#include "app/run/page_writer.h"
#include "app/startup_state.h"
#include "html/gallery.h"

namespace velmora::app {

// The run's directories as the gallery pages see them.
std::vector<html::GalleryDirectory> GalleryDirectories(const RunState& state);

class GalleryPageWriter final : public PageWriter {
 public:
  explicit GalleryPageWriter(const StartupState& startup) : startup_(startup) {}
  // The run state whose directories the pages show (the run driver's).
  void Follow(const RunState& state) { state_ = &state; }

  bool CompileTemplates(RunScripts& scripts, const PageKinds& kinds) override;
  bool CopyDecoration(const std::filesystem::path& target) override;
  void BeginDirectory(const DirectoryPages& pages) override;
  void BeginPage(const DirectoryPages& pages, int page) override;
  bool WriteImagePage(const DirectoryPages& pages, std::size_t index) override;
  void WriteImageCell(const DirectoryPages& pages, std::size_t index) override;
  void EndDirectory(const DirectoryPages&) override {}
  void WriteIndexPage() override;
  void WriteFramePage() override;
  int HtmlWritten() const override { return gallery_ ? gallery_->html_written() : 0; }
  std::filesystem::path StartDocument() const override {
    return gallery_ ? gallery_->start_document() : std::filesystem::path();
  }

 private:
  html::Gallery& gallery();
  html::WriteCheck GuardCheck() const;

  const StartupState& startup_;
  const RunState* state_ = nullptr;
  RunScripts* scripts_ = nullptr;
  PageKinds kinds_;
  bool decoration_failed_ = false;
  std::unique_ptr<html::Gallery> gallery_;
};

}  // namespace velmora::app
