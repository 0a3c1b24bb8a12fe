#include "image/dense_thumbnail.h"

#include "platform/path_join.h"

namespace velmora::image {

bool WritesDenseThumb(int density) { return density >= 2 && density <= 4; }

std::string DenseThumbFolder(const std::string& thumb_folder, int density) {
  return Join(thumb_folder, std::to_string(density) + "x");
}

SizeOptions DenseSizeOptions(const SizeOptions& size, int density) {
  return {size.side, size.longest * density, size.width * density, size.height * density};
}

}  // namespace velmora::image
