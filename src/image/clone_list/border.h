// CBorder: a band over or around the clone, or a frame cut from a picture. Only
// the frame picture's file name is held here; the pixels are loaded by the image layer.
#pragma once

#include <cstdint>
#include <string>

#include "image/clone_list/tabled_clone_item.h"

namespace velmora::image {

class CBorder final : public TabledCloneItem<CBorder, CloneItemKind::kBorder> {
 public:
  // Bits of Position.
  static constexpr std::int32_t kTop = 1, kRight = 2, kBottom = 4, kLeft = 8;

  CBorder();

  // Profile key, type and save order of every field.
  static const PropertyTable<CBorder>& ProfileKeyTable();

  // 0 band over the picture, 1 band added around it, 2 frame from a picture file.
  std::int32_t BorderType() const { return border_type_; }
  void SetBorderType(std::int32_t v) { Change(border_type_, v); }
  std::int32_t InsideType() const { return inside_type_; }  // kind 0: 0 bands, 1 oval
  void SetInsideType(std::int32_t v) { Change(inside_type_, v); }
  std::int32_t Position() const { return position_; }  // bit set of the sides
  void SetPosition(std::int32_t v) { Change(position_, v); }
  std::int32_t Color() const { return color_; }
  void SetColor(std::int32_t v) { Change(color_, v); }
  std::int32_t Width() const { return width_; }  // pixels, 1-9999
  void SetWidth(std::int32_t v) { Change(width_, v); }
  std::int32_t OffsetLeft() const { return offset_left_; }
  void SetOffsetLeft(std::int32_t v) { Change(offset_left_, v); }
  std::int32_t OffsetRight() const { return offset_right_; }
  void SetOffsetRight(std::int32_t v) { Change(offset_right_, v); }
  std::int32_t OffsetTop() const { return offset_top_; }
  void SetOffsetTop(std::int32_t v) { Change(offset_top_, v); }
  std::int32_t OffsetBottom() const { return offset_bottom_; }
  void SetOffsetBottom(std::int32_t v) { Change(offset_bottom_, v); }
  std::int32_t Opacity() const { return opacity_; }  // percent, inside bands only
  void SetOpacity(std::int32_t v) { Change(opacity_, v); }
  bool ColorFromImage() const { return color_from_image_; }  // kind 1: the picture's average colour
  void SetColorFromImage(bool v) { Change(color_from_image_, v); }
  const std::string& ImageName() const { return image_name_; }
  void SetImageName(std::string v) { Change(image_name_, std::move(v)); }
  std::int32_t ImageArrangement() const { return image_arrangement_; }  // 0 tile, else stretch
  void SetImageArrangement(std::int32_t v) { Change(image_arrangement_, v); }

 private:
  std::int32_t border_type_ = 0;
  std::int32_t inside_type_ = 0;
  std::int32_t position_ = kTop | kRight | kBottom | kLeft;
  std::int32_t color_ = 16777215;  // white
  std::int32_t width_ = 10;
  std::int32_t offset_left_ = 0;
  std::int32_t offset_right_ = 0;
  std::int32_t offset_top_ = 0;
  std::int32_t offset_bottom_ = 0;
  std::int32_t opacity_ = 50;
  bool color_from_image_ = false;
  std::string image_name_;
  std::int32_t image_arrangement_ = 0;
};

}  // namespace velmora::image
