// The high-density copy of a thumbnail: the same picture with two to four
// pixels per thumbnail pixel, for screens that show more than one device
// pixel per CSS pixel. It lies in a subfolder named after its density
// ("2x") of the thumbnail's folder and keeps the thumbnail's file name, so a
// page finds it from the thumbnail's link alone, and no photo's thumbnail
// name can ever clash with it.
#pragma once

#include <string>

#include "image/scale_factor.h"

namespace velmora::image {

// True for the densities that make a copy (2 to 4); 0 and 1 make none.
bool WritesDenseThumb(int density);

// "<thumb_folder>/2x" for density 2 (Windows-1252 path).
std::string DenseThumbFolder(const std::string& thumb_folder, int density);

// The sizing of the dense copy: every length of `size` times `density`.
SizeOptions DenseSizeOptions(const SizeOptions& size, int density);

}  // namespace velmora::image
