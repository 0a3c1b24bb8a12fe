// The path pieces the generation run's units share: folders of the run are
// Windows-1252 text joined with "/", file system names are native paths.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace velmora::app {

std::filesystem::path Native(const std::string& cp1252);
std::string Cp1252Path(const std::filesystem::path& path);

// Made absolute; the path itself when that fails.
std::filesystem::path Absolute(const std::filesystem::path& path);
// Made absolute with links, "." and ".." resolved as far as the path exists.
std::filesystem::path Canonical(const std::filesystem::path& path);

// The last name of a "/"-separated path, trailing separators ignored.
std::string LastComponent(const std::string& path);

// A link from `from_folder` to `target`, "/"-separated and encoded.
std::string RelativeLink(const std::filesystem::path& from_folder, const std::filesystem::path& target);

}  // namespace velmora::app
