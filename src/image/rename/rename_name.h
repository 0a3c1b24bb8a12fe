// New file names for clones and thumbnails, built from a mask such as
// "%_$_#" (directory, file name, running number). The caller adds the extension.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::image {

// One set of rename settings (clones or thumbnails), as the option page holds them.
struct RenameSettings {
  std::string mask;     // "%" directory name, "$" file name, "#" running number
  int digits = 4;       // least number of digits of the running number
  std::string find;     // texts to find in the file name, separated by ","
  std::string replace;  // their replacements, separated by ","
  int case_code = 0;    // 0 keep, 1 lower case, 2 upper case

  // From the setting texts; a number that cannot be read counts as 0.
  static RenameSettings FromTexts(std::string_view mask, std::string_view digits, std::string_view find,
                                  std::string_view replace, std::string_view case_code);
};

// The list split at every ","; an empty text is one empty entry.
std::vector<std::string> SplitRenameList(std::string_view list);

// The new name (without extension) of file `file_name` in directory `dir_name`
// with running number `number`. Find and replace apply only when the mask holds
// "$"; texts in the directory or file name that look like placeholders are
// copied as they are.
std::string RenameName(std::string_view mask, int digits, std::string_view find_list, std::string_view replace_list,
                       int case_code, std::string_view dir_name, std::string_view file_name, std::int64_t number);

inline std::string RenameName(const RenameSettings& s, std::string_view dir_name, std::string_view file_name,
                              std::int64_t number) {
  return RenameName(s.mask, s.digits, s.find, s.replace, s.case_code, dir_name, file_name, number);
}

}  // namespace velmora::image
