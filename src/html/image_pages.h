// Image pages: one page per image with navigation to its neighbours, to
// the thumbnail page that holds it and to the ends of page, directory and run.
#pragma once

#include "html/navigation.h"
#include "html/page_frame.h"

namespace velmora::html {

class ImagePages {
 public:
  ImagePages(GalleryOutput& out, bool thumb_pages);

  // Calls `_initpic`, sets the page's variables and writes the page of image
  // `image` (0-based) of directory `d`; false when the page could not be written.
  bool Write(int d, int image);

 private:
  struct Applies {
    bool prev = false, next = false, up = false;
    bool first = false, path_first = false, page_first = false;
    bool page_last = false, path_last = false, last = false;
  };
  Applies SetVariables(int d, int image);
  void NavigationBlock(PageFile& file, const Applies& applies);
  std::string LinkTo(int from_d, Target target) const;

  GalleryOutput& out_;
  bool thumb_pages_;
  long ref_pos_;
  bool nav_extended_;
  bool print_date_;
  LinkOrder order_;
};

}  // namespace velmora::html
