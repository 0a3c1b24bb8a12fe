// Thumbnail pages.
#include "html/thumbnail_pages.h"

#include <algorithm>

namespace velmora::html {
namespace {

// Snippet slots of the thumbnail pages.
enum : int {
  kPostBody = 152, kPrevPrev = 153, kFirst = 154, kPathFirst = 155, kPrev = 156, kUp = 157, kNext = 158,
  kPathLast = 159, kLast = 160, kNextNext = 161, kPreTable = 162, kTableOpen = 163, kTrOpen = 165, kTdOpen = 166,
  kPicTag = 168, kTdClose = 169, kTrClose = 170, kTableClose = 171, kPostTable = 172, kFooter = 173,
};

}  // namespace

ThumbnailPages::ThumbnailPages(GalleryOutput& out, bool index_page)
    : out_(out),
      index_page_(index_page),
      rows_(out.emitter, {kTrOpen, kTdOpen, kPicTag, kTdClose, kTrClose}, out.settings().Int("THUMBS_PER_LINE")),
      ref_pos_(out.settings().Int("REF_POS")),
      nav_extended_(out.settings().Flag("NAV_EXTENDED")),
      print_date_(out.settings().Flag("PRINT_DATE")),
      order_(ReadLinkOrder(out.settings().Int("HTML_VERWEISFOLGE"))) {}

std::string ThumbnailPages::LinkTo(int d, int page) const {
  const GalleryLayout& layout = out_.layout;
  return RelativeLink(layout.ThumbFolder(directory_), layout.ThumbFolder(d),
                      layout.ThumbPageName(d, page) + layout.extension());
}

void ThumbnailPages::SetPageVariables(int d, int page) {
  const GalleryLayout& layout = out_.layout;
  PageVariables& vars = out_.vars;
  directory_ = d;
  const int count = layout.split(d).page_count;
  const std::string folder = layout.ThumbFolder(d);
  auto set = [&](PageVar doc, PageVar ref, Target target) {
    if (target.exists()) SetDocument(vars, doc, ref, layout.ThumbPageName(target.directory, target.item),
                                     LinkTo(target.directory, target.item));
  };
  vars.Set(PageVar::doc, layout.ThumbPageName(d, page));
  const int before = layout.Neighbour(d, -1);
  const int after = layout.Neighbour(d, 1);
  const Target prev = Step(order_, d, page, -1, 1, count, before, before >= 0 ? layout.split(before).page_count : 0);
  const Target next = Step(order_, d, page, 1, 1, count, after, 1);
  has_prev_ = prev.exists();
  has_next_ = next.exists();
  set(PageVar::prev_doc, PageVar::prev_ref, prev);
  set(PageVar::next_doc, PageVar::next_ref, next);
  if (index_page_) {
    const std::string& index = out_.settings().Text("HTML_INDEX_FILENAME");
    const std::string link = RelativeLink(folder, layout.IndexFolder(), index + layout.extension());
    SetDocument(vars, PageVar::up_doc, PageVar::up_ref, index, link);
    SetDocument(vars, PageVar::index_doc, PageVar::index_ref, index, link);
  }
  const int first = layout.FirstWithImages();
  const int last = layout.LastWithImages();
  set(PageVar::first_doc, PageVar::first_ref, {first, 1});
  set(PageVar::last_doc, PageVar::last_ref, {last, last >= 0 ? layout.split(last).page_count : 1});
  SetDirectoryVariables(d);
  vars.Set(PageVar::deco_ref, RelativeLink(folder, layout.DecoFolder(), ""));
  vars.Set(PageVar::html_absolute, out_.Absolute(folder));
}

void ThumbnailPages::SetDirectoryVariables(int d) {
  directory_ = d;
  const GalleryLayout& layout = out_.layout;
  const int count = layout.split(d).page_count;
  SetDocument(out_.vars, PageVar::first_path_doc, PageVar::first_path_ref, layout.ThumbPageName(d, 1),
              LinkTo(d, 1));
  SetDocument(out_.vars, PageVar::last_path_doc, PageVar::last_path_ref, layout.ThumbPageName(d, count),
              LinkTo(d, count));
}

bool ThumbnailPages::BeginPage(int d, int page) {
  SetPageVariables(d, page);
  page_ = page;
  images_on_page_ = 0;
  rows_.Start();
  const GalleryLayout& layout = out_.layout;
  if (!out_.Open(file_, layout.ThumbFolder(d), layout.ThumbPageName(d, page) + layout.extension())) return false;
  SnippetEmitter& emit = out_.emitter;
  WritePageHead(file_, emit, PageKind::kThumb);
  if (!emit.Empty(kPostBody)) {
    emit.EmitSnippet(file_, kPostBody);
    file_.Line();
  }
  if (ref_pos_ & 4) NavigationBlock();
  emit.EmitSnippet(file_, kPreTable);
  emit.EmitSnippet(file_, kTableOpen);
  return true;
}

void ThumbnailPages::WriteCell(int d, int image) {
  if (!file_.is_open()) return;
  rows_.Cell(file_);
  ++images_on_page_;
  if (images_on_page_ == out_.layout.split(d).images_per_page || image + 1 == out_.layout.ImageCount(d)) {
    ClosePage();
  }
}

void ThumbnailPages::ClosePage() {
  SnippetEmitter& emit = out_.emitter;
  emit.EmitSnippet(file_, kTrClose);
  emit.EmitSnippet(file_, kTableClose);
  if (ref_pos_ & 16) NavigationBlock();
  emit.EmitSnippet(file_, kPostTable);
  if (ref_pos_ & 32) NavigationBlock();
  if (print_date_) out_.DateParagraph(file_);
  emit.EmitSnippet(file_, kFooter);
  file_.Line();
  file_.Line("</body>");
  file_.Line("</html>");
  images_on_page_ = 0;
  out_.Finish(file_);
}

void ThumbnailPages::NavigationBlock() {
  SnippetEmitter& emit = out_.emitter;
  emit.EmitSnippet(file_, kPrevPrev);
  if (nav_extended_) {
    emit.EmitSnippet(file_, kFirst);
    emit.EmitSnippet(file_, kPathFirst);
  }
  if (has_prev_) emit.EmitSnippet(file_, kPrev);
  if (index_page_) emit.EmitSnippet(file_, kUp);
  if (has_next_) emit.EmitSnippet(file_, kNext);
  if (nav_extended_) {
    emit.EmitSnippet(file_, kPathLast);
    emit.EmitSnippet(file_, kLast);
  }
  emit.EmitSnippet(file_, kNextNext);
  file_.Line();
}

}  // namespace velmora::html
