#include "image/clone_list/image_stamp.h"

#include "image/clone_list/property_table.h"

namespace velmora::image {
namespace {

using T = CImageStamp;

const PropertyTable<T>& Table() {
  static const PropertyTable<T> table = {
      {"STAMP_IMAGE_DESCRIPTION", TextField<T>{&T::Description, &T::SetDescription}},
      {"STAMP_IMAGE", TextField<T>{&T::Name, &T::SetName}},
      {"STAMP_IMAGE_POSITION", IntField<T>{&T::Position, &T::SetPosition}},
      {"STAMP_IMAGE_OFFSETX", IntField<T>{&T::OffsetX, &T::SetOffsetX}},
      {"STAMP_IMAGE_OFFSETY", IntField<T>{&T::OffsetY, &T::SetOffsetY}},
      {"STAMP_IMAGE_OPACITY", IntField<T>{&T::Deckkraft, &T::SetDeckkraft}},
      {"STAMP_IMAGE_USE_TRANSPARENTCOLOR", IntField<T>{&T::TransparenteFarbeNutzen, &T::SetTransparenteFarbeNutzen}},
      {"STAMP_IMAGE_TRANSPARENTCOLOR", IntField<T>{&T::TransparenteFarbe, &T::SetTransparenteFarbe}},
      {"STAMP_IMAGE_COLORTOLERANCE", IntField<T>{&T::TransparenzFarbtoleranz, &T::SetTransparenzFarbtoleranz}},
      {"STAMP_IMAGE_STRETCH", IntField<T>{&T::Strecken, &T::SetStrecken}},
  };
  return table;
}

}  // namespace

CImageStamp::CImageStamp() : CloneItem("Image") {}

PropertyResult CImageStamp::SetProfileProperty(std::string_view key, std::string_view value) {
  return SetTableProperty(Table(), *this, key, value);
}

std::vector<std::pair<std::string, std::string>> CImageStamp::ProfileProperties() const {
  return TableProperties(Table(), *this);
}

}  // namespace velmora::image
