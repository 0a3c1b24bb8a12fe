// The context variables the generation run sets as it goes: per directory,
// per thumbnail page and per image, before the scripts and page writers
// that read them run.
#pragma once

#include <cstddef>
#include <string>
#include <utility>

#include "app/run/context_variables.h"
#include "app/run/page_writer.h"
#include "app/run/run_state.h"
#include "platform/cp1252_text.h"

namespace velmora::app {

// What the variables depend on besides the directory, page and image.
struct ContextLayout {
  Cp1252Text base_dir;
  int dir_level = 0;
  long thumbs_per_line = 4;
  std::string page_extension;  // with its dot
  bool clones = false;         // pages show the clones rather than the originals
  PageKinds kinds;
};

class RunContextWriter {
 public:
  RunContextWriter(RunContext& context, ContextLayout layout) : ctx_(context), layout_(std::move(layout)) {}

  // The directory at `index` of `count`, before its `_initpath`.
  void SetDirectory(const RunDirectory& directory, int index, int count, const DirectoryPages& pages,
                    const Cp1252Text& clone_folder);
  // A thumbnail page starts (1-based `page`).
  void SetPage(const RunDirectory& directory, const DirectoryPages& pages, int page);
  // The image at `index` of the directory, `in_page` on its page, after
  // `handled_before` images of the run.
  void SetImageCounters(const RunDirectory& directory, std::size_t index, int in_page, int handled_before);
  // The links an image's cell and page start from; the page writers may
  // refine them (their own page folders are known to them).
  void SetImageLinks(const RunImage& record, const RunDirectory& directory, const DirectoryPages& pages,
                     const Cp1252Text& thumb_folder, const Cp1252Text& clone_folder);

 private:
  // The directory's own folder below the base directory.
  Cp1252Text SourceFolder(const RunDirectory& directory) const;

  RunContext& ctx_;
  ContextLayout layout_;
};

}  // namespace velmora::app
