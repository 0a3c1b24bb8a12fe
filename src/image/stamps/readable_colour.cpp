// The readable-colour rule.
#include "image/stamps/readable_colour.h"

#include <cstdint>

#include "image/resize/resize_image.h"

namespace velmora::image {

Rgb ReadableColour(const RgbBuffer& image, const PixelRect& rect) {
  constexpr std::int32_t kMidGrey = 127 * 65536 + 127 * 256 + 127;  // 8355711
  const PixelRect under = ClipToImage(image, rect);
  const Rgb mean = AverageColour(image, static_cast<int>(under.left), static_cast<int>(under.top),
                                 static_cast<int>(under.right), static_cast<int>(under.bottom));
  return ColourValue(mean) > kMidGrey ? Rgb{0, 0, 0} : Rgb{255, 255, 255};
}

}  // namespace velmora::image
