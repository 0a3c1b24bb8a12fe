// The pages of one run.
#include "html/gallery.h"

namespace velmora::html {

Gallery::Gallery(script::Machine& machine, const settings::SettingsTable& settings, GalleryLayout layout,
                 GalleryKinds kinds, const std::string& date, WriteCheck may_write)
    : layout_(std::move(layout)),
      kinds_(kinds),
      emitter_(machine, settings),
      vars_(machine.program()),
      out_{layout_, emitter_, vars_, DateLine(date), settings.Flag("HTML_CHANGED"), 0, {}, std::move(may_write)},
      thumbs_(out_, kinds.index),
      images_(out_, kinds.thumb_pages) {}

bool Gallery::WriteImagePage(int d, int image) {
  image_page_since_cell_ = true;
  return images_.Write(d, image);
}

void Gallery::WriteImageCell(int d, int image) {
  // The image page has set the navigation variables to its own; the cell
  // and the page's closing navigation need those of the thumbnail page.
  if (image_page_since_cell_) thumbs_.SetPageVariables(d, thumbs_.current_page());
  image_page_since_cell_ = false;
  thumbs_.WriteCell(d, image);
}

}  // namespace velmora::html
