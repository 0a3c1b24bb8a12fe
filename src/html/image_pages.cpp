// Image pages.
#include "html/image_pages.h"

#include <algorithm>

#include "script/output_sink.h"

namespace velmora::html {
namespace {

// Snippet slots of the image pages.
enum : int {
  kPostBody = 179, kPrevPrev = 180, kFirst = 181, kPathFirst = 182, kPageFirst = 183, kPrev = 184, kUp = 185,
  kNext = 186, kPageLast = 187, kPathLast = 188, kLast = 189, kNextNext = 190, kPrePic = 191, kPic = 192,
  kPostPic = 193, kFooter = 194,
};

}  // namespace

ImagePages::ImagePages(GalleryOutput& out, bool thumb_pages)
    : out_(out),
      thumb_pages_(thumb_pages),
      ref_pos_(out.settings().Int("HTML_BILD_REF_POS")),
      nav_extended_(out.settings().Flag("HTML_BILD_NAV_EXTENDED")),
      print_date_(out.settings().Flag("HTML_BILD_PRINT_DATE")),
      order_(ReadLinkOrder(out.settings().Int("HTML_BILD_VERWEISFOLGE"))) {}

std::string ImagePages::LinkTo(int from_d, Target target) const {
  const GalleryLayout& layout = out_.layout;
  return RelativeLink(layout.ImageFolder(from_d), layout.ImageFolder(target.directory),
                      layout.ImagePage(target.directory, target.item) + layout.extension());
}

ImagePages::Applies ImagePages::SetVariables(int d, int image) {
  const GalleryLayout& layout = out_.layout;
  PageVariables& vars = out_.vars;
  const std::string folder = layout.ImageFolder(d);
  auto name_of = [&](Target t) -> const std::string& { return layout.ImagePage(t.directory, t.item); };
  auto set = [&](PageVar doc, PageVar ref, Target target) {
    if (target.exists()) SetDocument(vars, doc, ref, name_of(target), LinkTo(d, target));
  };
  const int count = layout.ImageCount(d);
  const PageSplit& split = layout.split(d);
  const int before = layout.Neighbour(d, -1);
  const int after = layout.Neighbour(d, 1);
  const int first_dir = layout.FirstWithImages();
  const int last_dir = layout.LastWithImages();
  const int page = split.PageOf(image);
  const int page_first = split.FirstOn(page);
  const int page_last = std::min(count, page_first + split.images_per_page) - 1;

  Applies applies;
  const Target prev = Step(order_, d, image, -1, 0, count - 1, before, before >= 0 ? layout.ImageCount(before) - 1 : 0);
  const Target next = Step(order_, d, image, 1, 0, count - 1, after, 0);
  applies.prev = prev.exists();
  applies.next = next.exists();
  applies.up = thumb_pages_;
  applies.first = !(d == first_dir && image == 0);
  applies.last = !(d == last_dir && image == count - 1);
  applies.path_first = image != 0;
  applies.path_last = image != count - 1;
  applies.page_first = image != page_first;
  applies.page_last = image != page_last;

  vars.Set(PageVar::doc, name_of({d, image}));
  vars.Set(PageVar::html_absolute, out_.Absolute(folder));
  set(PageVar::prev_doc, PageVar::prev_ref, prev);
  set(PageVar::next_doc, PageVar::next_ref, next);
  if (thumb_pages_) {
    const std::string thumb_page = layout.ThumbPageName(d, page);
    SetDocument(vars, PageVar::up_doc, PageVar::up_ref, thumb_page,
                RelativeLink(folder, layout.ThumbFolder(d), thumb_page + layout.extension()));
  }
  set(PageVar::first_doc, PageVar::first_ref, {first_dir, 0});
  set(PageVar::last_doc, PageVar::last_ref, {last_dir, last_dir >= 0 ? layout.ImageCount(last_dir) - 1 : 0});
  set(PageVar::first_path_doc, PageVar::first_path_ref, {d, 0});
  set(PageVar::last_path_doc, PageVar::last_path_ref, {d, count - 1});
  set(PageVar::first_page_doc, PageVar::first_page_ref, {d, page_first});
  set(PageVar::last_page_doc, PageVar::last_page_ref, {d, page_last});
  vars.Set(PageVar::deco_ref, RelativeLink(folder, layout.DecoFolder(), ""));
  return applies;
}

bool ImagePages::Write(int d, int image) {
  script::DiscardSink discard;
  out_.emitter.EmitFunction(discard, "_initpic");
  const Applies applies = SetVariables(d, image);
  const GalleryLayout& layout = out_.layout;
  PageFile file;
  const std::string& name = layout.ImagePage(d, image);
  if (!out_.Open(file, layout.ImageFolder(d), name + layout.extension())) return false;
  SnippetEmitter& emit = out_.emitter;
  WritePageHead(file, emit, PageKind::kImage);
  emit.EmitSnippet(file, kPostBody);
  if (ref_pos_ & 4) NavigationBlock(file, applies);
  emit.EmitSnippet(file, kPrePic);
  file.Line();
  emit.EmitSnippet(file, kPic);
  file.Line();
  if (ref_pos_ & 16) NavigationBlock(file, applies);
  emit.EmitSnippet(file, kPostPic);
  file.Line();
  if (ref_pos_ & 32) NavigationBlock(file, applies);
  if (print_date_) out_.DateParagraph(file);
  emit.EmitSnippet(file, kFooter);
  file.Line();
  file.Line("</body>");
  file.Line("</html>");
  return out_.Finish(file);
}

void ImagePages::NavigationBlock(PageFile& file, const Applies& applies) {
  SnippetEmitter& emit = out_.emitter;
  emit.EmitSnippet(file, kPrevPrev);
  if (nav_extended_) {
    if (applies.first) emit.EmitSnippet(file, kFirst);
    if (applies.path_first) emit.EmitSnippet(file, kPathFirst);
    if (applies.page_first) emit.EmitSnippet(file, kPageFirst);
  }
  if (applies.prev) emit.EmitSnippet(file, kPrev);
  if (applies.up) emit.EmitSnippet(file, kUp);
  if (applies.next) emit.EmitSnippet(file, kNext);
  if (nav_extended_) {
    if (applies.page_last) emit.EmitSnippet(file, kPageLast);
    if (applies.path_last) emit.EmitSnippet(file, kPathLast);
    if (applies.last) emit.EmitSnippet(file, kLast);
  }
  emit.EmitSnippet(file, kNextNext);
  file.Line();
}

}  // namespace velmora::html
