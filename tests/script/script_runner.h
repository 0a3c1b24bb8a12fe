// Compiles sources into a fresh program and runs them, returning the output.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "lang/messages.h"
#include "script/compiler.h"
#include "script/machine.h"
#include "script/symbols.h"

namespace velmora::script::test {

class ScriptRunner {
 public:
  ScriptRunner() : machine(program) {}

  CompileResult CompileModule(std::string_view source, std::string_view name = "test") {
    return Compile(program, source, SourceKind::kModule, name);
  }
  CompileResult CompileTemplate(std::string_view source, std::string_view name = "snippet") {
    return Compile(program, source, SourceKind::kTemplate, name);
  }
  // The output of `function`, after compiling `source` as a module.
  std::string RunModule(std::string_view source, std::string_view function = "main") {
    last_compile = CompileModule(source);
    if (!last_compile.ok()) return "<compile error " + std::to_string(last_compile.code) + ">";
    return Run(function);
  }
  // In a fresh program, the body wrapped as `function main() { ... }`.
  std::string RunBody(std::string_view body) {
    program.Reset();
    return RunModule("function main() {\n" + std::string(body) + "\n}\n"); }
  std::string RunTemplate(std::string_view source, std::string_view name = "snippet") {
    last_compile = CompileTemplate(source, name);
    if (!last_compile.ok()) return "<compile error " + std::to_string(last_compile.code) + ">";
    return Run(name);
  }
  std::string Run(std::string_view function) {
    StringSink sink;
    status = machine.Run(function, sink);
    return sink.text();
  }
  const Value& Global(std::string_view name) { return program.globals().GetOrCreate(name)->value; }

  Program program;
  Machine machine;
  CompileResult last_compile;
  RunStatus status = RunStatus::kOk;
};

// Records every message shown while it lives.
class MessageRecorder {
 public:
  MessageRecorder() {
    previous_ = lang::SetMessageObserver([this](const lang::ShownMessage& m) { messages.push_back(m); });
  }
  ~MessageRecorder() { lang::SetMessageObserver(previous_); }
  std::vector<lang::ShownMessage> messages;

 private:
  lang::MessageObserver previous_;
};

}  // namespace velmora::script::test
