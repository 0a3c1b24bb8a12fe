// The metadata of a JPEG file, from its marker segments in front of the
// image data: EXIF and XMP (APP1), IPTC (APP13) and comments.
#pragma once

#include "metadata/byte_source.h"
#include "metadata/photo_metadata.h"

namespace velmora::metadata {

// Reads the segments after the start-of-image marker up to the start of the
// scan. A segment cut short by the file's end is parsed as far as it goes.
void ReadJpegMetadata(ByteSource& file, PhotoMetadata& metadata);

}  // namespace velmora::metadata
