// Reading the pictures of stamps and frames.
#include "image/stamps/stamp_picture.h"

#include <exception>
#include <new>

#include "platform/native_path.h"
#include "image/image_error.h"
#include "image/image_io.h"

namespace velmora::image {

PictureLoadFailure UnnamedImageStampFailure() { return {kImageErrorBase, "CImageStamp:Name", "Missing Imagestamp-Name"}; }

PictureLoadFailure UnnamedFramePictureFailure() { return {kImageErrorBase, "CBorder:Bildname", "Missing Borderimage-Name"}; }

StampPicture LoadStampPicture(const std::string& file, const PictureLoadFailure& unnamed) {
  StampPicture picture;
  picture.file = file;
  if (file.empty()) {
    picture.failure = unnamed;
    return picture;
  }
  try {
    picture.image = ReadImageWithAlpha(ToNativePath(Cp1252Text(file)), 0);
    picture.loaded = true;
  } catch (const ImageError& e) {
    picture.failure = {e.number(), e.source(), e.description()};
  } catch (const std::bad_alloc&) {
    picture.failure = {kImageErrorBase + 1, "ReadImage", "GlobalAlloc"};
  } catch (const std::exception&) {
    picture.failure = {kImageErrorBase + 1, "ReadImage", "IS_ReadXXX"};
  }
  return picture;
}

}  // namespace velmora::image
