// Scanning a directory for the images of a run.
#include "app/run/image_scan.h"

#include "platform/log.h"
#include "platform/text_encoding.h"
#include "app/run/directory_listing.h"
#include "app/run/listing_report.h"
#include "app/run/run_scripts.h"
#include "image/image_error.h"
#include "image/image_io.h"
#include "image/source_orientation.h"
#include "settings/settings_table.h"

namespace velmora::app {
namespace {

struct TypeSwitch {
  settings::SettingKey enabled;
  settings::SettingKey extensions;
  int code;
};

constexpr TypeSwitch kTypeSwitches[] = {
    {"BMP", "BMP_EXT", 3},  {"EMF", "EMF_EXT", 4},  {"GIF", "GIF_EXT", 5},   {"JPG", "JPG_EXT", 6},
    {"JP2", "JP2_EXT", 7},  {"PCD", "PCD_EXT", 8},  {"PCX", "PCX_EXT", 9},   {"PNG", "PNG_EXT", 10},
    {"PSD", "PSD_EXT", 11}, {"RAW", "RAW_EXT", 12}, {"TGA", "TGA_EXT", 13}, {"TIF", "TIF_EXT", 14},
    // Types added beyond the classic table.
    {"HEIF", "HEIF_EXT", 15}, {"AVIF", "AVIF_EXT", 16}, {"WEBP", "WEBP_EXT", 17},
};

}  // namespace

std::vector<EnabledImageType> EnabledImageTypes(const settings::SettingsTable& settings) {
  std::vector<EnabledImageType> types;
  for (const TypeSwitch& type : kTypeSwitches) {
    if (settings.Flag(type.enabled)) types.push_back({settings.Text(type.extensions), type.code});
  }
  return types;
}

ImageScan::ImageScan(const settings::SettingsTable& settings, RunScripts* oracle, ListingReport* report)
    : types_(EnabledImageTypes(settings)),
      patterns_(BuildImagePatterns(settings.Text("FILTER"), types_)),
      oracle_(oracle),
      report_(report),
      pcd_format_(static_cast<int>(settings.Int("PCD_FORMAT"))),
      auto_orient_(settings.Flag("AUTO_ORIENT")) {}

std::vector<RunImage> ImageScan::Scan(const std::filesystem::path& directory, std::int64_t& bytes) const {
  std::vector<RunImage> images;
  bytes = 0;
  const SkippedNameReport skipped = report_ != nullptr ? report_->SkippedFiles() : SkippedNameReport();
  const UnreadableFolderReport unreadable =
      report_ != nullptr ? report_->UnreadableFolders() : UnreadableFolderReport();
  for (ImageFileEntry& entry : ListImageFiles(directory, patterns_, skipped, unreadable)) {
    RunImage image;
    image::ImageFileFacts& original = image.file.Original;
    const std::size_t dot = entry.name.rfind('.');
    original.Name = entry.name.substr(0, dot);
    original.Extension = dot == std::string::npos ? std::string() : entry.name.substr(dot + 1);
    original.Type = ImageTypeOfName(entry.name, types_);
    original.Size = entry.bytes;
    original.DateTime = image::FileTime(std::chrono::seconds(entry.last_write));
    image.source = std::move(entry.path);
    if (oracle_ != nullptr && !FilterTakes(image)) continue;
    bytes += original.Size;
    images.push_back(std::move(image));
  }
  return images;
}

// The filter sees the image as the pages will: names, size, date and the
// dimensions (read from the file header only), upright as the pictures.
bool ImageScan::FilterTakes(RunImage& image) const {
  image::ImageFileFacts& original = image.file.Original;
  try {
    image::ImageReadOptions options;
    options.pcd_format = pcd_format_;
    const image::ImageSize size = image::UprightImageDims(image.source, original.Type, auto_orient_, options);
    original.Width = size.width;
    original.Height = size.height;
  } catch (const image::ImageError&) {
    // An unreadable image still reaches the filter; the run reports it later.
  }
  oracle_->context().SetImage(image.file, false);
  // The filter may decide by the photo's metadata; it is read only if asked.
  RunImageHost& host = oracle_->image_host();
  host.SetCurrentImage(image.source);
  const bool takes = oracle_->OracleTakes();
  host.ClearCurrentImage();
  return takes;
}

}  // namespace velmora::app
