// Program start-up.
#include "app/startup.h"

#include <cstdio>
#include <string_view>

#include "app/version.h"

namespace velmora {

int RunProgram(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--version") {
      std::printf("velmora %.*s\n", static_cast<int>(kProgramVersionText.size()), kProgramVersionText.data());
      return 0;
    }
  }
  std::fprintf(stderr, "velmora: batch mode is not available yet\n");
  return 2;
}

}  // namespace velmora
