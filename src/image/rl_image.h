// One source image on its way through a run: the settings for its clone and
// thumbnail (set by the run from the profile), its pixel buffers, the
// metadata of the last read, and DoIt, which makes the clone and thumbnail.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "image/clone_hooks.h"
#include "image/codecs/image_metadata.h"
#include "image/rgb_buffer.h"
#include "image/rl_image_file.h"

namespace velmora::image {

class RLImage {
 public:
  // Links
  RLImageFile ImageFile;
  std::function<void(const RgbBuffer&)> PictureBox;  // preview surface, optional
  bool usePicturebox = false;
  std::string OriginalPfad;
  CloneHooks* Hooks = nullptr;  // `_clone` and the clone list; none: neither exists

  // Clone settings
  bool ClonenDurchfuehren = false;
  std::string ClonePfad;
  int CloneAusdehnung = 0, CloneBreite = 0, CloneHoehe = 0, CloneSeitenwahl = 0;
  int CloneQualitaet = 0;
  std::int64_t CloneMaxSize = 0;  // bytes, 0 = no limit
  int CloneTIFKomprimierung = 0;
  bool CloneJPGProgressiveSpeicherung = false;
  int CloneFilter = 0;
  bool CloneNurWennNeuerErstellen = false;
  bool CloneStempeln = false;

  // Thumbnail settings
  bool ThumbDurchfuehren = false;
  std::string ThumbPfad;
  bool ThumbVomClone = false;
  int ThumbAusdehnung = 0, ThumbBreite = 0, ThumbHoehe = 0, ThumbSeitenwahl = 0;
  int ThumbQualitaet = 0;
  bool ThumbVergroessernErlauben = false;
  bool ThumbRahmenFuellen = false;
  bool ThumbRahmenfarbePassend = false;
  std::int32_t ThumbRahmenfarbe = 0;

  // Shared
  bool MetadataKopieren = false;
  bool DatumZeitErhalten = false;
  int PcdFormat = 2;                       // the "PCD_FORMAT" setting
  std::int64_t MaxPixels = 200'000'000;    // larger images are refused

  // Results
  RgbBuffer CloneRGB;
  int CloneDimX = 0, CloneDimY = 0;
  bool CloneRotated = false, OriginalRotated = false;
  bool CloneErstellt = false, ThumbErstellt = false;
  std::string ErrImage;  // file of the last failure (Windows-1252)

  // JPEG markers or PNG text of the last original read, and what the next
  // clone write carries.
  ImageMetadata InputMetadata;
  ImageMetadata OutputMetadata;

  // Makes the clone and the thumbnail as the settings say; raises ImageError
  // after storing the file concerned in ErrImage.
  void DoIt();
  // Frees the pixel buffers and the metadata.
  void reset();

 private:
  void MakeClone();
  void MakeThumb();
  RgbBuffer ReadTracked(const std::string& path, int type, int min_width, int min_height, ImageMetadata* metadata);
  void RecordOutput(const std::string& path, ImageFileFacts& facts) const;
  std::string current_file_;
};

}  // namespace velmora::image
