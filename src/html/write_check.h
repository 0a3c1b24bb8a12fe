// The question a page or decoration writer asks before it creates or
// replaces a file: may this run write that path? The run answers it (it
// knows the clone folder and the photos); an empty check allows everything.
#pragma once

#include <filesystem>
#include <functional>

namespace velmora::html {

using WriteCheck = std::function<bool(const std::filesystem::path& file)>;

// True when `check` is empty or allows `file`.
inline bool MayWrite(const WriteCheck& check, const std::filesystem::path& file) { return !check || check(file); }

}  // namespace velmora::html
