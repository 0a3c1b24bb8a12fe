// Borders: the kinds, over and around the picture.
#include "image/stamps/border.h"

#include "image/resize/resize_image.h"
#include "image/stamps/inside_border.h"
#include "image/stamps/outside_border.h"
#include "image/stamps/picture_frame.h"

namespace velmora::image {
namespace {

enum BorderKind { kInside = 0, kOutside = 1, kPictureFrame = 2 };

}  // namespace

PreparedBorder::PreparedBorder(const CBorder& border, std::shared_ptr<const StampPicture> frame_picture)
    : border_(border) {
  if (border.BorderType() == kPictureFrame && frame_picture != nullptr && frame_picture->loaded) {
    frame_ = std::make_unique<FramePicture>(frame_picture->image, RgbFromColourValue(border.Color()),
                                            border.ImageArrangement() != 0);
  }
}

PreparedBorder::~PreparedBorder() = default;
PreparedBorder::PreparedBorder(PreparedBorder&&) noexcept = default;
PreparedBorder& PreparedBorder::operator=(PreparedBorder&&) noexcept = default;

void PreparedBorder::Apply(RgbBuffer& image) {
  if (image.empty() || border_.Position() == 0) return;
  switch (border_.BorderType()) {
    case kInside:
      if (border_.InsideType() == 0) {
        DrawInsideBands(image, border_);
      } else {
        DrawInsideOval(image, border_);
      }
      return;
    case kOutside:
      if (const auto growth = GrowthOf(border_.Position(), border_.Width(), image)) {
        const Rgb colour = border_.ColorFromImage() ? AverageColour(image) : RgbFromColourValue(border_.Color());
        image = GrowAround(image, *growth, FlatPainter(colour));
      }
      return;
    case kPictureFrame:
      if (frame_ == nullptr) return;
      if (const auto growth = GrowthOf(border_.Position(), border_.Width(), image)) {
        const int width = image.width() + growth->left + growth->right;
        const int height = image.height() + growth->top + growth->bottom;
        image = GrowAround(image, *growth, frame_->PainterFor(width, height));
      }
      return;
    default:
      return;
  }
}

}  // namespace velmora::image
