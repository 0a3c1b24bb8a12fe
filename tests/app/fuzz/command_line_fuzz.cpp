// Feeds arbitrary bytes to the command-line tokenizer, both as a raw command
// line and split into an argument vector at NUL bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/command_arguments.h"
#include "platform/text_encoding.h"
#include "app/program_call.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  velmora::app::CommandArguments raw;
  raw.SetCommandLine(text);
  for (std::size_t i = 1; i <= raw.Count(); ++i) {
    if (!raw.ItemParameter(raw.ItemKey(i))) std::abort();
  }

  std::vector<std::string> arguments(1);
  for (char c : text) {
    if (c == '\0') arguments.emplace_back();
    else arguments.back() += c;
  }
  const auto call = velmora::app::ReadProgramCall(arguments);
  velmora::app::CommandArguments rebuilt;
  rebuilt.SetCommandLine(call.command_line);
  // When every argument is a well-formed "/name=value", each must come back
  // with its value unchanged, whatever the value holds.
  auto key_of = [](const std::string& argument) {
    const auto equals = argument.find('=');
    if (argument.size() < 2 || argument[0] != '/' || equals == std::string::npos) return std::string();
    const std::string key = argument.substr(1, equals - 1);
    return key.find_first_of(" /=\"") == std::string::npos ? key : std::string();
  };
  bool well_formed = call.unconvertible.empty();
  for (const std::string& argument : arguments) well_formed = well_formed && !key_of(argument).empty();
  if (well_formed) {
    if (rebuilt.Error()) std::abort();
    for (const std::string& argument : arguments) {
      // Keys arrive as UTF-8 and live in the program as Windows-1252.
      const auto value = rebuilt.ItemParameter(velmora::Utf8ToCp1252(key_of(argument)).value_or(""));
      if (!value) std::abort();
    }
  }
  return 0;
}
