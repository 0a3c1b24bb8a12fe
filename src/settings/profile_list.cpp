// Profile descriptors and the profile list.
#include "settings/profile_list.h"

#include <algorithm>

#include "platform/native_path.h"
#include "settings/text_utils.h"

namespace velmora::settings {

std::filesystem::path RLProfil::FilePath() const {
  return ToNativePath(Cp1252Text(Directory)) / ToNativePath(Cp1252Text(Name + ".vlp"));
}

RLProfil& RLProfile::Add(std::int32_t type, std::string name, std::string directory) {
  std::erase_if(entries_, [&](const RLProfil& entry) { return Cp1252EqualsIgnoreCase(entry.Name, name); });
  return entries_.emplace_back(RLProfil{type, std::move(name), std::move(directory)});
}

const RLProfil* RLProfile::Item(std::size_t index) const {
  return index >= 1 && index <= entries_.size() ? &entries_[index - 1] : nullptr;
}

const RLProfil* RLProfile::Item(std::string_view name) const {
  const auto found = std::find_if(entries_.begin(), entries_.end(),
                                  [&](const RLProfil& entry) { return Cp1252EqualsIgnoreCase(entry.Name, name); });
  return found == entries_.end() ? nullptr : &*found;
}

RLProfil* RLProfile::Item(std::string_view name) {
  return const_cast<RLProfil*>(static_cast<const RLProfile&>(*this).Item(name));
}

}  // namespace velmora::settings
