// Rebuilding the raw command line from the argument vector.
#include "app/program_call.h"

#include "platform/text_encoding.h"

namespace velmora::app {
namespace {

std::string QuoteValuePart(const std::string& argument) {
  const auto equals = argument.find('=');
  if (argument.empty() || argument.front() != '/' || equals == std::string::npos) return argument;
  std::string quoted = argument.substr(0, equals + 1) + '"';
  for (char c : argument.substr(equals + 1)) {
    quoted += c;
    if (c == '"') quoted += '"';
  }
  return quoted + '"';
}

}  // namespace

ProgramCall ReadProgramCall(const std::vector<std::string>& arguments) {
  ProgramCall call;
  for (const std::string& argument : arguments) {
    if (argument == "-h" || argument == "--help") {
      call.help = true;
    } else if (argument == "--version") {
      call.version = true;
    } else if (argument == "--ask") {
      call.ask = true;
    } else {
      auto converted = Utf8ToCp1252(argument);
      if (!converted) {
        if (call.unconvertible.empty()) call.unconvertible = argument;
        continue;
      }
      if (!call.command_line.empty()) call.command_line += ' ';
      call.command_line += QuoteValuePart(*converted);
    }
  }
  return call;
}

}  // namespace velmora::app
