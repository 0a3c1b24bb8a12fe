// Metadata blocks that ImageMagick (and exiftool after it) keep in PNG text
// chunks named "Raw profile type exif", "... iptc", "... xmp" and so on:
// the text is a line with the profile's name, a line with its length and
// the bytes in hexadecimal digits. Files converted from camera JPEGs carry
// their EXIF and IPTC this way.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "metadata/photo_metadata.h"

namespace velmora::metadata {

// The profile's bytes; nothing when the text is not in that form or holds
// fewer digits than its length says.
std::optional<std::vector<std::uint8_t>> DecodeRawProfile(std::string_view text);

// Parses the profile of a text chunk whose keyword names one we read;
// other keywords are left alone.
void ReadRawProfile(PhotoMetadata& metadata, std::string_view keyword, std::string_view text);

}  // namespace velmora::metadata
