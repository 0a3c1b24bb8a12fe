// Crossings between Windows-1252 path texts and native paths.
#include "platform/native_path.h"

#include <system_error>

namespace velmora {

std::filesystem::path ToNativePath(const Cp1252Text& path) { return std::filesystem::path(path.ToUtf8()); }

std::optional<Cp1252Text> FromNativePath(const std::filesystem::path& path) {
  return Cp1252Text::FromUtf8(path.string());
}

std::filesystem::path ResolvedPath(const std::filesystem::path& path, Unresolvable unresolvable) {
  namespace fs = std::filesystem;
  if (path.empty()) return {};
  std::error_code error;
  const fs::path absolute = fs::absolute(path, error);
  if (error) return {};
  fs::path resolved = fs::weakly_canonical(absolute, error);
  if (error) {
    if (unresolvable == Unresolvable::kEmpty) return {};
    resolved = absolute.lexically_normal();
  }
  // "a/b/" and "a/b" are the same folder; the root keeps its separator.
  while (!resolved.has_filename() && resolved.has_relative_path()) resolved = resolved.parent_path();
  return resolved;
}

bool PathWithin(const std::filesystem::path& inner, const std::filesystem::path& outer) {
  auto i = inner.begin();
  for (auto o = outer.begin(); o != outer.end(); ++o, ++i) {
    if (o->empty()) continue;  // a trailing separator
    if (i == inner.end() || *i != *o) return false;
  }
  return true;
}

Cp1252Text FromNativePathOrBytes(const std::filesystem::path& path) {
  return FromNativePath(path).value_or(Cp1252Text(path.string()));
}

Cp1252Text DisplayPath(const std::filesystem::path& path) { return Cp1252Text::FromUtf8ForDisplay(path.string()); }

}  // namespace velmora
