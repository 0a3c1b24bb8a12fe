// Script modules (RLModul) and their collections (RLModule): the profile's
// modules and the modules of the script file named by "RILOSCRIPT_FILE".
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::script {

// 1 compiled with an error, 3 compiled without; other values: not compiled yet.
inline constexpr int kModuleCompileError = 1;
inline constexpr int kModuleNotCompiled = 2;
inline constexpr int kModuleCompiled = 3;

struct RLModul {
  std::string name;
  std::string content;  // lines separated by CR LF
  int status = kModuleNotCompiled;
  bool changed = false;
};

// Modules keyed by name (without regard to case), in insertion order.
class RLModule {
 public:
  // Replaces a module of the same name in place.
  void Add(RLModul module);
  RLModul* Find(std::string_view name);
  RLModul& at(std::size_t index) { return modules_[index]; }
  const RLModul& at(std::size_t index) const { return modules_[index]; }
  bool Remove(std::string_view name);
  void RemoveAt(std::size_t index) { modules_.erase(modules_.begin() + static_cast<std::ptrdiff_t>(index)); }
  void Clear() { modules_.clear(); }
  std::size_t Count() const { return modules_.size(); }
  bool AnyChanged() const;
  void ResetChanged();
  const std::vector<RLModul>& all() const { return modules_; }

 private:
  std::vector<RLModul> modules_;
};

// Reads the script file into `modules` (cleared first): "!*" starts a module,
// "!+" adds a line, "*" lines are comments. On a read error the modules up to
// the faulty line stay, the message "ErrRLSFileRead" (or "ErrRLSFileOpen") is
// shown and false is returned.
bool LoadScriptFile(const std::filesystem::path& path, RLModule& modules);

// Writes every module as "!*" name and one "!+" line per content line, CR LF
// line ends; resets the changed flags. Shows "ErrRLSFileCreate" or
// "ErrRLSFileWrite" and returns false on failure.
bool StoreScriptFile(const std::filesystem::path& path, RLModule& modules);

}  // namespace velmora::script
