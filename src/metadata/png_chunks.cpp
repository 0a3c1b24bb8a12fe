#include "metadata/png_chunks.h"

#include <zlib.h>

#include <optional>
#include <string>
#include <string_view>

#include "metadata/metadata_reader.h"
#include "metadata/metadata_text.h"
#include "metadata/png_raw_profile.h"
#include "metadata/tiff_block.h"
#include "metadata/xmp_reader.h"

namespace velmora::metadata {
namespace {

constexpr std::uint64_t kSignatureSize = 8;
// A text larger than this, packed or unpacked, is no caption; the limits
// also keep a small compressed chunk from unpacking into gigabytes.
constexpr std::size_t kMaxChunkSize = 16 * 1024 * 1024;
constexpr std::size_t kMaxTextSize = 4 * 1024 * 1024;

std::string_view AsText(std::span<const std::uint8_t> bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// The zlib stream's content, or nothing when it is damaged or too large.
std::optional<std::string> Inflate(std::string_view packed) {
  z_stream stream{};
  if (inflateInit(&stream) != Z_OK) return std::nullopt;
  std::string out;
  std::string buffer(64 * 1024, '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
  stream.avail_in = static_cast<uInt>(packed.size());
  int status = Z_OK;
  while (status == Z_OK) {
    stream.next_out = reinterpret_cast<Bytef*>(buffer.data());
    stream.avail_out = static_cast<uInt>(buffer.size());
    status = inflate(&stream, Z_NO_FLUSH);
    out.append(buffer.data(), buffer.size() - stream.avail_out);
    if (out.size() > kMaxTextSize) status = Z_MEM_ERROR;
  }
  inflateEnd(&stream);
  if (status != Z_STREAM_END) return std::nullopt;
  return out;
}

// Splits "keyword\0rest"; nothing without the zero byte.
std::optional<std::pair<std::string_view, std::string_view>> SplitKeyword(std::string_view chunk) {
  const std::size_t zero = chunk.find('\0');
  if (zero == std::string_view::npos) return std::nullopt;
  return std::pair{chunk.substr(0, zero), chunk.substr(zero + 1)};
}

void AddText(PhotoMetadata& metadata, std::string_view keyword, std::string_view text) {
  ReadRawProfile(metadata, keyword, text);
  metadata.AddComment(std::string(keyword), LegacyTextToCp1252(text));
}

void ReadText(PhotoMetadata& metadata, std::string_view chunk) {
  if (const auto parts = SplitKeyword(chunk)) AddText(metadata, parts->first, parts->second);
}

void ReadCompressedText(PhotoMetadata& metadata, std::string_view chunk) {
  const auto parts = SplitKeyword(chunk);
  if (!parts || parts->second.empty() || parts->second[0] != 0) return;  // method 0: zlib
  if (const std::optional<std::string> text = Inflate(parts->second.substr(1))) AddText(metadata, parts->first, *text);
}

// keyword \0 compressed-flag method language \0 translated keyword \0 UTF-8 text
void ReadInternationalText(PhotoMetadata& metadata, std::string_view chunk) {
  const auto parts = SplitKeyword(chunk);
  if (!parts || parts->second.size() < 2) return;
  const bool compressed = parts->second[0] != 0;
  if (compressed && parts->second[1] != 0) return;
  const auto language = SplitKeyword(parts->second.substr(2));
  if (!language) return;
  const auto translated = SplitKeyword(language->second);
  if (!translated) return;
  std::optional<std::string> text =
      compressed ? Inflate(translated->second) : std::optional<std::string>(translated->second);
  if (!text) return;
  if (parts->first == kXmpPngKeyword) ParseXmpPacket(metadata, *text);
  metadata.AddComment(std::string(parts->first), Utf8ToCp1252Lossy(*text));
}

}  // namespace

void ReadPngMetadata(ByteSource& file, PhotoMetadata& metadata) {
  std::uint64_t at = kSignatureSize;
  // Every chunk moves on by at least its 12 bytes of frame.
  while (true) {
    const std::span<const std::uint8_t> head = file.Read(at, 8);
    if (head.size() < 8) return;
    const std::uint32_t length =
        (std::uint32_t{head[0]} << 24) | (std::uint32_t{head[1]} << 16) | (std::uint32_t{head[2]} << 8) | head[3];
    const std::string_view type = AsText(head.subspan(4, 4));
    if (length > 0x7FFFFFFFu || type == "IEND") return;
    const bool wanted = type == "tEXt" || type == "zTXt" || type == "iTXt" || type == "eXIf";
    if (wanted && length <= kMaxChunkSize) {
      const std::span<const std::uint8_t> data = file.Read(at + 8, length);
      if (data.size() < length) return;  // the file ends inside the chunk
      if (type == "tEXt") ReadText(metadata, AsText(data));
      if (type == "zTXt") ReadCompressedText(metadata, AsText(data));
      if (type == "iTXt") ReadInternationalText(metadata, AsText(data));
      if (type == "eXIf") ParseTiffBlock(metadata, data, 1);
    }
    at += 12 + std::uint64_t{length};
  }
}

}  // namespace velmora::metadata
