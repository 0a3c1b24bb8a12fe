// The names of one folder's outputs (clones, thumbnails or image pages):
// two sources that would give the same name (a.png and a.jpg both
// converted to a.jpg, or "A.jpg" beside "a.jpg" on a file system that
// folds case) must not overwrite each other.
#pragma once

#include <set>
#include <string>

#include "image/rl_image_file.h"

namespace velmora::app {

class OutputNameSet {
 public:
  // Takes a file name ("index.html") that no output of the set may get.
  void Reserve(const std::string& file_name);

  // Gives `output` a name that no earlier one of the set has, compared
  // without regard to letter case: the later of two keeps its original's
  // extension in its name ("a_png"), then a count ("a_png_2").
  void Claim(image::ImageFileFacts& output, const image::ImageFileFacts& original);

 private:
  std::set<std::string> taken_;  // case-folded "name.extension"
};

}  // namespace velmora::app
