// The libraries the program relies on, with the version it was built against
// and the file loaded at run time, for the start-up report.
#pragma once

#include <string>
#include <vector>

namespace velmora::app {

struct ComponentVersion {
  std::string file;     // the loaded shared object, or the library's name when not loaded
  std::string version;  // the version of the headers the program was built with
};

std::vector<ComponentVersion> RuntimeComponents();

}  // namespace velmora::app
