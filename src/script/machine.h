// The instruction machine: runs compiled functions on one value stack and
// writes what bare expressions evaluate to the current output sink.
//
// A host (the generation run, the page writers, the text stamp) works so:
//   Program program;                      // tables, symbols, built-ins
//   ContextVariable n = program.RegisterContextVariable("count_cur_file", ValueType::kInteger);
//   CompileModules(program, modules, SourceOrigin::kProfileModule);   // sources.h
//   CompileTemplate(program, text, "HTML_THUMB_PIC_TAG", SourceOrigin::kTemplate, page);
//   Machine machine(program);
//   const RLSFunktion* cell = program.functions().Find("HTML_THUMB_PIC_TAG");
//   n.SetInteger(7); machine.Run(*cell, sink);   // per image: no name lookups
//   program.return_value().value                  // _RETURN_VALUE after the call
#pragma once

#include <cassert>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "script/output_sink.h"
#include "script/symbols.h"
#include "script/value_stack.h"

namespace velmora::script {

// Bounds that keep a runaway script from taking the program down. Reaching
// one stops the host call with @ERROR and records the error (codes 23-25),
// except the call memory: a call that would pass it is not made and yields
// @ERROR (code 23), and the script goes on.
struct MachineLimits {
  // Arguments, locals, temporaries and call frames together: calls nest as
  // deep as this allows (a few million for a small recursive function).
  std::size_t call_memory_bytes = std::size_t{256} << 20;
  std::uint64_t template_instructions = 100'000'000;  // per host call of a template function
  std::uint64_t code_instructions = 0;              // per host call of a code function; 0 = no bound
  std::uint64_t max_output_bytes = std::uint64_t{256} << 20;  // per host call
};

enum class RunStatus {
  kOk,
  kNotFound,        // no such function: nothing ran
  kHasParameters,   // entry functions take no parameters: nothing ran
  kBusy,            // called while the machine runs
  kStackExhausted,  // temporaries of one expression filled the call memory
  kInstructionLimit,
  kOutputLimit,
};

class Machine {
 public:
  explicit Machine(Program& program, MachineLimits limits = {});
  ~Machine();
  Machine(const Machine&) = delete;
  Machine& operator=(const Machine&) = delete;

  // Runs a function without arguments, writing its output to `sink`;
  // afterwards `_RETURN_VALUE` holds its result (@UNDEFINED for a template).
  RunStatus Run(std::string_view function, OutputSink& sink);
  RunStatus Run(const RLSFunktion& function, OutputSink& sink);

  // The error report: sets ERRN_LAST, ERRS_LAST ("name: (code) text") and
  // ERRF_LAST (the call chain).
  void ReportError(int code, std::string_view function_name);
  // The names of the active functions, innermost first, joined by " < ".
  std::string CallChain() const;

  Program& program() { return program_; }
  const MachineLimits& limits() const { return limits_; }

 private:
  struct Frame {
    const RLSFunktion* function;
    const RLSInstruction* code;
    std::size_t pc;
    std::size_t base;
    std::int32_t argc;
  };

  RunStatus Execute();
  void Push(Value v) {
    if (sp_ >= slots_.usable()) [[unlikely]] {
      if (!slots_.Reach(sp_ + 1)) {
        Stop(RunStatus::kStackExhausted);
        return;
      }
    }
    stack_[sp_++] = std::move(v);
  }
  void PopTo(std::size_t sp);
  // The first slot above the running function's parameters and locals: the
  // compiled code only ever pops temporaries it pushed itself, so the stack
  // never drops below it. Debug builds check this and the other promises of
  // the compiler with assert; release builds compile the checks out.
  std::size_t FrameTop() const {
    return base_ + static_cast<std::size_t>(argc_) + static_cast<std::size_t>(function_->locals.Count(0));
  }
  Value& Variable(const Operand& o) {
    assert(o.kind != OperandKind::kLocal || base_ + static_cast<std::size_t>(o.index) < FrameTop());
    return o.kind == OperandKind::kLocal ? stack_[base_ + o.index] : *o.cell;
  }
  // The operand's value; a stack operand is popped (its slot stays readable
  // until the next push).
  const Value& In(const Operand& o) {
    switch (o.kind) {
      case OperandKind::kConstant:
      case OperandKind::kGlobal: return *o.cell;
      case OperandKind::kLocal: return Variable(o);
      default: assert(sp_ > FrameTop()); return stack_[--sp_].Deref();
    }
  }
  void Jump(const Operand& target) {
    assert(target.index >= 1 && static_cast<std::size_t>(target.index) <= function_->code.size());
    pc_ = static_cast<std::size_t>(target.index - 1);
  }
  void Assign(const RLSInstruction& in, bool pop_source);
  void AddAssign(const RLSInstruction& in);
  void Element(const RLSInstruction& in);
  void ElementKey(const RLSInstruction& in);
  void Call(const RLSFunktion& f);
  bool CallFits(const RLSFunktion& f) const;
  void CallInternal(const RLSFunktion& f, std::size_t args, std::int32_t n);
  void Return(Value result);
  void Output(const Value& v);
  void Stop(RunStatus status);

  Program& program_;
  MachineLimits limits_;
  ValueStack slots_;
  Value* stack_;  // slots_.data(), which never moves
  std::size_t sp_ = 0;
  std::vector<Frame> frames_;  // the callers of the running function
  const RLSFunktion* function_ = nullptr;
  const RLSInstruction* code_ = nullptr;
  std::size_t pc_ = 0;
  std::size_t base_ = 0;
  std::int32_t argc_ = 0;
  const RLSFunktion* builtin_ = nullptr;  // the internal function being called
  OutputSink* sink_ = nullptr;
  std::uint64_t output_bytes_ = 0;
  bool running_ = false;
  bool halted_ = false;
  RunStatus status_ = RunStatus::kOk;
  Value result_;
};

}  // namespace velmora::script
