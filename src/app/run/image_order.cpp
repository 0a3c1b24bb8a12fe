// The order of a directory's images.
#include "app/run/image_order.h"

#include <string>
#include <vector>

#include "app/run/run_paths.h"
#include "html/sorting.h"
#include "image/image_error.h"
#include "image/source_orientation.h"

namespace velmora::app {
namespace {

void ReadMissingDimensions(RunDirectory& directory, bool auto_orient) {
  for (RunImage& image : directory.images) {
    image::ImageFileFacts& original = image.file.Original;
    if (original.Width > 0) continue;
    try {
      // Upright, as the pipeline will record them for the pages.
      const image::ImageSize size = image::UprightImageDims(image.source, original.Type, auto_orient);
      original.Width = size.width;
      original.Height = size.height;
    } catch (const image::ImageError&) {
      // Sorted as 0 x 0; the main pass reports the file.
    }
  }
}

}  // namespace

void SortDirectoryImages(RunDirectory& directory, int mode, int direction, bool auto_orient) {
  if (mode == html::kSortDimension) ReadMissingDimensions(directory, auto_orient);
  // The keys view the names, which must outlive the sort.
  std::vector<std::string> names;
  names.reserve(directory.images.size());
  for (const RunImage& image : directory.images) {
    names.push_back(FileNameOf(image.file.Original));
  }
  std::vector<html::ImageSortKey> keys;
  keys.reserve(directory.images.size());
  for (std::size_t i = 0; i < directory.images.size(); ++i) {
    const image::ImageFileFacts& original = directory.images[i].file.Original;
    keys.push_back({names[i], original.DateTime.time_since_epoch().count(), original.Size, original.Width,
                    original.Height});
  }
  const auto order = html::SortImages(keys, mode, direction);
  html::ApplyOrder(directory.images, order);
}

}  // namespace velmora::app
