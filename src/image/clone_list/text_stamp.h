// CTextStamp: a script-generated text written onto every clone.
#pragma once

#include <cstdint>
#include <string>

#include "image/clone_list/tabled_clone_item.h"

namespace velmora::image {

class CTextStamp final : public TabledCloneItem<CTextStamp, CloneItemKind::kTextStamp> {
 public:
  CTextStamp();

  // Profile key, type and save order of every field.
  static const PropertyTable<CTextStamp>& ProfileKeyTable();
  bool AppendContinuation(std::string_view text) override;

  // Script template whose output is the text drawn; lines are separated by CR LF.
  const std::string& Text() const { return text_; }
  void SetText(std::string v) { Change(text_, std::move(v)); }
  const std::string& Font() const { return font_; }
  void SetFont(std::string v) { Change(font_, std::move(v)); }
  std::int32_t Height() const { return height_; }  // pixels, 1-999
  void SetHeight(std::int32_t v) { Change(height_, v); }
  std::int32_t Position() const { return position_; }  // 1-9, cell of the 3 x 3 grid
  void SetPosition(std::int32_t v) { Change(position_, v); }
  std::int32_t OffsetX() const { return offset_x_; }
  void SetOffsetX(std::int32_t v) { Change(offset_x_, v); }
  std::int32_t OffsetY() const { return offset_y_; }
  void SetOffsetY(std::int32_t v) { Change(offset_y_, v); }
  std::int32_t Direction() const { return direction_; }  // 0 none, 1-3 turns of the block
  void SetDirection(std::int32_t v) { Change(direction_, v); }
  std::int32_t Alignment() const { return alignment_; }  // 0 automatic, 1 left, 2 centre, 3 right
  void SetAlignment(std::int32_t v) { Change(alignment_, v); }
  std::int32_t Color() const { return color_; }  // colour value blue * 65536 + green * 256 + red
  void SetColor(std::int32_t v) { Change(color_, v); }
  std::int32_t ColorReadable() const { return color_readable_; }
  void SetColorReadable(std::int32_t v) { Change(color_readable_, v); }
  std::int32_t Opacity() const { return opacity_; }  // percent
  void SetOpacity(std::int32_t v) { Change(opacity_, v); }
  std::int32_t Weight() const { return weight_; }
  void SetWeight(std::int32_t v) { Change(weight_, v); }
  bool Italic() const { return italic_; }
  void SetItalic(bool v) { Change(italic_, v); }
  bool Underline() const { return underline_; }
  void SetUnderline(bool v) { Change(underline_, v); }
  bool Strikeout() const { return strikeout_; }
  void SetStrikeout(bool v) { Change(strikeout_, v); }
  std::int32_t Background() const { return background_; }  // 1 = box behind the text
  void SetBackground(std::int32_t v) { Change(background_, v); }
  std::int32_t BackgroundColor() const { return background_color_; }
  void SetBackgroundColor(std::int32_t v) { Change(background_color_, v); }
  std::int32_t BackgroundOpacity() const { return background_opacity_; }
  void SetBackgroundOpacity(std::int32_t v) { Change(background_opacity_, v); }
  std::int32_t Border() const { return border_; }  // 1 = frame around the box
  void SetBorder(std::int32_t v) { Change(border_, v); }
  std::int32_t BorderColor() const { return border_color_; }
  void SetBorderColor(std::int32_t v) { Change(border_color_, v); }
  std::int32_t BorderWidth() const { return border_width_; }  // pixels, 1-9999
  void SetBorderWidth(std::int32_t v) { Change(border_width_, v); }

 private:
  std::string text_ = "Text";
  std::string font_ = "Arial";
  std::int32_t height_ = 15;
  std::int32_t position_ = 1;
  std::int32_t offset_x_ = 10;
  std::int32_t offset_y_ = 10;
  std::int32_t direction_ = 0;
  std::int32_t alignment_ = 0;
  std::int32_t color_ = 16777215;  // white
  std::int32_t color_readable_ = 0;
  std::int32_t opacity_ = 100;
  std::int32_t weight_ = 400;
  bool italic_ = false;
  bool underline_ = false;
  bool strikeout_ = false;
  std::int32_t background_ = 0;
  std::int32_t background_color_ = 255;  // red
  std::int32_t background_opacity_ = 50;
  std::int32_t border_ = 0;
  std::int32_t border_color_ = 65280;  // green
  std::int32_t border_width_ = 1;
};

}  // namespace velmora::image
