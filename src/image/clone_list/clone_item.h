// The common face of every clone-list item (text stamp, image stamp, border,
// image effect): copying, the "changed" mark and the profile properties.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velmora::image {

enum class CloneItemKind { kTextStamp, kImageStamp, kBorder, kEffect };
enum class PropertyResult { kApplied, kUnknownKey, kBadValue };

class CloneItem {
 public:
  virtual ~CloneItem();
  virtual CloneItemKind Kind() const = 0;
  virtual std::unique_ptr<CloneItem> Clone() const = 0;

  // Every item carries the user's label; the profile writes it first.
  const std::string& Description() const { return description_; }
  void SetDescription(std::string description);

  virtual bool Changed() const { return changed_; }
  virtual void ResetChanged() { changed_ = false; }

  // Profile persistence. Keys are upper case ("STAMP_TEXT_COLOR"). kUnknownKey for a key
  // that is not this class's; kBadValue when a numeric property cannot take the text.
  virtual PropertyResult SetProfileProperty(std::string_view key, std::string_view value) = 0;
  // Every (key, value) in the fixed save order, the description key first; multi-line
  // values hold CR LF.
  virtual std::vector<std::pair<std::string, std::string>> ProfileProperties() const = 0;
  // A "+" continuation line: appends CR LF + text to a text stamp's text; false for
  // other classes.
  virtual bool AppendContinuation(std::string_view text);

 protected:
  explicit CloneItem(std::string description) : description_(std::move(description)) {}
  CloneItem(const CloneItem&) = default;
  CloneItem& operator=(const CloneItem&) = default;

  // Stores a new field value and marks the item changed when it differs.
  template <class T, class U>
  void Change(T& field, U&& value) {
    if (field == value) return;
    field = std::forward<U>(value);
    changed_ = true;
  }
  void MarkChanged() { changed_ = true; }

 private:
  std::string description_;
  bool changed_ = true;  // a new item has not been saved yet
};

// For "STAMP_TEXT_DESCRIPTION", "STAMP_IMAGE_DESCRIPTION", "BORDER_DESCRIPTION",
// "IMAGE_EFFECT_DESCRIPTION": a new item of that class with its defaults; else nullptr.
std::unique_ptr<CloneItem> NewCloneItemForDescriptionKey(std::string_view upper_key);

// The item class whose prefix ("STAMP_TEXT", "STAMP_IMAGE", "BORDER", "IMAGE_EFFECT",
// checked in that order) the key has.
std::optional<CloneItemKind> CloneItemKindOfKey(std::string_view upper_key);

}  // namespace velmora::image
