// The one way folders and names are joined in path texts.
#include "platform/path_join.h"

namespace velmora {

std::string Join(std::string_view folder, std::string_view name) {
  if (folder.empty()) return std::string(name);
  if (name.empty() || name == ".") return std::string(folder);
  std::string joined(folder);
  if (joined.back() != '/') joined += '/';
  joined += name;
  return joined;
}

Cp1252Text Join(const Cp1252Text& folder, const Cp1252Text& name) { return Cp1252Text(Join(folder.bytes(), name.bytes())); }

}  // namespace velmora
