// The metadata of a PNG file: its text chunks (tEXt, zTXt, iTXt) as
// comments under their keywords, XMP in the iTXt chunk
// "XML:com.adobe.xmp", EXIF in the eXIf chunk, and the blocks ImageMagick
// keeps in "Raw profile type ..." text chunks.
#pragma once

#include "metadata/byte_source.h"
#include "metadata/photo_metadata.h"

namespace velmora::metadata {

// Walks the chunks after the signature up to IEND; text chunks may follow
// the image data, whose chunks are skipped unread.
void ReadPngMetadata(ByteSource& file, PhotoMetadata& metadata);

}  // namespace velmora::metadata
