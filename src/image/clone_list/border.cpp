#include "image/clone_list/border.h"

namespace velmora::image {
namespace {
using T = CBorder;
}  // namespace

const PropertyTable<T>& T::ProfileKeyTable() {
  static const PropertyTable<T> table = {
      {"BORDER_DESCRIPTION", TextField<T>{&T::Description, &T::SetDescription}},
      {"BORDER_TYPE", IntField<T>{&T::BorderType, &T::SetBorderType}},
      {"BORDER_INSIDETYPE", IntField<T>{&T::InsideType, &T::SetInsideType}},
      {"BORDER_POSITION", IntField<T>{&T::Position, &T::SetPosition}},
      {"BORDER_OFFSET_TOP", IntField<T>{&T::OffsetTop, &T::SetOffsetTop}},
      {"BORDER_OFFSET_RIGHT", IntField<T>{&T::OffsetRight, &T::SetOffsetRight}},
      {"BORDER_OFFSET_BOTTOM", IntField<T>{&T::OffsetBottom, &T::SetOffsetBottom}},
      {"BORDER_OFFSET_LEFT", IntField<T>{&T::OffsetLeft, &T::SetOffsetLeft}},
      {"BORDER_COLOR", IntField<T>{&T::Color, &T::SetColor}},
      {"BORDER_WIDTH", IntField<T>{&T::Width, &T::SetWidth}},
      {"BORDER_OPACITY", IntField<T>{&T::Opacity, &T::SetOpacity}},
      {"BORDER_COLOR_FROM_IMAGE", FlagField<T>{&T::ColorFromImage, &T::SetColorFromImage}},
      {"BORDER_IMAGE_NAME", TextField<T>{&T::ImageName, &T::SetImageName}},
      {"BORDER_IMAGE_ARRANGEMENT", IntField<T>{&T::ImageArrangement, &T::SetImageArrangement}},
  };
  return table;
}

CBorder::CBorder() : TabledCloneItem("Border") {}

}  // namespace velmora::image
