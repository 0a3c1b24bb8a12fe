// Where the HTML pages plug into the generation run. The run calls these
// in a fixed order: CompileTemplates in the preparation (before the check for
// missing functions), CopyDecoration, then per directory BeginDirectory,
// per image (BeginPage when a thumbnail page starts) WriteImagePage and
// WriteImageCell, EndDirectory, and after the last directory WriteIndexPage
// and WriteFramePage. Nothing is called while "GENERATE_HTML" is off. The
// run has set the context variables that each step reads before it calls it.
#pragma once

#include <filesystem>
#include <string>

#include "app/run/run_state.h"

namespace velmora::app {

class RunScripts;

// The switched-on page kinds; all false when "GENERATE_HTML" is off.
struct PageKinds {
  bool html = false;
  bool frame = false;
  bool index = false;
  bool thumb_pages = false;
  bool image_pages = false;
};

// One directory's pages as the run has split them.
struct DirectoryPages {
  const RunDirectory* directory = nullptr;
  int number = 0;                 // 1-based place in the run
  std::filesystem::path html_folder;   // where its thumbnail pages go
  std::filesystem::path image_folder;  // where its image pages go
  int images_per_page = 0;
  int page_count = 0;
};

class PageWriter {
 public:
  virtual ~PageWriter() = default;

  // Compiles the snippets of the switched-on kinds into `scripts`; false
  // after the message "ErrTagLastErr" ends the run before any output.
  virtual bool CompileTemplates(RunScripts& scripts, const PageKinds& kinds) = 0;
  // Copies the decoration files into `target`; false skips the main pass.
  virtual bool CopyDecoration(const std::filesystem::path& target) = 0;

  // A directory starts, before `_initpath`: set the variables of its first
  // and last thumbnail page.
  virtual void BeginDirectory(const DirectoryPages& pages) = 0;
  // A thumbnail page starts: open it and write its head (1-based page).
  virtual void BeginPage(const DirectoryPages& pages, int page) = 0;
  // The image page of the image at `index` (0-based in the directory);
  // false when it could not be written (already reported; the run goes on).
  virtual bool WriteImagePage(const DirectoryPages& pages, std::size_t index) = 0;
  // The image's cell on the thumbnail page; closes the page after its last
  // cell or the directory's last image.
  virtual void WriteImageCell(const DirectoryPages& pages, std::size_t index) = 0;
  virtual void EndDirectory(const DirectoryPages& pages) = 0;

  virtual void WriteIndexPage() = 0;
  virtual void WriteFramePage() = 0;

  // HTML files written (or replaced, with "HTML_CHANGED").
  virtual int HtmlWritten() const = 0;
  // The page a browser is to show at the end; empty when none was written.
  virtual std::filesystem::path StartDocument() const = 0;
};

// Writes nothing: the run's clones and thumbnails without pages.
class NoPageWriter final : public PageWriter {
 public:
  bool CompileTemplates(RunScripts&, const PageKinds&) override { return true; }
  bool CopyDecoration(const std::filesystem::path&) override { return true; }
  void BeginDirectory(const DirectoryPages&) override {}
  void BeginPage(const DirectoryPages&, int) override {}
  bool WriteImagePage(const DirectoryPages&, std::size_t) override { return true; }
  void WriteImageCell(const DirectoryPages&, std::size_t) override {}
  void EndDirectory(const DirectoryPages&) override {}
  void WriteIndexPage() override {}
  void WriteFramePage() override {}
  int HtmlWritten() const override { return 0; }
  std::filesystem::path StartDocument() const override { return {}; }
};

}  // namespace velmora::app
