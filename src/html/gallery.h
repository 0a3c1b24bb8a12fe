// The pages of one run: thumbnail pages, image pages, the index page and
// the frame start page, written from the run's layout through the
// compiled snippets, with the count of written files and the start document.
#pragma once

#include <filesystem>
#include <memory>

#include "html/gallery_layout.h"
#include "html/image_pages.h"
#include "html/index_page.h"
#include "html/page_frame.h"
#include "html/thumbnail_pages.h"

namespace velmora::html {

struct GalleryKinds {
  bool frame = false;
  bool index = false;
  bool thumb_pages = false;
  bool image_pages = false;
};

class Gallery {
 public:
  // `machine` runs the snippets compiled before (CompilePageTemplates);
  // `date` is today's date as the date paragraphs show it; `may_write` is
  // asked before every page file.
  Gallery(script::Machine& machine, const settings::SettingsTable& settings, GalleryLayout layout, GalleryKinds kinds,
          const std::string& date, WriteCheck may_write = {});

  void BeginDirectory(int d) { thumbs_.SetDirectoryVariables(d); }
  void BeginPage(int d, int page) { thumbs_.BeginPage(d, page); }
  bool WriteImagePage(int d, int image);
  void WriteImageCell(int d, int image);
  bool WriteIndexPage() { return html::WriteIndexPage(out_); }
  bool WriteFramePage() { return html::WriteFramePage(out_, kinds_.index); }

  int html_written() const { return out_.html_written; }
  const std::filesystem::path& start_document() const { return out_.start_document; }
  const GalleryLayout& layout() const { return layout_; }

 private:
  GalleryLayout layout_;
  GalleryKinds kinds_;
  SnippetEmitter emitter_;
  PageVariables vars_;
  GalleryOutput out_;
  ThumbnailPages thumbs_;
  ImagePages images_;
  bool image_page_since_cell_ = false;
};

}  // namespace velmora::html
