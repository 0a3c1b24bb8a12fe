// CImageStamp: a small picture (logo, watermark) laid onto every clone. Only the
// picture's file name is held here; the pixels are loaded by the image layer.
#pragma once

#include <cstdint>
#include <string>

#include "image/clone_list/tabled_clone_item.h"

namespace velmora::image {

class CImageStamp final : public TabledCloneItem<CImageStamp, CloneItemKind::kImageStamp> {
 public:
  CImageStamp();

  // Profile key, type and save order of every field.
  static const PropertyTable<CImageStamp>& ProfileKeyTable();

  const std::string& Name() const { return name_; }  // path of the stamp picture
  void SetName(std::string v) { Change(name_, std::move(v)); }
  std::int32_t Position() const { return position_; }  // 1-9, as for text stamps
  void SetPosition(std::int32_t v) { Change(position_, v); }
  std::int32_t OffsetX() const { return offset_x_; }
  void SetOffsetX(std::int32_t v) { Change(offset_x_, v); }
  std::int32_t OffsetY() const { return offset_y_; }
  void SetOffsetY(std::int32_t v) { Change(offset_y_, v); }
  std::int32_t Opacity() const { return opacity_; }  // opacity in percent
  void SetOpacity(std::int32_t v) { Change(opacity_, v); }
  std::int32_t UseTransparentColor() const { return use_transparent_color_; }
  void SetUseTransparentColor(std::int32_t v) { Change(use_transparent_color_, v); }
  std::int32_t TransparentColor() const { return transparent_color_; }
  void SetTransparentColor(std::int32_t v) { Change(transparent_color_, v); }
  std::int32_t TransparenzFarbtoleranz() const { return transparenz_farbtoleranz_; }
  void SetTransparenzFarbtoleranz(std::int32_t v) { Change(transparenz_farbtoleranz_, v); }
  std::int32_t Strecken() const { return strecken_; }  // 1 = stretched over the whole clone
  void SetStrecken(std::int32_t v) { Change(strecken_, v); }

 private:
  std::string name_;
  std::int32_t position_ = 1;
  std::int32_t offset_x_ = 10;
  std::int32_t offset_y_ = 10;
  std::int32_t opacity_ = 50;
  std::int32_t use_transparent_color_ = 0;
  std::int32_t transparent_color_ = 16777215;  // white
  std::int32_t transparenz_farbtoleranz_ = 0;
  std::int32_t strecken_ = 0;
};

}  // namespace velmora::image
