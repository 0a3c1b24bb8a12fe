// The clone and thumbnail pipeline. Each source is decoded once, at the
// smallest scale its decoder offers that still covers the target, and a
// thumbnail made from a fresh clone comes from the clone's pixels in memory.
// A photo stored sideways is turned upright after it is shrunk, where the
// turn costs least; a full-size JPEG clone is turned without decoding.
#include "image/rl_image.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "platform/path_join.h"
#include "platform/native_path.h"
#include "image/clone_exif.h"
#include "image/codecs/codec_registry.h"
#include "image/dense_thumbnail.h"
#include "image/image_error.h"
#include "image/image_io.h"
#include "image/lossless_jpeg_turn.h"
#include "image/orientation.h"
#include "image/remake_check.h"
#include "image/resize/resample_filter.h"
#include "image/resize/resize_image.h"
#include "image/scale_factor.h"
#include "image/source_orientation.h"

namespace velmora::image {
namespace {

// Directory, separator, base name, ".", extension; the pieces are
// Windows-1252 and become a UTF-8 file name here.
std::string JoinPath(const std::string& directory, const ImageFileFacts& file) {
  return Join(directory, file.Extension.empty() ? file.Name : file.Name + "." + file.Extension);
}

std::filesystem::path NativePath(const std::string& cp1252_path) { return ToNativePath(Cp1252Text(cp1252_path)); }

// Reads date, size and dimensions of an existing output; false when it is
// missing or cannot be read, which makes it count as missing. An output is
// sized as written (a copy of a camera RAW file as the camera turns it), not
// as this run's AUTO_ORIENT would turn it: a sideways clone from a run
// without the setting then fails the size check and is made anew.
bool ReadExistingOutput(const std::string& path, ImageFileFacts& facts, int pcd_format) {
  const std::filesystem::path native = NativePath(path);
  const std::optional<FileFacts> file = ReadFileFacts(native);
  if (!file) return false;
  try {
    ImageReadOptions options;
    options.pcd_format = pcd_format;
    const ImageSize size = UprightImageDims(native, facts.Type, false, options);
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

// One image's pass: the pixels and the metadata between reading and
// writing, and the file it is at, which a failure names.
class ImagePass {
 public:
  ImagePass(const PipelineOptions& options, const ImageFolders& folders, const WriteGate& may_write,
            ImageOutcome& outcome)
      : options_(options), folders_(folders), may_write_(may_write), out_(outcome) {}

  // Thrown when the write gate says no.
  struct Dropped {};

  void Run() {
    const std::string original = JoinPath(folders_.original, out_.file.Original);
    current_file_ = original;
    ImageFileFacts& facts = out_.file.Original;
    if (facts.DateTime == FileTime{}) {
      if (const auto file = ReadFileFacts(NativePath(original))) {
        facts.Size = file->size;
        facts.DateTime = file->modified;
      }
    }
    // The run may have sized the original already (for its filter or its
    // sorting), upright by the same rule.
    orientation_ = SourceOrientation(NativePath(original), facts.Type, options_.auto_orient);
    if (facts.Width <= 0 || facts.Height <= 0) {
      const ImageSize size = UprightSize(
          GetImageDims(NativePath(original), facts.Type,
                       {.pcd_format = options_.pcd_format, .max_pixels = options_.max_pixels}),
          orientation_);
      facts.Width = size.width;
      facts.Height = size.height;
    }
    if (options_.clone.make) MakeClone();
    if (options_.thumb.make) MakeThumb();
  }

  const std::string& current_file() const { return current_file_; }

 private:
  void MakeClone();
  struct ThumbPlan;
  void MakeThumb();
  ThumbPlan PlanThumb(const std::string& path, const SizeOptions& size, ImageSize source,
                      ImageFileFacts& facts) const;
  void WriteThumb(const ThumbPlan& plan, const RgbBuffer& source, ImageFileFacts& facts);
  RgbBuffer ReadTracked(const std::string& path, int type, ImageSize min_size, ImageMetadata* metadata);
  RgbBuffer ReadUpright(const std::string& path, int type, int orientation, ImageSize target, int filter,
                        ImageMetadata* metadata, const std::string& output_path);
  bool TurnLosslessly(const std::string& original_path, const std::string& clone_path, ImageFileFacts& clone);
  void RecordOutput(const std::string& path, ImageFileFacts& facts) const;
  void AwaitWriteTurn() const {
    if (may_write_ && !may_write_()) throw Dropped{};
  }
  int Write(const std::string& path, int type, const RgbBuffer& pixels, const ImageWriteOptions& options) const;

  const PipelineOptions& options_;
  const ImageFolders& folders_;
  const WriteGate& may_write_;
  ImageOutcome& out_;
  RgbBuffer clone_pixels_;     // a clone made in this pass, for its thumbnail
  ImageSize clone_size_{};     // the clone's size once made or found up to date; 0: unknown
  ImageMetadata output_metadata_;
  std::string current_file_;
  int orientation_ = kOrientationUpright;  // the original's turn to upright
};

RgbBuffer ImagePass::ReadTracked(const std::string& path, int type, ImageSize min_size, ImageMetadata* metadata) {
  current_file_ = path;
  ImageReadOptions options;
  options.pcd_format = options_.pcd_format;
  options.max_pixels = options_.max_pixels;
  options.min_width = min_size.width;
  options.min_height = min_size.height;
  options.metadata = metadata;
  return ReadImage(NativePath(path), type, options);
}

// The one place where pixels are turned upright. The source is decoded at
// the smallest scale that covers the target on its stored sides, resized to
// the target turned back onto those sides, and turned last, when it is
// smallest. A failure after the read names `output_path`.
RgbBuffer ImagePass::ReadUpright(const std::string& path, int type, int orientation, ImageSize target, int filter,
                                 ImageMetadata* metadata, const std::string& output_path) {
  const ImageSize stored = UprightSize(target, orientation);
  RgbBuffer source = ReadTracked(path, type, stored, metadata);
  current_file_ = output_path;
  // A decode at exactly the target size needs no resampling and no copy.
  RgbBuffer sized = source.width() == stored.width && source.height() == stored.height
                        ? std::move(source)
                        : ResizeImage(source, stored.width, stored.height, filter);
  return TurnUpright(std::move(sized), orientation);
}

// A full-size JPEG clone of a sideways JPEG: the compressed blocks are
// rearranged, nothing is decoded. False when that cannot be done; the
// caller decodes instead and its reader reports what is wrong.
bool ImagePass::TurnLosslessly(const std::string& original_path, const std::string& clone_path,
                               ImageFileFacts& clone) {
  std::optional<TurnedJpeg> turned;
  try {
    const MappedFile bytes(NativePath(original_path), "ReadImage");
    turned = TurnJpegLosslessly(bytes.bytes(), orientation_, options_.copy_metadata, options_.max_pixels);
  } catch (const ImageError&) {
    return false;
  }
  if (!turned) return false;
  current_file_ = clone_path;
  AwaitWriteTurn();
  WriteFileAtomically(NativePath(clone_path), turned->file, "WriteImage");
  clone.Width = turned->size.width;
  clone.Height = turned->size.height;
  clone.Quality = 100;
  return true;
}

// Encoded first, written once the gate lets it: what waits for its turn is
// the finished file, not the work.
int ImagePass::Write(const std::string& path, int type, const RgbBuffer& pixels,
                     const ImageWriteOptions& options) const {
  EncodedImage encoded = EncodeImage(type, pixels, options);
  AwaitWriteTurn();
  WriteFileAtomically(NativePath(path), encoded.file, "WriteImage");
  return encoded.quality;
}

// A written output's size and date go into the record; with keep_date the
// file gets the original's date first.
void ImagePass::RecordOutput(const std::string& path, ImageFileFacts& facts) const {
  const std::filesystem::path native = NativePath(path);
  if (options_.keep_date) SetFileModificationTime(native, out_.file.Original.DateTime);
  if (const auto file = ReadFileFacts(native)) {
    facts.Size = file->size;
    facts.DateTime = file->modified;
  }
}

void ImagePass::MakeClone() {
  const CloneOptions& settings = options_.clone;
  const ImageFileFacts& original = out_.file.Original;
  ImageFileFacts& clone = out_.file.Clone;
  const std::string original_path = JoinPath(folders_.original, original);
  const std::string clone_path = JoinPath(folders_.clone, clone);
  const bool exists = ReadExistingOutput(clone_path, clone, options_.pcd_format);
  const ImageSize target = ScaledSize(original.Width, original.Height, settings.size);
  CloneHooks* hooks = options_.hooks;
  const bool has_script = hooks != nullptr && hooks->HasCloneFunction();
  // A Windows metafile's clone is an enhanced one: its extension tells
  // whether the source's bytes can be the clone.
  const bool same_file = clone.Type == original.Type && clone.Extension == original.Extension &&
                         settings.size.side == kSideKeepSize && !settings.apply_clone_list && !has_script;
  // A copy of a camera RAW file keeps the camera's orientation, which every
  // RAW converter follows; any other copy must be turned.
  const bool must_turn = orientation_ != kOrientationUpright && original.Type != kImageTypeRaw;
  const bool byte_copy = same_file && !must_turn;
  // A lossless turn trims partial edge blocks: its clone is up to date at
  // that size.
  std::optional<ImageSize> lossless_size;
  if (same_file && must_turn && original.Type == kImageTypeJpg) {
    try {
      const MappedFile bytes(NativePath(original_path), "ReadImage");
      lossless_size = LosslessTurnSize(bytes.bytes(), orientation_);
    } catch (const ImageError&) {
      // The read below reports the file.
    }
  }
  if (!MustRemakeClone({.clone = {exists, clone.DateTime, {clone.Width, clone.Height}},
                        .original_modified = original.DateTime,
                        .target = lossless_size.value_or(target),
                        .only_if_newer = settings.only_if_newer,
                        .changes_pixels = has_script || settings.apply_clone_list})) {
    clone_size_ = {clone.Width, clone.Height};
    return;
  }

  current_file_ = clone_path;
  if (byte_copy) {
    try {
      const MappedFile bytes(NativePath(original_path), "DoIt");
      AwaitWriteTurn();
      WriteFileAtomically(NativePath(clone_path), bytes.bytes(), "DoIt");
    } catch (const ImageError& e) {
      throw ImageError(e.number(), "DoIt", "FileCopy", e.detail());
    }
    clone.Width = original.Width;
    clone.Height = original.Height;
    clone.Quality = 100;
  } else if (!(lossless_size && TurnLosslessly(original_path, clone_path, clone))) {
    clone_pixels_ = ReadUpright(original_path, original.Type, orientation_, target, settings.filter,
                                &out_.input_metadata, clone_path);
    if (options_.copy_metadata) {
      output_metadata_ = out_.input_metadata;
    } else {
      output_metadata_.clear();
    }
    if (has_script) hooks->RunCloneFunction(clone_pixels_);
    if (settings.apply_clone_list && hooks != nullptr) hooks->ApplyCloneList(clone_pixels_);
    current_file_ = clone_path;
    // The carried EXIF block describes the clone, as the script and the
    // clone list left it.
    CorrectCloneExif(output_metadata_, {clone_pixels_.width(), clone_pixels_.height()},
                     orientation_ != kOrientationUpright);

    ImageWriteOptions write;
    write.quality = settings.quality;
    write.max_bytes = settings.max_bytes;
    write.progressive = settings.progressive;
    write.tiff_compression = settings.tiff_compression;
    write.metadata = &output_metadata_;
    clone.Quality = Write(clone_path, clone.Type, clone_pixels_, write);
    clone.Width = clone_pixels_.width();
    clone.Height = clone_pixels_.height();
  }
  clone_size_ = {clone.Width, clone.Height};
  RecordOutput(clone_path, clone);
  output_metadata_.clear();
  out_.clone_made = true;
}

// One thumbnail file of the pass: the thumbnail or its high-density copy,
// with the size it gets and whether the one on disk must be made again.
struct ImagePass::ThumbPlan {
  std::string path;
  ImageSize target{};      // the picture's size
  ImageSize frame{};       // the frame it is centred on, when framed
  bool framed = false;
  bool remake = false;
};

ImagePass::ThumbPlan ImagePass::PlanThumb(const std::string& path, const SizeOptions& size, ImageSize source,
                                          ImageFileFacts& facts) const {
  const ThumbOptions& settings = options_.thumb;
  ThumbPlan plan;
  plan.path = path;
  plan.target = ScaledSize(source.width, source.height, size);
  if (!settings.allow_enlarge && (plan.target.width > source.width || plan.target.height > source.height)) {
    plan.target = source;
  }
  plan.framed = size.side == kSideFitInside && settings.frame_fill && size.width > 0 && size.height > 0;
  plan.frame = {size.width, size.height};
  const bool exists = ReadExistingOutput(path, facts, options_.pcd_format);
  plan.remake = MustRemakeThumb({.thumb = {exists, facts.DateTime, {facts.Width, facts.Height}},
                                 .original_modified = out_.file.Original.DateTime,
                                 .expected = plan.framed ? plan.frame : plan.target,
                                 .from_clone = settings.from_clone,
                                 .clone_made = out_.clone_made});
  return plan;
}

void ImagePass::WriteThumb(const ThumbPlan& plan, const RgbBuffer& source, ImageFileFacts& facts) {
  const ThumbOptions& settings = options_.thumb;
  current_file_ = plan.path;
  RgbBuffer pixels = source.width() == plan.target.width && source.height() == plan.target.height
                         ? source.Clone()
                         : ResizeImage(source, plan.target.width, plan.target.height, kDefaultFilterCode);
  if (plan.framed && (pixels.width() != plan.frame.width || pixels.height() != plan.frame.height)) {
    const Rgb colour =
        settings.frame_colour_matches ? AverageColour(pixels) : RgbFromColourValue(settings.frame_colour);
    pixels = FrameFill(pixels, plan.frame.width, plan.frame.height, colour);
  }
  ImageWriteOptions write;
  write.quality = settings.quality;
  write.tiff_compression = 1;
  facts.Quality = Write(plan.path, facts.Type, pixels, write);
  facts.Width = pixels.width();
  facts.Height = pixels.height();
  RecordOutput(plan.path, facts);
}

void ImagePass::MakeThumb() {
  const ThumbOptions& settings = options_.thumb;
  ImageFileFacts& thumb = out_.file.Thumb;
  const bool from_clone = settings.from_clone;
  const ImageFileFacts& source = from_clone ? out_.file.Clone : out_.file.Original;
  const std::string source_path = JoinPath(from_clone ? folders_.clone : folders_.original, source);
  // A clone made in an earlier run (no clone work this time) is sized from its file.
  if (from_clone && clone_size_.width <= 0 && !ReadExistingOutput(source_path, out_.file.Clone, options_.pcd_format)) {
    current_file_ = source_path;
    throw ImageError(kImageErrorBase + 1, "GetImageDims", "IS_OpenFileSource", "the clone is missing");
  }
  const ImageSize source_size{from_clone && clone_size_.width > 0 ? clone_size_.width : source.Width,
                              from_clone && clone_size_.height > 0 ? clone_size_.height : source.Height};

  const ThumbPlan normal = PlanThumb(JoinPath(folders_.thumb, thumb), settings.size, source_size, thumb);
  ImageFileFacts dense_facts;
  dense_facts.Name = thumb.Name;
  dense_facts.Extension = thumb.Extension;
  dense_facts.Type = thumb.Type;
  std::optional<ThumbPlan> dense;
  if (WritesDenseThumb(settings.density)) {
    dense = PlanThumb(JoinPath(DenseThumbFolder(folders_.thumb, settings.density), thumb),
                      DenseSizeOptions(settings.size, settings.density), source_size, dense_facts);
  }
  const bool dense_remake = dense && dense->remake;
  if (!normal.remake && !dense_remake) return;

  // Decoded once, at the larger size needed; the thumbnail comes from the
  // dense copy's pixels.
  const ImageSize largest = dense_remake ? dense->target : normal.target;
  RgbBuffer pixels;
  if (from_clone && !clone_pixels_.empty()) {
    current_file_ = normal.path;
    pixels = ResizeImage(clone_pixels_, largest.width, largest.height, kDefaultFilterCode);
  } else {
    // A clone file is taken as written, like its size above.
    const int orientation =
        from_clone ? SourceOrientation(NativePath(source_path), source.Type, false) : orientation_;
    pixels = ReadUpright(source_path, source.Type, orientation, largest, kDefaultFilterCode, nullptr, normal.path);
  }
  if (dense_remake) WriteThumb(*dense, pixels, dense_facts);
  if (normal.remake) {
    WriteThumb(normal, pixels, thumb);
    out_.thumb_made = true;
  }
}

}  // namespace

ImageOutcome RLImage::DoIt(const RLImageFile& file, const ImageFolders& folders, const WriteGate& may_write) const {
  ImageOutcome outcome;
  outcome.file = file;
  ImagePass pass(options_, folders, may_write, outcome);
  try {
    pass.Run();
  } catch (ImageError& e) {
    e.set_path(pass.current_file());
    outcome.error = std::move(e);
  } catch (const ImagePass::Dropped&) {
    outcome.dropped = true;
  }
  return outcome;
}

}  // namespace velmora::image
