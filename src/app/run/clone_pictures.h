// The pictures of the clone list's image stamps and picture frames, read
// once for a run: the run's checks read them before anything is written, and
// the clone hooks lay the same pixels onto every clone.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "image/clone_list/clone_effekte.h"
#include "image/stamps/stamp_picture.h"

namespace velmora::app {

class ClonePictures {
 public:
  // The picture named `file` (Windows-1252) with its read result, read on
  // the first request; a file named by several items is read once. An empty
  // name gives `unnamed`.
  std::shared_ptr<const image::StampPicture> Get(const std::string& file, const image::PictureLoadFailure& unnamed);

 private:
  std::map<std::string, std::shared_ptr<const image::StampPicture>> pictures_;
};

// The picture an image stamp or border of the list needs: nullptr for other
// items and for borders that are no picture frame.
std::shared_ptr<const image::StampPicture> PictureOf(const image::CloneItem& item, ClonePictures& pictures);

}  // namespace velmora::app
