// The error every image file operation raises: the number is 1000 plus the
// codec's code (1001 for the program's own failures), the source is the
// operation ("ReadImage") and the description the failing step ("IS_ReadJPG").
#pragma once

#include <stdexcept>
#include <string>
#include <utility>

namespace velmora::image {

class ImageError : public std::runtime_error {
 public:
  ImageError(int number, std::string source, std::string description, const std::string& detail = {})
      : std::runtime_error(source + ": " + description + (detail.empty() ? "" : " (" + detail + ")")),
        number_(number),
        source_(std::move(source)),
        description_(std::move(description)),
        detail_(detail) {}

  int number() const { return number_; }
  const std::string& source() const { return source_; }
  const std::string& description() const { return description_; }
  // The codec's own words on what went wrong, for the log.
  const std::string& detail() const { return detail_; }
  // The file the failing step read or wrote (Windows-1252); empty until the
  // pipeline, which knows which of an image's files it was at, records it.
  const std::string& path() const { return path_; }
  void set_path(std::string path) { path_ = std::move(path); }

 private:
  int number_;
  std::string source_;
  std::string description_;
  std::string detail_;
  std::string path_;
};

inline constexpr int kImageErrorBase = 1000;

}  // namespace velmora::image
