// The index page.
#include "html/index_page.h"

#include <algorithm>

#include "html/navigation.h"
#include "html/table_rows.h"

namespace velmora::html {
namespace {

enum : int {
  kPostBody = 128, kPreTable = 129, kTableOpen = 130, kTrOpen = 131, kTdOpen = 133, kEntry = 135, kTdClose = 136,
  kTrClose = 137, kTableClose = 138, kPostTable = 139, kPostPostTable = 140, kFooter = 141,
};

// Links of the run-wide first and last thumbnail pages from `folder`.
void SetRunEnds(GalleryOutput& out, const std::string& folder) {
  const GalleryLayout& layout = out.layout;
  const int first = layout.FirstWithImages();
  const int last = layout.LastWithImages();
  if (first < 0) return;
  const std::string first_name = layout.ThumbPageName(first, 1);
  const std::string last_name = layout.LastThumbPageName(last);
  SetDocument(out.vars, PageVar::first_doc, PageVar::first_ref, first_name,
              RelativeLink(folder, layout.ThumbFolder(first), first_name + layout.extension()));
  SetDocument(out.vars, PageVar::last_doc, PageVar::last_ref, last_name,
              RelativeLink(folder, layout.ThumbFolder(last), last_name + layout.extension()));
}

void SetDirectoryVariables(GalleryOutput& out, const std::string& folder, int d) {
  const GalleryLayout& layout = out.layout;
  const GalleryDirectory& directory = layout.directories()[static_cast<std::size_t>(d)];
  const int count = static_cast<int>(layout.directories().size());
  PageVariables& vars = out.vars;
  vars.Set(PageVar::count_cur_path, d + 1);
  vars.Set(PageVar::count_prev_path, d);
  vars.Set(PageVar::count_next_path, d + 1 < count ? d + 2 : 0);
  vars.Set(PageVar::count_files, layout.ImageCount(d));
  vars.Set(PageVar::count_pages, layout.split(d).page_count);
  vars.Set(PageVar::path, directory.relative_path);
  if (layout.dir_level() == 2) vars.Set(PageVar::parent_path, EncodeLink(directory.link_path));
  if (layout.ImageCount(d) == 0) return;
  const std::string first = layout.ThumbPageName(d, 1);
  const std::string last = layout.LastThumbPageName(d);
  SetDocument(vars, PageVar::first_path_doc, PageVar::first_path_ref, first,
              RelativeLink(folder, layout.ThumbFolder(d), first + layout.extension()));
  SetDocument(vars, PageVar::last_path_doc, PageVar::last_path_ref, last,
              RelativeLink(folder, layout.ThumbFolder(d), last + layout.extension()));
}

// A group ends where the next directory has another parent link path or none.
bool EndsGroup(const GalleryLayout& layout, int d) {
  const auto& directories = layout.directories();
  if (d + 1 >= static_cast<int>(directories.size())) return true;
  const std::string& next = directories[static_cast<std::size_t>(d) + 1].link_path;
  return next.empty() || next != directories[static_cast<std::size_t>(d)].link_path;
}

}  // namespace

bool WriteIndexPage(GalleryOutput& out) {
  const GalleryLayout& layout = out.layout;
  const settings::SettingsTable& settings = out.settings();
  const std::string& name = settings.Text("HTML_INDEX_FILENAME");
  const std::string folder = layout.IndexFolder();
  const bool grouped = settings.Flag("HTML_INDEX_GROUP");
  const bool first_only = settings.Flag("HTML_INDEX_FIRST_THUMBPAGE");
  out.vars.Set(PageVar::doc, name);
  out.vars.Set(PageVar::deco_ref, RelativeLink(folder, layout.DecoFolder(), ""));
  out.vars.Set(PageVar::html_absolute, out.Absolute(folder));
  SetRunEnds(out, folder);

  PageFile file;
  if (!out.Open(file, folder, name + layout.extension())) return false;
  out.start_document = file.path();
  SnippetEmitter& emit = out.emitter;
  WritePageHead(file, emit, PageKind::kIndex);
  emit.EmitSnippet(file, kPostBody);
  if (!grouped) {
    emit.EmitSnippet(file, kPreTable);
    emit.EmitSnippet(file, kTableOpen);
  }
  TableRows rows(emit, {kTrOpen, kTdOpen, kEntry, kTdClose, kTrClose}, settings.Int("HTML_INDEX_ENTRIES_PER_LINE"));
  bool group_open = false;
  for (int d = 0; d < static_cast<int>(layout.directories().size()); ++d) {
    SetDirectoryVariables(out, folder, d);
    if (grouped && !group_open) {
      emit.EmitSnippet(file, kPreTable);
      emit.EmitSnippet(file, kTableOpen);
      group_open = true;
      rows.Start();
    }
    const GalleryDirectory& directory = layout.directories()[static_cast<std::size_t>(d)];
    const int pages = layout.ImageCount(d) == 0 ? 0 : first_only ? 1 : layout.split(d).page_count;
    for (int page = 1; page <= pages; ++page) {
      const std::string page_name = layout.ThumbPageName(d, page);
      out.vars.Set(PageVar::src_doc, layout.dir_level() == 2 ? directory.link_path + "/" + page_name : page_name);
      out.vars.Set(PageVar::src_ref, RelativeLink(folder, layout.ThumbFolder(d), page_name + layout.extension()));
      rows.Cell(file);
    }
    if (grouped && EndsGroup(layout, d)) {
      emit.EmitSnippet(file, kTrClose);
      emit.EmitSnippet(file, kTableClose);
      emit.EmitSnippet(file, kPostTable);
      group_open = false;
    }
  }
  if (!grouped) {
    emit.EmitSnippet(file, kTrClose);
    emit.EmitSnippet(file, kTableClose);
    emit.EmitSnippet(file, kPostTable);
  }
  emit.EmitSnippet(file, kPostPostTable);
  if (settings.Flag("HTML_INDEX_PRINT_DATE")) out.DateParagraph(file);
  emit.EmitSnippet(file, kFooter);
  file.Line();
  file.Line("</body>");
  file.Line("</html>");
  return out.Finish(file);
}

bool WriteFramePage(GalleryOutput& out, bool index_page) {
  const GalleryLayout& layout = out.layout;
  const settings::SettingsTable& settings = out.settings();
  const std::string& name = settings.Text("HTML_FRAME_FILENAME");
  const std::string folder = layout.FrameFolder();
  out.vars.Set(PageVar::doc, name);
  out.vars.Set(PageVar::deco_ref, RelativeLink(folder, layout.DecoFolder(), ""));
  out.vars.Set(PageVar::html_absolute, out.Absolute(folder));
  if (index_page) {
    const std::string& index = settings.Text("HTML_INDEX_FILENAME");
    SetDocument(out.vars, PageVar::index_doc, PageVar::index_ref, index,
                RelativeLink(folder, layout.IndexFolder(), index + layout.extension()));
  }
  SetRunEnds(out, folder);

  PageFile file;
  if (!out.Open(file, folder, name + layout.extension())) return false;
  out.start_document = file.path();
  WritePageHead(file, out.emitter, PageKind::kFrame);
  out.emitter.EmitSnippet(file, 146);
  file.Line();
  file.Line("</html>");
  return out.Finish(file);
}

}  // namespace velmora::html
