// Text stamps of a run.
#include "app/run/run_text_stamps.h"

#include <string>

#include "platform/log.h"
#include "app/run/run_image_host.h"
#include "app/run/run_scripts.h"
#include "image/stamps/text_stamp_drawing.h"

namespace velmora::app {

void RunTextStamps::Apply(image::RgbBuffer& clone, const image::CTextStamp& stamp, int position) {
  std::string text;
  {
    // The stamp's script runs with the clone as the current image; the
    // photo's metadata is the run's current image's.
    const ClonePixelsInUse in_use(scripts_.image_host(), clone);
    text = scripts_.StampText(position);
  }
  if (text.empty()) return;
  const image::DrawnTextStamp drawn = image::DrawTextStamp(clone, text, image::TextStampStyleOf(stamp), fonts_);
  // Without any usable font every clone would miss its stamp for the same
  // reason; the log says so once.
  if (!drawn.drawn && !clone.empty() && !reported_missing_font_) {
    reported_missing_font_ = true;
    WriteLog("Text stamp " + std::to_string(position) + " not drawn: no usable font for \"" + stamp.Font() + "\"");
  }
}

}  // namespace velmora::app
