// The profile file grammar.
#include "settings/profile_reader.h"

#include "settings/text_utils.h"

namespace velmora::settings {
namespace {

constexpr int kNoSlot = -1;
// A line with an empty key reaches only the unused slot 0: it and its "+" lines
// are swallowed without touching anything.
constexpr int kSwallowSlot = 0;
constexpr int kPostPicSlot = 193;  // HTML_PIC_POSTPIC, the successor of "enum_pic_post_pic"

class ProfileReader {
 public:
  ProfileReader(SettingsTable& settings, image::CCloneEffekte& clones, RLModule& modules)
      : settings_(settings), clones_(clones), modules_(modules) {}

  // False with error_ set when the line cannot be taken.
  bool Apply(std::string_view raw_line, int line_number) {
    const std::string_view line = TrimLeftBlanks(raw_line);
    if (line.empty() || line.front() == '*') return true;
    if (line.front() == '+') {
      Continue(line.substr(1));
      return true;
    }
    if (line.starts_with("!*")) {
      modules_.Add(std::string(TrimBlanks(line.substr(2))));
      current_module_ = modules_.Count();
      module_has_lines_ = false;
      return true;
    }
    if (line.starts_with("!+")) {
      if (current_module_ == 0) return Fail(kProfileErrorNoModule, raw_line, line_number);
      std::string& source = modules_.Item(current_module_).source;
      if (module_has_lines_) source += "\r\n";
      source += line.substr(2);
      module_has_lines_ = true;
      return true;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return true;
    return KeyLine(Cp1252ToUpper(TrimBlanks(line.substr(0, equals))), line.substr(equals + 1), raw_line, line_number);
  }

  const ProfileReadError& error() const { return error_; }

 private:
  bool KeyLine(const std::string& key, std::string_view value, std::string_view raw_line, int line_number) {
    if (key.empty()) {
      target_slot_ = kSwallowSlot;
      return true;
    }
    if (const auto slot = SlotOfKey(key)) {
      settings_.SetValue(*slot, std::string(value));
      target_slot_ = *slot;
      return true;
    }
    target_slot_ = kNoSlot;
    if (const auto kind = image::CloneItemKindOfKey(key)) return ObjectKeyLine(*kind, key, value, raw_line, line_number);
    if (key == "ENUM_PIC_POST_PIC") {
      settings_.SetValue(kPostPicSlot, std::string(value));
      target_slot_ = kPostPicSlot;
    }
    return true;
  }

  bool ObjectKeyLine(image::CloneItemKind kind, const std::string& key, std::string_view value,
                     std::string_view raw_line, int line_number) {
    if (auto item = image::NewCloneItemForDescriptionKey(key)) {
      current_object_ = item.get();
      item->SetProfileProperty(key, value);
      clones_.Add(std::move(item));
      return true;
    }
    if (current_object_ == nullptr || current_object_->Kind() != kind) return true;
    if (current_object_->SetProfileProperty(key, value) == image::PropertyResult::kBadValue) {
      return Fail(kProfileErrorTypeMismatch, raw_line, line_number);
    }
    return true;
  }

  void Continue(std::string_view text) {
    if (target_slot_ == kSwallowSlot) return;
    if (target_slot_ != kNoSlot) {
      settings_.AppendToValue(target_slot_, "\r\n");
      settings_.AppendToValue(target_slot_, text);
      return;
    }
    if (current_object_ != nullptr) current_object_->AppendContinuation(text);
  }

  bool Fail(int number, std::string_view raw_line, int line_number) {
    error_ = ProfileReadError{number, line_number, std::string(raw_line)};
    return false;
  }

  SettingsTable& settings_;
  image::CCloneEffekte& clones_;
  RLModule& modules_;
  int target_slot_ = kNoSlot;
  image::CloneItem* current_object_ = nullptr;
  std::size_t current_module_ = 0;  // index from 1; 0 = none yet
  bool module_has_lines_ = false;
  ProfileReadError error_;
};

}  // namespace

std::optional<ProfileReadError> ReadProfileText(std::string_view bytes, SettingsTable& settings,
                                                image::CCloneEffekte& clones, RLModule& modules) {
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  ProfileReader reader(settings, clones, modules);
  int line_number = 0;
  while (!bytes.empty()) {
    const std::string_view line = NextLine(bytes);
    if (!reader.Apply(line, ++line_number)) return reader.error();
  }
  return std::nullopt;
}

}  // namespace velmora::settings
