#include "image/source_orientation.h"

#include "image/codecs/camera_orientation.h"
#include "image/codecs/codec_registry.h"
#include "image/orientation.h"
#include "metadata/metadata_reader.h"

namespace velmora::image {
namespace {

// The types whose EXIF orientation the metadata reader finds: JPEG (APP1),
// TIFF (the file's own first directory), PNG (eXIf) and WebP (its EXIF
// chunk). HEIF and AVIF are not among them: their decoder already turns the
// picture by the file's own rotation and mirroring, which a phone writes in
// agreement with the EXIF tag, so honouring both would turn twice.
bool CarriesExifOrientation(int type) {
  return type == kImageTypeJpg || type == kImageTypeTif || type == kImageTypePng || type == kImageTypeWebp;
}

int Checked(int orientation) { return orientation >= 1 && orientation <= 8 ? orientation : kOrientationUpright; }

}  // namespace

int SourceOrientation(std::span<const std::uint8_t> file, int type, bool auto_orient) {
  if (type == kImageTypeUnknown) type = GuessImageType(file);
  try {
    if (type == kImageTypeRaw) return Checked(CameraRawOrientation(file));
    if (auto_orient && CarriesExifOrientation(type)) return Checked(metadata::ReadPhotoMetadata(file).Orientation());
  } catch (...) {
    // The metadata reader promises not to throw; a photo is never lost if it does.
  }
  return kOrientationUpright;
}

int SourceOrientation(const std::filesystem::path& file, int type, bool auto_orient) {
  try {
    if (type == kImageTypeUnknown || type == kImageTypeRaw) {
      const MappedFile bytes(file, "GetImageDims");
      return SourceOrientation(bytes.bytes(), type, auto_orient);
    }
    // The metadata reader reads no more of the file than the metadata needs.
    if (auto_orient && CarriesExifOrientation(type)) return Checked(metadata::ReadPhotoMetadata(file).Orientation());
  } catch (...) {
    // An unreadable file is reported by the read that follows.
  }
  return kOrientationUpright;
}

ImageSize UprightImageDims(const std::filesystem::path& file, int type, bool auto_orient,
                           const ImageReadOptions& options) {
  const MappedFile bytes(file, "GetImageDims");
  const ImageSize stored = GetImageDims(bytes.bytes(), type, options);
  return UprightSize(stored, SourceOrientation(bytes.bytes(), type, auto_orient));
}

}  // namespace velmora::image
