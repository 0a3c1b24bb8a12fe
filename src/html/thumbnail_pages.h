// Thumbnail pages: a directory's thumbnails in rows and cells, split into
// pages, each with its navigation block at the positions of "REF_POS".
#pragma once

#include "html/navigation.h"
#include "html/page_file.h"
#include "html/page_frame.h"
#include "html/table_rows.h"

namespace velmora::html {

class ThumbnailPages {
 public:
  ThumbnailPages(GalleryOutput& out, bool index_page);

  // Sets the page's variables, opens it and writes everything up to the table.
  bool BeginPage(int d, int page);
  // One image's cell (0-based in the directory); closes the page after its last cell.
  void WriteCell(int d, int image);
  // Sets the variables of page `page` of directory `d` (again after an image page).
  void SetPageVariables(int d, int page);
  // The directory's first and last page (`first_path_doc` and so on), which
  // `_initpath` already reads.
  void SetDirectoryVariables(int d);
  int current_page() const { return page_; }

 private:
  void NavigationBlock();
  void ClosePage();
  std::string LinkTo(int d, int page) const;

  GalleryOutput& out_;
  bool index_page_;
  TableRows rows_;
  long ref_pos_;
  bool nav_extended_;
  bool print_date_;
  LinkOrder order_;
  PageFile file_;
  int directory_ = -1;
  int page_ = 0;
  int images_on_page_ = 0;
  bool has_prev_ = false, has_next_ = false;
};

}  // namespace velmora::html
