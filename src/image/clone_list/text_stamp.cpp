#include "image/clone_list/text_stamp.h"

namespace velmora::image {
namespace {
using T = CTextStamp;
}  // namespace

const PropertyTable<T>& T::ProfileKeyTable() {
  static const PropertyTable<T> table = {
      {"STAMP_TEXT_DESCRIPTION", TextField<T>{&T::Description, &T::SetDescription}},
      {"STAMP_TEXT", TextField<T>{&T::Text, &T::SetText}},
      {"STAMP_TEXT_FONT", TextField<T>{&T::Font, &T::SetFont}},
      {"STAMP_TEXT_COLOR", IntField<T>{&T::Color, &T::SetColor}},
      {"STAMP_TEXT_COLORREADABLE", IntField<T>{&T::ColorReadable, &T::SetColorReadable}},
      {"STAMP_TEXT_HEIGHT", IntField<T>{&T::Height, &T::SetHeight}},
      {"STAMP_TEXT_POSITION", IntField<T>{&T::Position, &T::SetPosition}},
      {"STAMP_TEXT_OFFSETX", IntField<T>{&T::OffsetX, &T::SetOffsetX}},
      {"STAMP_TEXT_OFFSETY", IntField<T>{&T::OffsetY, &T::SetOffsetY}},
      {"STAMP_TEXT_DIRECTION", IntField<T>{&T::Direction, &T::SetDirection}},
      {"STAMP_TEXT_ALIGNMENT", IntField<T>{&T::Alignment, &T::SetAlignment}},
      {"STAMP_TEXT_WEIGHT", IntField<T>{&T::Weight, &T::SetWeight}},
      {"STAMP_TEXT_ITALIC", FlagField<T>{&T::Italic, &T::SetItalic}},
      {"STAMP_TEXT_UNDERLINE", FlagField<T>{&T::Underline, &T::SetUnderline}},
      {"STAMP_TEXT_STRIKEOUT", FlagField<T>{&T::Strikeout, &T::SetStrikeout}},
      {"STAMP_TEXT_OPACITY", IntField<T>{&T::Opacity, &T::SetOpacity}},
      {"STAMP_TEXT_BACKGROUND", IntField<T>{&T::Background, &T::SetBackground}},
      {"STAMP_TEXT_BACKGROUND_COLOR", IntField<T>{&T::BackgroundColor, &T::SetBackgroundColor}},
      {"STAMP_TEXT_BACKGROUND_OPACITY", IntField<T>{&T::BackgroundOpacity, &T::SetBackgroundOpacity}},
      {"STAMP_TEXT_BORDER", IntField<T>{&T::Border, &T::SetBorder}},
      {"STAMP_TEXT_BORDER_COLOR", IntField<T>{&T::BorderColor, &T::SetBorderColor}},
      {"STAMP_TEXT_BORDER_WIDTH", IntField<T>{&T::BorderWidth, &T::SetBorderWidth}},
  };
  return table;
}

CTextStamp::CTextStamp() : TabledCloneItem("Textstamp") {}

bool CTextStamp::AppendContinuation(std::string_view text) {
  std::string longer = text_;
  longer += "\r\n";
  longer += text;
  SetText(std::move(longer));
  return true;
}

}  // namespace velmora::image
