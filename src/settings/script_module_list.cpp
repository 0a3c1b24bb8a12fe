// The profile's list of script modules.
#include "settings/script_module_list.h"

#include <iterator>
#include <stdexcept>

namespace velmora::settings {

RLModul& RLModule::Add(std::string name, std::string source) {
  changed_ = true;
  return modules_.emplace_back(RLModul{std::move(name), std::move(source)});
}

void RLModule::Remove(std::size_t index) {
  if (index == 0 || index > modules_.size()) throw std::out_of_range("module index");
  modules_.erase(std::next(modules_.begin(), static_cast<std::ptrdiff_t>(index - 1)));
  changed_ = true;
}

void RLModule::Clear() {
  if (!modules_.empty()) changed_ = true;
  modules_.clear();
}

void RLModule::SetSource(std::size_t index, std::string source) {
  Item(index).source = std::move(source);
  changed_ = true;
}

}  // namespace velmora::settings
