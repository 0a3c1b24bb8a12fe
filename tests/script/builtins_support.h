// Runs small scripts for the internal-function tests and reads the error
// report they leave behind.
#pragma once

#include <string>
#include <string_view>

#include "script_runner.h"

namespace velmora::script::test {

class BuiltinRunner : public ScriptRunner {
 public:
  // The output of `body` in a fresh program (Windows-1252 text in and out).
  std::string Eval(std::string_view body) { return RunBody(body); }
  int ErrorCode() { return Global("ERRN_LAST").integer(); }
  // ERRN_LAST after `body`, which is expected to print only @error; -1 when it printed anything else.
  int FailCode(std::string_view body) { return Eval(body) == "@error" ? ErrorCode() : -1; }
  std::string ErrorText() { return std::string(Global("ERRS_LAST").text()); }
  std::string ErrorChain() { return std::string(Global("ERRF_LAST").text()); }
};

}  // namespace velmora::script::test
