// Small photo trees for runs of the real program, and what a run left in a
// folder: every file with its bytes, by its path below the folder.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "support/temp_dir.h"

namespace velmora::test {

// A photo drawn by ImageMagick; the format follows the extension.
inline void MakePhoto(const std::filesystem::path& file, int width = 160, int height = 120) {
  std::filesystem::create_directories(file.parent_path());
  const std::string command = "convert -size " + std::to_string(width) + "x" + std::to_string(height) +
                              " plasma:fractal -seed 7 '" + file.string() + "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

// Relative path -> bytes of every regular file below `folder`.
inline std::map<std::string, std::string> FilesBelow(const std::filesystem::path& folder) {
  std::map<std::string, std::string> files;
  std::error_code error;
  if (!std::filesystem::exists(folder, error)) return files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) files[entry.path().lexically_relative(folder).string()] = ReadFile(entry.path());
  }
  return files;
}

// True when ImageMagick reads the whole file without a complaint.
inline bool DecodesCleanly(const std::filesystem::path& file) {
  const std::string command = "convert -regard-warnings '" + file.string() + "' null: 2>/dev/null";
  return std::system(command.c_str()) == 0;
}

// A page is complete when it ends with the closing tag the writers put last.
inline bool IsCompletePage(const std::string& text) { return text.ends_with("</html>\r\n"); }

}  // namespace velmora::test
