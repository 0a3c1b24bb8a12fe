// Native paths are std::filesystem::path (UTF-8 on Linux); these are the
// only ways between them and the Windows-1252 texts that name folders and
// files in settings, scripts and pages.
#pragma once

#include <filesystem>
#include <optional>

#include "platform/cp1252_text.h"

namespace velmora {

std::filesystem::path ToNativePath(const Cp1252Text& path);

// Nothing when the native name holds a character outside Windows-1252.
std::optional<Cp1252Text> FromNativePath(const std::filesystem::path& path);

// For names that only need to match or be logged: the path in Windows-1252,
// or its bytes unchanged when it cannot be converted.
Cp1252Text FromNativePathOrBytes(const std::filesystem::path& path);

// The path as a message shows it; never fails (see Cp1252Text::FromUtf8ForDisplay).
Cp1252Text DisplayPath(const std::filesystem::path& path);

// What ResolvedPath gives for a path whose links cannot all be followed
// because a folder on the way cannot be examined (no permission to search
// it, a loop of links, a name too long).
enum class Unresolvable {
  kEmpty,    // nothing: the caller refuses what it cannot place
  kLexical,  // the absolute path with only "." and ".." removed
};

// `path` made absolute, with ".", "..", the symbolic links of its existing
// part and a trailing separator resolved, so that two names of one place
// compare equal and PathWithin cannot be fooled by "x/../.." or a link out
// of a folder. Empty for an empty path or when the current folder is gone.
std::filesystem::path ResolvedPath(const std::filesystem::path& path, Unresolvable unresolvable);

// True when `inner` is `outer` or lies below it, compared piece by piece
// ("/a/bc" is not inside "/a/b"); both already resolved.
bool PathWithin(const std::filesystem::path& inner, const std::filesystem::path& outer);

}  // namespace velmora
