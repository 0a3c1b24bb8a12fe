// How an EXIF entry reads on a page: the value in the display form its
// definition names (exposure "1/250", apertures "f/2.8", GPS positions in
// degrees, minutes and seconds, lengths with their unit, version bytes as
// "2.32", texts with a character-set head decoded), with the value labels of
// the definition taking precedence. Pure text work on what the reader
// stored, shared by the `exifnice` built-in and by stamp texts.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>

#include "metadata/metadata_definition.h"
#include "metadata/photo_metadata.h"

namespace velmora::metadata {

// Lists of more components than this are shortened: maker notes hold arrays
// of hundreds of numbers, which no page wants in full.
inline constexpr std::size_t kDisplayListLimit = 16;

// The components joined by ","; a longer list than the limit gives its first
// kDisplayListLimit components followed by ",...(" the full count ")".
std::string JoinComponents(std::span<const std::string> components);

// The number a stored component stands for: an integer, a decimal or a
// rational "numerator/denominator". None for a text, and for a rational with
// the denominator 0.
std::optional<double> ComponentNumber(std::string_view component);

// The display text of an entry, or of its `component`-th value (1-based;
// 0 for the whole entry), in the form of `definition` (the plain form when
// there is none). Dates stay the text the camera wrote (trimmed): turning
// them into date values is the caller's business. Never throws; a value
// that does not suit the form is shown as stored.
std::string DisplayText(const RLExif& entry, const ExifTag* definition, int component = 0);

}  // namespace velmora::metadata
