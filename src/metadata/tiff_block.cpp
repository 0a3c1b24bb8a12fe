#include "metadata/tiff_block.h"

#include "metadata/byte_reader.h"
#include "metadata/maker_note.h"
#include "metadata/metadata_reader.h"
#include "metadata/tiff_directory_walk.h"

namespace velmora::metadata {
namespace {

constexpr std::uint16_t kTiffMagic = 42;

}  // namespace

void ParseTiffBlock(PhotoMetadata& metadata, std::span<const std::uint8_t> tiff, std::uint64_t position_origin) {
  if (tiff.size() < 8) return;
  const ByteReader header(tiff, ByteOrderOf(tiff[0], tiff[1]));
  // 42 in the other byte order means the header lies about the order;
  // nothing after it can be trusted.
  if (*header.U16(2) != kTiffMagic) return;
  metadata.make.clear();
  metadata.model.clear();

  TiffDirectoryWalk walk(metadata, tiff, header.order(), position_origin);
  walk.WalkChain(0, *header.U32(4), ExifSection::kMain);
  if (walk.ok() && walk.maker_note()) {
    const std::optional<MakerNoteLayout> layout =
        RecogniseMakerNote(header, *walk.maker_note(), metadata.make, metadata.model);
    if (layout) {
      metadata.maker_code = layout->maker_code;
      walk.WalkMakerNote(layout->base, layout->directory, layout->order);
    }
  }
  metadata.focal_multiplier = LookupFocalMultiplier(metadata.model);
}

// The public entry points keep what was read when memory runs out.
void ParseTiffBlock(PhotoMetadata& metadata, std::span<const std::uint8_t> tiff) {
  try {
    ParseTiffBlock(metadata, tiff, 1);
  } catch (...) {
  }
}

void ParseExifSegment(PhotoMetadata& metadata, std::span<const std::uint8_t> app1) {
  if (app1.size() <= kExifHeaderSize) return;
  try {
    ParseTiffBlock(metadata, app1.subspan(kExifHeaderSize), kExifSegmentTiffPosition);
  } catch (...) {
  }
}

}  // namespace velmora::metadata
