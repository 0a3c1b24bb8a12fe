// Which camera maker wrote a maker note, and where its directory lies.
// Each maker lays out its note in its own way (a signature in front of the
// directory, offsets counted from the TIFF header or from the note itself,
// a byte order of its own); the recognition goes by the camera's make, and
// for some makers by a signature in the note or by the model.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "metadata/byte_reader.h"

namespace velmora::metadata {

struct MakerNoteLayout {
  std::int32_t maker_code = 0;  // the layout's code in the definition tables
  std::uint64_t directory = 0;  // the directory's position in the block
  std::uint64_t base = 0;       // the position the directory's offsets count from
  ByteOrder order = ByteOrder::kLittle;
};

// The layout of the maker note at `note` (a position in `block`, the TIFF
// block), or none when the make is not one whose notes are understood.
std::optional<MakerNoteLayout> RecogniseMakerNote(const ByteReader& block, std::uint64_t note, std::string_view make,
                                                  std::string_view model);

}  // namespace velmora::metadata
