// Reads a photo's metadata. Every offset and count is checked against the
// data's bounds: a damaged or hostile file yields what could be read, never
// a read outside the buffer, an exception or a stop of the run.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>

#include "metadata/photo_metadata.h"

namespace velmora::metadata {

// The metadata of a photo file of any type the program reads: JPEG (EXIF
// and XMP in APP1, IPTC in APP13, comments), PNG (text chunks, eXIf, XMP in
// iTXt), TIFF and DNG (the file's own directories, IPTC and XMP tags).
// Reads only as much of the file as the metadata needs. Other types and
// unreadable files give empty metadata.
PhotoMetadata ReadPhotoMetadata(const std::filesystem::path& file);
// The same from the file's bytes in memory (the first bytes suffice for a JPEG).
PhotoMetadata ReadPhotoMetadata(std::span<const std::uint8_t> file);

// The pieces, for readers of other containers and for tests.
// `tiff` starts with the TIFF header ("II*\0" or "MM\0*"): byte order, IFD
// walk, sub-directories, GPS, IFD1, maker note and focal multiplier.
void ParseTiffBlock(PhotoMetadata& metadata, std::span<const std::uint8_t> tiff);
// A JPEG APP1 segment's data after its length bytes ("Exif\0\0" + TIFF block).
void ParseExifSegment(PhotoMetadata& metadata, std::span<const std::uint8_t> app1);
// A JPEG APP13 segment's data after its length bytes ("Photoshop 3.0\0" + resources).
void ParseIptcSegment(PhotoMetadata& metadata, std::span<const std::uint8_t> app13);
// An XMP packet (UTF-8 XML): dc:title, dc:description, dc:subject,
// dc:creator and dc:rights become the comments "XMP:title", ...
void ParseXmpPacket(PhotoMetadata& metadata, std::string_view xml);

// The multiplier of the model in the loaded focal-length table, or 0.
double LookupFocalMultiplier(std::string_view model);

}  // namespace velmora::metadata
