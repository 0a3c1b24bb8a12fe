// Finding the font file for a face name, weight and slant through the
// system's font configuration (fontconfig).
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "image/text/font_request.h"

namespace velmora::image {

struct FontFile {
  std::filesystem::path path;
  int index = 0;       // face within a collection file
  std::string family;  // the family that answered the request
  // The file lacks the asked-for style: the renderer thickens or slants
  // the outlines itself.
  bool synthetic_bold = false;
  bool synthetic_italic = false;
};

class FontFinder {
 public:
  // Reads the system's font configuration and font list once.
  FontFinder();
  ~FontFinder();
  FontFinder(const FontFinder&) = delete;
  FontFinder& operator=(const FontFinder&) = delete;

  // The named face (a Windows name through its metric-compatible
  // counterpart); when it is not installed, the first fallback face that is.
  // Nothing only when the system has no usable font at all.
  std::optional<FontFile> Find(const FontRequest& request) const;

 private:
  struct Config;
  std::unique_ptr<Config> config_;
};

}  // namespace velmora::image
