#include "image/clone_list/image_stamp.h"

namespace velmora::image {
namespace {
using T = CImageStamp;
}  // namespace

const PropertyTable<T>& T::ProfileKeyTable() {
  static const PropertyTable<T> table = {
      {"STAMP_IMAGE_DESCRIPTION", TextField<T>{&T::Description, &T::SetDescription}},
      {"STAMP_IMAGE", TextField<T>{&T::Name, &T::SetName}},
      {"STAMP_IMAGE_POSITION", IntField<T>{&T::Position, &T::SetPosition}},
      {"STAMP_IMAGE_OFFSETX", IntField<T>{&T::OffsetX, &T::SetOffsetX}},
      {"STAMP_IMAGE_OFFSETY", IntField<T>{&T::OffsetY, &T::SetOffsetY}},
      {"STAMP_IMAGE_OPACITY", IntField<T>{&T::Opacity, &T::SetOpacity}},
      {"STAMP_IMAGE_USE_TRANSPARENTCOLOR", IntField<T>{&T::UseTransparentColor, &T::SetUseTransparentColor}},
      {"STAMP_IMAGE_TRANSPARENTCOLOR", IntField<T>{&T::TransparentColor, &T::SetTransparentColor}},
      {"STAMP_IMAGE_COLORTOLERANCE", IntField<T>{&T::TransparenzFarbtoleranz, &T::SetTransparenzFarbtoleranz}},
      {"STAMP_IMAGE_STRETCH", IntField<T>{&T::Strecken, &T::SetStrecken}},
  };
  return table;
}

CImageStamp::CImageStamp() : TabledCloneItem("Image") {}

}  // namespace velmora::image
