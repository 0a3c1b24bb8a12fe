#include "image/clone_list/border.h"

namespace velmora::image {
namespace {
using T = CBorder;
}  // namespace

const PropertyTable<T>& T::ProfileKeyTable() {
  static const PropertyTable<T> table = {
      {"BORDER_DESCRIPTION", TextField<T>{&T::Description, &T::SetDescription}},
      {"BORDER_TYPE", IntField<T>{&T::RahmenArt, &T::SetRahmenArt}},
      {"BORDER_INSIDETYPE", IntField<T>{&T::InnenrahmenArt, &T::SetInnenrahmenArt}},
      {"BORDER_POSITION", IntField<T>{&T::Position, &T::SetPosition}},
      {"BORDER_OFFSET_TOP", IntField<T>{&T::OffsetOben, &T::SetOffsetOben}},
      {"BORDER_OFFSET_RIGHT", IntField<T>{&T::OffsetRechts, &T::SetOffsetRechts}},
      {"BORDER_OFFSET_BOTTOM", IntField<T>{&T::OffsetUnten, &T::SetOffsetUnten}},
      {"BORDER_OFFSET_LEFT", IntField<T>{&T::OffsetLinks, &T::SetOffsetLinks}},
      {"BORDER_COLOR", IntField<T>{&T::Farbe, &T::SetFarbe}},
      {"BORDER_WIDTH", IntField<T>{&T::Breite, &T::SetBreite}},
      {"BORDER_OPACITY", IntField<T>{&T::Deckkraft, &T::SetDeckkraft}},
      {"BORDER_COLOR_FROM_IMAGE", FlagField<T>{&T::FarbePassend, &T::SetFarbePassend}},
      {"BORDER_IMAGE_NAME", TextField<T>{&T::Bildname, &T::SetBildname}},
      {"BORDER_IMAGE_ARRANGEMENT", IntField<T>{&T::Bildverteilung, &T::SetBildverteilung}},
  };
  return table;
}

CBorder::CBorder() : TabledCloneItem("Border") {}

}  // namespace velmora::image
