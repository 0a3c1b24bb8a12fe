// Image stamps: placing, stretching and blending the stamp picture.
#include "image/stamps/image_stamp.h"

#include <algorithm>
#include <cstdlib>

#include "image/image_error.h"
#include "image/stamps/compositing.h"
#include "image/stamps/stamp_placement.h"

namespace velmora::image {
namespace {

// Whether a stamp pixel is the colour the stamp leaves out: every channel
// within `tolerance` of it.
bool IsLeftOut(const std::uint8_t* p, Rgb colour, int tolerance) {
  return std::abs(p[0] - colour.r) <= tolerance && std::abs(p[1] - colour.g) <= tolerance &&
         std::abs(p[2] - colour.b) <= tolerance;
}

// The picture's coverage: its own opacity, and nothing where it shows the
// transparent colour, with the stamp's opacity on top.
CoverageLayer MakeLayer(const RgbaImage& picture, const CImageStamp& stamp, int weight) {
  const bool keyed = stamp.UseTransparentColor() == 1;
  std::vector<std::uint8_t> coverage = picture.alpha;
  if (keyed) {
    const Rgb key = RgbFromColourValue(stamp.TransparentColor());
    const int tolerance = static_cast<int>(std::clamp<std::int64_t>(stamp.TransparenzFarbtoleranz(), 0, 255));
    const std::size_t count = picture.rgb.size() / 3;
    if (coverage.size() != count) coverage.assign(count, 255);
    const std::uint8_t* p = picture.rgb.data();
    for (std::size_t i = 0; i < count; ++i, p += 3) {
      if (IsLeftOut(p, key, tolerance)) coverage[i] = 0;
    }
  }
  return MakeCoverageLayer(picture.rgb.Clone(), coverage, weight);
}

}  // namespace

PreparedImageStamp::PreparedImageStamp(const CImageStamp& stamp, std::shared_ptr<const StampPicture> picture)
    : position_(stamp.Position()),
      offset_x_(stamp.OffsetX()),
      offset_y_(stamp.OffsetY()),
      weight_(OpacityWeight(stamp.Opacity())),
      stretch_(stamp.Strecken() == 1),
      picture_(std::move(picture)) {
  if (picture_ != nullptr && picture_->loaded) {
    layer_ = std::make_unique<CoverageLayer>(MakeLayer(picture_->image, stamp, weight_));
  }
}

PreparedImageStamp::~PreparedImageStamp() = default;
PreparedImageStamp::PreparedImageStamp(PreparedImageStamp&&) noexcept = default;
PreparedImageStamp& PreparedImageStamp::operator=(PreparedImageStamp&&) noexcept = default;

const CoverageLayer& PreparedImageStamp::StretchedTo(int width, int height) {
  for (const CoverageLayer& kept : stretched_) {
    if (kept.colour.width() == width && kept.colour.height() == height) return kept;
  }
  if (stretched_.size() >= 2) stretched_.erase(stretched_.begin());
  stretched_.push_back(ResizeLayer(*layer_, width, height));
  return stretched_.back();
}

void PreparedImageStamp::Apply(RgbBuffer& image) {
  if (image.empty()) return;
  if (layer_ == nullptr || layer_->empty()) {
    const PictureLoadFailure failure =
        picture_ != nullptr ? picture_->failure : UnnamedImageStampFailure();
    throw ImageError(failure.number, failure.source, failure.description);
  }
  if (weight_ == 0) return;
  if (stretch_) {
    LayOver(image, StretchedTo(image.width(), image.height()), 0, 0);
    return;
  }
  const BoxOrigin at = PlaceStampBox({.image_width = image.width(),
                                      .image_height = image.height(),
                                      .box_width = layer_->colour.width(),
                                      .box_height = layer_->colour.height(),
                                      .position = position_,
                                      .offset_x = offset_x_,
                                      .offset_y = offset_y_});
  LayOver(image, *layer_, at.x, at.y);
}

}  // namespace velmora::image
