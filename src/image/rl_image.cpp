// The clone and thumbnail pipeline. Each source is decoded once, at the
// smallest scale its decoder offers that still covers the target, and a
// thumbnail made from a fresh clone comes from the clone's pixels in memory.
#include "image/rl_image.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "platform/text_encoding.h"
#include "image/codecs/codec_registry.h"
#include "image/image_error.h"
#include "image/image_io.h"
#include "image/resize/resample_filter.h"
#include "image/resize/resize_image.h"
#include "image/scale_factor.h"

namespace velmora::image {
namespace {

// Directory, separator, base name, ".", extension; the pieces are
// Windows-1252 and become a UTF-8 file name here.
std::string JoinPath(const std::string& directory, const ImageFileFacts& file) {
  std::string name = file.Name;
  if (!file.Extension.empty()) name += "." + file.Extension;
  if (directory.empty()) return name;
  return directory.back() == '/' ? directory + name : directory + "/" + name;
}

std::filesystem::path NativePath(const std::string& cp1252_path) {
  return std::filesystem::path(Cp1252ToUtf8(cp1252_path));
}

// Reads date, size and dimensions of an existing output; false when it is
// missing or cannot be read, which makes it count as missing.
bool ReadExistingOutput(const std::string& path, ImageFileFacts& facts, int pcd_format) {
  const std::filesystem::path native = NativePath(path);
  const std::optional<FileFacts> file = ReadFileFacts(native);
  if (!file) return false;
  try {
    ImageReadOptions options;
    options.pcd_format = pcd_format;
    const ImageSize size = GetImageDims(native, facts.Type, options);
    facts.Size = file->size;
    facts.DateTime = file->modified;
    facts.Width = size.width;
    facts.Height = size.height;
    return true;
  } catch (const ImageError&) {
    return false;
  }
}

RgbBuffer FrameFill(const RgbBuffer& thumb, int frame_width, int frame_height, Rgb colour) {
  RgbBuffer canvas = RgbBuffer::Uninitialized(frame_width, frame_height);
  for (int y = 0; y < frame_height; ++y) {
    std::uint8_t* p = canvas.row(y);
    for (int x = 0; x < frame_width; ++x, p += 3) {
      p[0] = colour.r;
      p[1] = colour.g;
      p[2] = colour.b;
    }
  }
  const int left = (frame_width - thumb.width()) / 2;
  const int top = (frame_height - thumb.height()) / 2;
  for (int y = std::max(0, -top); y < thumb.height() && top + y < frame_height; ++y) {
    const int x0 = std::max(0, -left);
    const int x1 = std::min(thumb.width(), frame_width - left);
    if (x1 > x0) std::memcpy(canvas.pixel(left + x0, top + y), thumb.pixel(x0, y), static_cast<std::size_t>(x1 - x0) * 3);
  }
  return canvas;
}

}  // namespace

void RLImage::reset() {
  CloneRGB = RgbBuffer();
  CloneDimX = CloneDimY = 0;
  InputMetadata.clear();
  OutputMetadata.clear();
}

RgbBuffer RLImage::ReadTracked(const std::string& path, int type, int min_width, int min_height,
                               ImageMetadata* metadata) {
  current_file_ = path;
  ImageReadOptions options;
  options.pcd_format = PcdFormat;
  options.max_pixels = MaxPixels;
  options.min_width = min_width;
  options.min_height = min_height;
  options.metadata = metadata;
  return ReadImage(NativePath(path), type, options);
}

// A written output's size and date go into the record; with
// DatumZeitErhalten the file gets the original's date first.
void RLImage::RecordOutput(const std::string& path, ImageFileFacts& facts) const {
  const std::filesystem::path native = NativePath(path);
  if (DatumZeitErhalten) SetFileModificationTime(native, ImageFile.Original.DateTime);
  if (const auto file = ReadFileFacts(native)) {
    facts.Size = file->size;
    facts.DateTime = file->modified;
  }
}

void RLImage::DoIt() {
  CloneErstellt = false;
  ThumbErstellt = false;
  CloneRGB = RgbBuffer();
  const std::string original = JoinPath(OriginalPfad, ImageFile.Original);
  current_file_ = original;
  try {
    ImageFileFacts& facts = ImageFile.Original;
    if (facts.DateTime == FileTime{}) {
      if (const auto file = ReadFileFacts(NativePath(original))) {
        facts.Size = file->size;
        facts.DateTime = file->modified;
      }
    }
    if (facts.Width <= 0 || facts.Height <= 0) {
      const ImageSize size =
          GetImageDims(NativePath(original), facts.Type, {.pcd_format = PcdFormat, .max_pixels = MaxPixels});
      facts.Width = size.width;
      facts.Height = size.height;
    }
    if (ClonenDurchfuehren) MakeClone();
    if (ThumbDurchfuehren) MakeThumb();
  } catch (const ImageError&) {
    ErrImage = current_file_;
    throw;
  }
}

void RLImage::MakeClone() {
  const ImageFileFacts& original = ImageFile.Original;
  ImageFileFacts& clone = ImageFile.Clone;
  const std::string original_path = JoinPath(OriginalPfad, original);
  const std::string clone_path = JoinPath(ClonePfad, clone);
  const bool exists = ReadExistingOutput(clone_path, clone, PcdFormat);
  const ImageSize target =
      ScaledSize(original.Width, original.Height, CloneAusdehnung, CloneBreite, CloneHoehe, CloneSeitenwahl);
  const bool has_script = Hooks != nullptr && Hooks->HasCloneFunction();
  const bool must_make = !exists || clone.DateTime < original.DateTime || clone.Width != target.width ||
                         clone.Height != target.height ||
                         (!CloneNurWennNeuerErstellen && (has_script || CloneStempeln));
  if (!must_make) {
    CloneDimX = clone.Width;
    CloneDimY = clone.Height;
    return;
  }

  current_file_ = clone_path;
  // A Windows metafile's clone is an enhanced one: its extension tells
  // whether the source's bytes are the clone.
  const bool byte_copy = clone.Type == original.Type && clone.Extension == original.Extension &&
                         CloneSeitenwahl == kSideKeepSize && !CloneStempeln && !has_script;
  if (byte_copy) {
    try {
      const MappedFile bytes(NativePath(original_path), "DoIt");
      WriteFileAtomically(NativePath(clone_path), bytes.bytes(), "DoIt");
    } catch (const ImageError& e) {
      throw ImageError(e.number(), "DoIt", "FileCopy", e.detail());
    }
    clone.Width = CloneDimX = original.Width;
    clone.Height = CloneDimY = original.Height;
    clone.Quality = 100;
  } else {
    {
      RgbBuffer source = ReadTracked(original_path, original.Type, target.width, target.height, &InputMetadata);
      current_file_ = clone_path;
      // A decode at exactly the target size needs no resampling and no copy.
      CloneRGB = source.width() == target.width && source.height() == target.height
                     ? std::move(source)
                     : ResizeImage(source, target.width, target.height, CloneFilter);
    }
    CloneDimX = CloneRGB.width();
    CloneDimY = CloneRGB.height();
    if (MetadataKopieren) {
      OutputMetadata = InputMetadata;
    } else {
      OutputMetadata.clear();
    }
    if (has_script) Hooks->RunCloneFunction(*this);
    if (CloneStempeln && Hooks != nullptr) Hooks->ApplyCloneList(*this);
    CloneDimX = CloneRGB.width();
    CloneDimY = CloneRGB.height();
    current_file_ = clone_path;

    ImageWriteOptions options;
    options.quality = CloneQualitaet;
    options.max_bytes = CloneMaxSize;
    options.progressive = CloneJPGProgressiveSpeicherung;
    options.tiff_compression = CloneTIFKomprimierung;
    options.metadata = &OutputMetadata;
    clone.Quality = WriteImage(NativePath(clone_path), clone.Type, CloneRGB, options);
    clone.Width = CloneDimX;
    clone.Height = CloneDimY;
  }
  RecordOutput(clone_path, clone);
  OutputMetadata.clear();
  CloneErstellt = true;
}

void RLImage::MakeThumb() {
  const ImageFileFacts& original = ImageFile.Original;
  ImageFileFacts& thumb = ImageFile.Thumb;
  const bool from_clone = ThumbVomClone;
  const ImageFileFacts& source = from_clone ? ImageFile.Clone : original;
  const std::string source_path = from_clone ? JoinPath(ClonePfad, source) : JoinPath(OriginalPfad, source);
  // A clone made in an earlier run (no clone work this time) is sized from its file.
  if (from_clone && CloneDimX <= 0 && !ReadExistingOutput(source_path, ImageFile.Clone, PcdFormat)) {
    current_file_ = source_path;
    throw ImageError(kImageErrorBase + 1, "GetImageDims", "IS_OpenFileSource", "the clone is missing");
  }
  const int source_width = from_clone && CloneDimX > 0 ? CloneDimX : source.Width;
  const int source_height = from_clone && CloneDimY > 0 ? CloneDimY : source.Height;
  const std::string thumb_path = JoinPath(ThumbPfad, thumb);

  ImageSize target =
      ScaledSize(source_width, source_height, ThumbAusdehnung, ThumbBreite, ThumbHoehe, ThumbSeitenwahl);
  if (!ThumbVergroessernErlauben && (target.width > source_width || target.height > source_height)) {
    target = {source_width, source_height};
  }
  const bool framed = ThumbSeitenwahl == kSideFitInside && ThumbRahmenFuellen;
  const ImageSize expected = framed ? ImageSize{ThumbBreite, ThumbHoehe} : target;
  const bool exists = ReadExistingOutput(thumb_path, thumb, PcdFormat);
  const bool must_make = !exists || thumb.DateTime < original.DateTime || thumb.Width != expected.width ||
                         thumb.Height != expected.height || (from_clone && CloneErstellt);
  if (!must_make) return;

  RgbBuffer pixels;
  if (from_clone && !CloneRGB.empty()) {
    current_file_ = thumb_path;
    pixels = ResizeImage(CloneRGB, target.width, target.height, kDefaultFilterCode);
  } else {
    const RgbBuffer read = ReadTracked(source_path, source.Type, target.width, target.height, nullptr);
    current_file_ = thumb_path;
    pixels = ResizeImage(read, target.width, target.height, kDefaultFilterCode);
  }
  if (framed && (pixels.width() != ThumbBreite || pixels.height() != ThumbHoehe) && ThumbBreite > 0 &&
      ThumbHoehe > 0) {
    const Rgb colour = ThumbRahmenfarbePassend ? AverageColour(pixels) : RgbFromColourValue(ThumbRahmenfarbe);
    pixels = FrameFill(pixels, ThumbBreite, ThumbHoehe, colour);
  }
  if (usePicturebox && PictureBox) PictureBox(pixels);

  ImageWriteOptions options;
  options.quality = ThumbQualitaet;
  options.tiff_compression = 1;
  thumb.Quality = WriteImage(NativePath(thumb_path), thumb.Type, pixels, options);
  thumb.Width = pixels.width();
  thumb.Height = pixels.height();
  RecordOutput(thumb_path, thumb);
  ThumbErstellt = true;
}

}  // namespace velmora::image
