// The libraries behind the codecs that only the image library links, with
// their versions as loaded: libheif (and the coders it found), libwebp and
// Little CMS. For `velmora --version` and the start-up report.
#pragma once

#include <string>
#include <vector>

namespace velmora::image {

struct CodecLibrary {
  std::string file_prefix;  // of the shared object's file name, "libheif.so"
  std::string name;         // "libheif"
  std::string version;      // "libheif 1.15.1 (HEVC decoder: ...)"
};

std::vector<CodecLibrary> CodecLibraries();

}  // namespace velmora::image
