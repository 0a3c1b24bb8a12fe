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

// True when `inner` is `outer` or lies below it, compared piece by piece
// ("/a/bc" is not inside "/a/b"); both already resolved.
bool PathWithin(const std::filesystem::path& inner, const std::filesystem::path& outer);

}  // namespace velmora
