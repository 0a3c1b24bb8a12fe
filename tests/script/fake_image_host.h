// An image host for the image and metadata built-ins without a run: the
// test sets the current image's metadata, pixels, definitions and the
// directories it answers for, and reads which image numbers were asked.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "image/rgb_buffer.h"
#include "metadata/metadata_definition.h"
#include "metadata/photo_metadata.h"
#include "script/image_host.h"

namespace velmora::script::test {

class FakeImageHost final : public ImageHost {
 public:
  const metadata::PhotoMetadata* CurrentMetadata() override { return current ? &*current : nullptr; }
  image::RgbBuffer* CurrentPixels() override { return pixels; }
  const metadata::MetadataDefinition& Definitions() override { return definitions; }

  std::int32_t DirectoryCount() const override { return static_cast<std::int32_t>(directories.size()); }
  std::optional<HostDirectoryInfo> Directory(std::int32_t number) const override {
    if (number < 1 || number > DirectoryCount()) return std::nullopt;
    return directories[static_cast<std::size_t>(number - 1)];
  }
  std::optional<ImageInfoValue> ImageInfo(std::int32_t directory, std::int32_t image,
                                          ImageInfoItem item) const override {
    asked.emplace_back(directory, image);
    const auto it = answers.find({directory, image, item});
    if (it == answers.end()) return std::nullopt;
    return it->second;
  }

  std::optional<metadata::PhotoMetadata> current;  // none: no current image
  image::RgbBuffer* pixels = nullptr;
  metadata::MetadataDefinition definitions;
  std::vector<HostDirectoryInfo> directories;
  std::map<std::tuple<std::int32_t, std::int32_t, ImageInfoItem>, ImageInfoValue> answers;
  mutable std::vector<std::pair<std::int32_t, std::int32_t>> asked;
};

// An EXIF entry as the reader stores it.
inline metadata::RLExif Entry(std::uint16_t tag, metadata::TiffType type, std::vector<std::string> values) {
  metadata::RLExif entry;
  entry.tag = tag;
  entry.type = type;
  entry.count = static_cast<std::uint32_t>(values.size());
  entry.values = std::move(values);
  return entry;
}

// A definition as metadata.def gives it.
inline metadata::ExifTag Definition(std::int32_t tag, std::string name, metadata::DisplayForm form,
                                    std::int32_t position = 0,
                                    std::map<std::int32_t, std::string> labels = {}) {
  metadata::ExifTag definition;
  definition.tag = tag;
  definition.position = position;
  definition.name = std::move(name);
  definition.format_code = static_cast<std::int32_t>(form);
  for (auto& [value, text] : labels) definition.labels[value] = {value, std::move(text)};
  return definition;
}

inline void Define(metadata::ExifTagTable& table, metadata::ExifTag definition) {
  const std::pair<std::int32_t, std::int32_t> key{definition.tag, definition.position};
  table.emplace(key, std::move(definition));
}

}  // namespace velmora::script::test
