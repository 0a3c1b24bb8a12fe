// The run's stamp and frame pictures.
#include "app/run/clone_pictures.h"

#include "image/clone_list/border.h"
#include "image/clone_list/image_stamp.h"

namespace velmora::app {

namespace {
constexpr std::int32_t kPictureFrame = 2;
}  // namespace

std::shared_ptr<const image::StampPicture> ClonePictures::Get(const std::string& file,
                                                              const image::PictureLoadFailure& unnamed) {
  if (file.empty()) return std::make_shared<const image::StampPicture>(image::LoadStampPicture(file, unnamed));
  auto& kept = pictures_[file];
  if (kept == nullptr) kept = std::make_shared<const image::StampPicture>(image::LoadStampPicture(file, unnamed));
  return kept;
}

std::shared_ptr<const image::StampPicture> PictureOf(const image::CloneItem& item, ClonePictures& pictures) {
  if (item.Kind() == image::CloneItemKind::kImageStamp) {
    return pictures.Get(static_cast<const image::CImageStamp&>(item).Name(), image::UnnamedImageStampFailure());
  }
  if (item.Kind() == image::CloneItemKind::kBorder) {
    const auto& border = static_cast<const image::CBorder&>(item);
    if (border.BorderType() == kPictureFrame) return pictures.Get(border.ImageName(), image::UnnamedFramePictureFailure());
  }
  return nullptr;
}

}  // namespace velmora::app
