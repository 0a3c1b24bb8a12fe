#include "metadata/photo_metadata.h"

#include <algorithm>

namespace velmora::metadata {

bool PhotoMetadata::HasExif() const {
  return std::any_of(exif.begin(), exif.end(), [](const std::vector<RLExif>& s) { return !s.empty(); });
}

const RLExif* PhotoMetadata::Find(ExifSection section, std::uint16_t tag) const {
  for (const RLExif& entry : Section(section)) {
    if (entry.tag == tag) return &entry;
  }
  return nullptr;
}

const IptcEntry* PhotoMetadata::FindIptc(std::int32_t dataset) const {
  for (const IptcEntry& entry : iptc) {
    if (entry.dataset == dataset) return &entry;
  }
  return nullptr;
}

const ImageComment* PhotoMetadata::FindComment(std::string_view key) const {
  for (const ImageComment& comment : comments) {
    if (comment.key == key) return &comment;
  }
  return nullptr;
}

void PhotoMetadata::AddIptc(std::int32_t dataset, std::string text) {
  for (IptcEntry& entry : iptc) {
    if (entry.dataset == dataset) {
      entry.text += ',';
      entry.text += text;
      return;
    }
  }
  iptc.push_back({dataset, std::move(text)});
}

void PhotoMetadata::AddComment(std::string key, std::string text) {
  for (ImageComment& comment : comments) {
    if (comment.key == key) {
      comment.text = std::move(text);
      return;
    }
  }
  comments.push_back({std::move(key), std::move(text)});
}

int PhotoMetadata::Orientation() const {
  const RLExif* entry = Find(ExifSection::kMain, 274);
  if (entry == nullptr || entry->values.empty()) return 1;
  const std::string& v = entry->values.front();
  if (v.size() != 1 || v[0] < '1' || v[0] > '8') return 1;
  return v[0] - '0';
}

}  // namespace velmora::metadata
