// The script modules a profile carries: an ordered list of named sources. The
// script subsystem compiles them; here they are only data to load and save.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace velmora::settings {

struct RLModul {
  std::string name;
  std::string source;  // lines joined by CR LF
  bool operator==(const RLModul&) const = default;
};

class RLModule {
 public:
  // Appends a module and returns it; marks the list changed.
  RLModul& Add(std::string name, std::string source = {});
  void Remove(std::size_t index);  // index from 1; marks the list changed
  void Clear();
  RLModul& Item(std::size_t index) { return modules_.at(index - 1); }  // index from 1
  const RLModul& Item(std::size_t index) const { return modules_.at(index - 1); }
  std::size_t Count() const { return modules_.size(); }

  // Sets the source of the module at `index` (from 1) and marks the list changed.
  void SetSource(std::size_t index, std::string source);

  bool Changed() const { return changed_; }
  void ResetChanged() { changed_ = false; }
  void MarkChanged() { changed_ = true; }

  auto begin() const { return modules_.begin(); }
  auto end() const { return modules_.end(); }

  // Equal modules in the same order; the changed mark is not compared.
  bool operator==(const RLModule& other) const { return modules_ == other.modules_; }

 private:
  std::vector<RLModul> modules_;
  bool changed_ = false;
};

}  // namespace velmora::settings
