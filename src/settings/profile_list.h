// The known profiles: descriptors (default, system and user profiles) and the
// list of them keyed by name, case-insensitively, in insertion order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::settings {

enum : std::int32_t { kDefaultProfileType = 0, kSystemProfileType = 1, kUserProfileType = 2 };

struct RLProfil {
  std::int32_t ProfileType = kDefaultProfileType;
  std::string Name;       // file name without ".vlp" (Windows-1252)
  std::string Directory;  // folder of the file; empty for the default profile

  bool IsDefault() const { return ProfileType == kDefaultProfileType; }
  // Directory/Name.vlp as a file system path.
  std::filesystem::path FilePath() const;
};

class RLProfile {
 public:
  // Replaces an entry of the same name (any letter case) by a new one at the end.
  RLProfil& Add(std::int32_t type, std::string name, std::string directory);
  const RLProfil* Item(std::size_t index) const;  // index from 1; nullptr outside
  const RLProfil* Item(std::string_view name) const;
  RLProfil* Item(std::string_view name);
  std::size_t Count() const { return entries_.size(); }
  auto begin() const { return entries_.begin(); }
  auto end() const { return entries_.end(); }

 private:
  std::vector<RLProfil> entries_;
};

}  // namespace velmora::settings
