// Drawing a text stamp onto a clone: the text set in the stamp's font, the
// block placed in the 3 x 3 grid and turned in quarter steps, with an
// optional box behind it and frame around it, in a fixed or a readable
// colour at the stamp's opacity.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "image/clone_list/text_stamp.h"
#include "image/rgb_buffer.h"
#include "image/text/text_raster.h"

namespace velmora::image {

class FontCache;

// What the drawing routine takes; colours are packed values, a negative one
// meaning none.
struct TextStampStyle {
  std::string font = "Arial";  // Windows-1252 face name
  int height = 15;             // pixels, 1-999
  std::int32_t colour = 16777215;
  bool readable = false;       // black or white from the image instead
  int opacity = 100;           // percent
  int alignment = 0;           // 0 from the position's column, 1 left, 2 centre, 3 right
  int position = 1;            // 1-9
  int offset_x = 10;
  int offset_y = 10;
  int direction = 0;           // 0 upright, 1-3 quarter turns clockwise
  int weight = 400;
  bool italic = false;
  bool underline = false;
  bool strikeout = false;
  std::int64_t background_colour = -1;  // box behind the text
  int background_opacity = 50;
  std::int64_t frame_colour = -1;       // frame around the box
  int frame_width = 1;
};

// The routine's settings for a clone-list item: no box unless its
// background is 1, no frame unless its border is 1.
TextStampStyle TextStampStyleOf(const CTextStamp& stamp);

struct DrawnTextStamp {
  bool drawn = false;
  PixelRegion block;        // the (turned) text block on the image, before the box's margin
  std::int32_t colour = 0;  // the text colour used, after the readable-colour rule
};

// Draws `text` (Windows-1252; "%\" breaks the line, as do line ends) onto
// the image. An empty image or text draws nothing, not even the box; so
// does a system without any usable font. Never throws: a failure ends this
// stamp only.
DrawnTextStamp DrawTextStamp(RgbBuffer& image, std::string_view text, const TextStampStyle& style,
                             FontCache& fonts) noexcept;

}  // namespace velmora::image
