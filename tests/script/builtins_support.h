// Runs small scripts for the internal-function tests and reads the error
// report they leave behind.
#pragma once

#include <string>
#include <string_view>

#include "platform/log.h"
#include "script_runner.h"
#include "support/temp_dir.h"

namespace velmora::script::test {

class BuiltinRunner : public ScriptRunner {
 public:
  // The log catches the detail of each failure, which ERRS_LAST leaves out.
  BuiltinRunner() { ProgramLog().Open((log_dir_ / "script.log").string()); }
  ~BuiltinRunner() { ProgramLog().Close(); }

  // The output of `body` in a fresh program (Windows-1252 text in and out).
  std::string Eval(std::string_view body) { return RunBody(body); }
  int ErrorCode() { return Global("ERRN_LAST").integer(); }
  // ERRN_LAST after `body`, which is expected to print only @error; -1 when it printed anything else.
  int FailCode(std::string_view body) { return Eval(body) == "@error" ? ErrorCode() : -1; }
  std::string ErrorText() { return std::string(Global("ERRS_LAST").text()); }
  std::string ErrorChain() { return std::string(Global("ERRF_LAST").text()); }
  // The last line written to the log, without its date and time.
  std::string LastLogLine() {
    std::string text = velmora::test::ReadFile(log_dir_ / "script.log");
    while (text.ends_with("\r\n")) text.resize(text.size() - 2);
    text = text.substr(text.rfind("\r\n") == std::string::npos ? 0 : text.rfind("\r\n") + 2);
    const std::size_t at = text.find(" RiloScript ");
    return at == std::string::npos ? text : text.substr(at + 1);
  }

 private:
  velmora::test::TempDir log_dir_;
};

}  // namespace velmora::script::test
