// The program's command line: items of the form /name=value, where a value
// with blanks or slashes is written in quotes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "lang/keyed_collection.h"

namespace velmora::app {

struct CommandArgument {
  std::string key;        // the switch name without "/"
  std::string parameter;  // the value after "=", surrounding quotes removed
};

class CommandArguments {
 public:
  // Trims the text of blanks, keeps it and parses it at once.
  void SetCommandLine(std::string_view command_line);
  const std::string& CommandLine() const { return command_line_; }

  // True when the command line did not parse: a switch without "=" and
  // value, a value without a switch, an unclosed quote or a lone "/".
  bool Error() const { return error_; }

  std::size_t Count() const { return items_.Count(); }
  // The key of the item at a 1-based position; empty outside.
  std::string ItemKey(std::size_t index) const;
  // The parameter of the item with that key (any letter case), or nothing.
  std::optional<std::string> ItemParameter(std::string_view key) const;
  void Remove(std::string_view key) { items_.Remove(key); }

 private:
  void Parse();

  std::string command_line_;
  bool error_ = false;
  lang::KeyedCollection<CommandArgument> items_;
};

}  // namespace velmora::app
