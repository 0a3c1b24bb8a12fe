// The text stamps of a run: the stamp's script prints the text for the
// clone at hand, the image layer draws it. The fonts are opened once per
// run, with the first stamp that needs them.
#pragma once

#include "image/clone_list/text_stamp.h"
#include "image/rgb_buffer.h"
#include "image/text/font_cache.h"

namespace velmora::app {

class RunScripts;

class RunTextStamps {
 public:
  explicit RunTextStamps(RunScripts& scripts) : scripts_(scripts) {}

  // Draws the stamp at 1-based `position` of the clone list onto the clone.
  void Apply(image::RgbBuffer& clone, const image::CTextStamp& stamp, int position);

 private:
  RunScripts& scripts_;
  image::FontCache fonts_;
  bool reported_missing_font_ = false;
};

}  // namespace velmora::app
