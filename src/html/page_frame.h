// What every page kind shares: the opening of the document up to the body
// element, the date paragraph, and opening and finishing page files with
// their count and the start document.
#pragma once

#include <filesystem>
#include <string>

#include "html/gallery_layout.h"
#include "html/page_file.h"
#include "html/page_variables.h"
#include "html/template_snippets.h"
#include "html/write_check.h"

namespace velmora::html {

// Document type, html element, head with head snippet and title, and (for
// all kinds but the frame page) the body start tag.
void WritePageHead(PageFile& page, SnippetEmitter& emitter, PageKind kind);

// "<span ...>", the language text "InfDateCreated", a blank, `date` and "</span>".
std::string DateLine(const std::string& date);
// Today's date in the language's date format.
std::string Today();

// The state all page writers of a run share.
struct GalleryOutput {
  const GalleryLayout& layout;
  SnippetEmitter& emitter;
  PageVariables& vars;
  std::string date_line;           // for the date paragraphs
  bool only_when_changed = false;  // "HTML_CHANGED"
  int html_written = 0;
  std::filesystem::path start_document;
  WriteCheck may_write;  // asked before a page is created or replaced

  const settings::SettingsTable& settings() const { return emitter.settings(); }
  // Opens a page in a folder relative to the clone directory; shows
  // "ErrOutputRefused" when the run may not write it and
  // "ErrHTMLCreateFile" when it cannot be created.
  bool Open(PageFile& page, const std::string& folder, const std::string& name);
  // A line break and the paragraph with the date line.
  void DateParagraph(PageFile& page) const;
  // Closes the page, counts it when written; false after "ErrHTMLCreateFile"
  // when writing failed (the old page, if any, stays as it was).
  bool Finish(PageFile& page);
  // "ErrHTMLCreateFile" with the page's name and the reason.
  void ReportFailure(const PageFile& page) const;
  // Absolute folder in Windows-1252, for `html_absolute`.
  std::string Absolute(const std::string& folder) const;
};

}  // namespace velmora::html
