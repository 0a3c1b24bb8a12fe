// The path pieces the generation run's units share: folders of the run are
// Windows-1252 text joined with "/" (platform/path_join.h), file system names
// are native paths (platform/native_path.h converts between the two).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "image/rl_image_file.h"

namespace velmora::app {

// "name.extension" of one of an image's files, and the same as a native name.
std::string FileNameOf(const image::ImageFileFacts& file);
std::filesystem::path NativeFileName(const image::ImageFileFacts& file);

// Made absolute; the path itself when that fails.
std::filesystem::path Absolute(const std::filesystem::path& path);
// Made absolute with links, "." and ".." resolved as far as the path exists.
std::filesystem::path Canonical(const std::filesystem::path& path);

// The last name of a "/"-separated path, trailing separators ignored.
std::string LastComponent(const std::string& path);

// A link from `from_folder` to `target`, "/"-separated and encoded.
std::string RelativeLink(const std::filesystem::path& from_folder, const std::filesystem::path& target);

}  // namespace velmora::app
