// The user's input and the call chain.
#include "script/builtins/host.h"

#include <unistd.h>

#include <cstdio>
#include <string>

#include "platform/text_encoding.h"
#include "script/builtins/arguments.h"
#include "script/machine.h"

namespace velmora::script {
namespace {

// One line from standard input without its line end; nothing at end of input.
std::optional<std::string> ReadLine() {
  std::string line;
  int c = 0;
  while ((c = std::getchar()) != EOF && c != '\n') line += static_cast<char>(c);
  if (c == EOF && line.empty()) return std::nullopt;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

}  // namespace

// A question on the terminal: the prompt goes to standard error (standard
// output may be a page being written), the answer is one line. Without a
// terminal, as in batch runs and pipelines, the default is the answer.
void kif_input(BuiltinCall& call) {
  if (!call.CheckCount(1, 2)) return;
  const auto prompt = ArgumentText(call, call.Arg(1));
  const auto preset = call.count() == 2 ? ArgumentText(call, call.Arg(2)) : std::optional<std::string>("");
  if (!prompt || !preset) return call.Fail(rterr::kParametertype);
  if (!isatty(STDIN_FILENO) || !isatty(STDERR_FILENO)) return call.SetResult(Value::String(*preset));
  std::string question = Cp1252ToUtf8(*prompt);
  if (!preset->empty()) question += " [" + Cp1252ToUtf8(*preset) + "]";
  std::fprintf(stderr, "%s: ", question.c_str());
  std::fflush(stderr);
  const auto line = ReadLine();
  if (!line || line->empty()) return call.SetResult(Value::String(*preset));
  // Terminals type UTF-8; a line that is not (a Latin-1 terminal) is kept as it came.
  call.SetResult(Value::String(Utf8ToCp1252(*line).value_or(*line)));
}

void kif_callstack(BuiltinCall& call) {
  if (!call.CheckCount(0, 0)) return;
  // The chain starts with the running internal function, which is this one.
  std::string chain = call.machine().CallChain();
  const std::string own = std::string(call.name()) + " < ";
  if (chain.starts_with(own)) chain.erase(0, own.size());
  call.SetResult(Value::String(chain));
}

}  // namespace velmora::script
