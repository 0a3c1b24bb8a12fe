// How the program was called: the options answered before the command line
// is parsed (help, version, asking on the terminal) and the raw command line
// rebuilt from the argument vector.
#pragma once

#include <string>
#include <vector>

namespace velmora::app {

struct ProgramCall {
  bool help = false;     // -h, --help
  bool version = false;  // --version
  bool ask = false;      // --ask: questions are asked on the terminal
  // The arguments joined by blanks, the value part of every "/name=value" in
  // quotes (an inner quote doubled), so that Linux paths with "/" and values
  // with blanks reach the tokenizer unchanged. Windows-1252.
  std::string command_line;
  // The first argument that is not UTF-8 or holds a character Windows-1252
  // lacks (as given); empty when all arguments convert.
  std::string unconvertible;
};

ProgramCall ReadProgramCall(const std::vector<std::string>& arguments);

}  // namespace velmora::app
