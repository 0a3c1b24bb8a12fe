// The quality settings ("CLONE_QUALITY", "THUMB_QUALITY", the size limit's
// lowest quality) are JPEG qualities; users know what 75 looks like. The
// WebP and AVIF writers turn them into the quality of their own coder that
// looks alike: the same SSIM as the JPEG clone, measured on camera photos
// at gallery size (bench/webp_clone_bench). At equal numbers WebP would
// look clearly worse than JPEG, and AVIF be larger than it needs to be.
#pragma once

namespace velmora::image {

int WebpQualityFor(int jpeg_quality);
int AvifQualityFor(int jpeg_quality);

}  // namespace velmora::image
