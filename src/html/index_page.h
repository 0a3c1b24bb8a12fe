// The index page (links to the thumbnail pages of all directories, in one
// table or one table per group of directories) and the frame start page.
#pragma once

#include "html/page_frame.h"

namespace velmora::html {

// Writes the index page into the HTML root or the clone directory; it
// becomes the start document. False when it could not be written.
bool WriteIndexPage(GalleryOutput& out);

// Writes the frame start page; `index_page` says whether an index page
// exists for `index_doc` and `index_ref` to point at.
bool WriteFramePage(GalleryOutput& out, bool index_page);

}  // namespace velmora::html
