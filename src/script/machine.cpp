// RiloScript instruction machine.
#include "script/machine.h"

#include <algorithm>
#include <exception>

#include "platform/log.h"
#include "lang/messages.h"
#include "script/builtins/builtin.h"
#include "script/operations.h"
#include "script/rls_array.h"
#include "script/runtime_error.h"
#include "script/value_text.h"

namespace velmora::script {
namespace {

Value SymbolValue(Sym s) { return Value::Symbol(s); }

// Integer fast paths of the arithmetic and comparison opcodes; the general
// rules (promotion, texts, dates, @ERROR) live in operations.cpp.
bool BothIntegers(const Value& a, const Value& b) { return a.is(ValueType::kInteger) && b.is(ValueType::kInteger); }

Value WidenedInteger(std::int64_t r) {
  if (r >= INT32_MIN && r <= INT32_MAX) return Value::Integer(static_cast<std::int32_t>(r));
  return Value::Double(static_cast<double>(r));
}

}  // namespace

Machine::Machine(Program& program, MachineLimits limits)
    : program_(program),
      limits_(limits),
      slots_(limits.call_memory_bytes / sizeof(Value)),
      stack_(slots_.data()) {
  frames_.reserve(64);
}

Machine::~Machine() = default;

RunStatus Machine::Run(std::string_view name, OutputSink& sink) {
  const RLSFunktion* f = program_.functions().Find(name);
  if (f == nullptr || f->state != FunctionState::kScript) return RunStatus::kNotFound;
  return Run(*f, sink);
}

RunStatus Machine::Run(const RLSFunktion& f, OutputSink& sink) {
  if (running_) return RunStatus::kBusy;
  if (f.state != FunctionState::kScript) return RunStatus::kNotFound;
  // The host passes no arguments: a function with parameters cannot be an entry.
  if (f.locals.Count(1) != 0) return RunStatus::kHasParameters;
  running_ = true;
  status_ = RunStatus::kOk;
  sink_ = &sink;
  output_bytes_ = 0;
  sp_ = 0;
  frames_.clear();
  function_ = &f;
  code_ = f.code.data();
  pc_ = 0;
  base_ = 0;
  argc_ = 0;
  for (std::int32_t i = 0; i < f.locals.Count(0); ++i) Push(Value());
  program_.arg_anz().value = Value::Integer(0);
  const RunStatus status = Execute();
  PopTo(0);
  frames_.clear();
  // A deep recursion gives its memory back; everyday calls keep their slots.
  constexpr std::size_t kKeptSlots = std::size_t{1} << 16;
  if (slots_.usable() > kKeptSlots) slots_.Shrink(kKeptSlots);
  if (frames_.capacity() > kKeptSlots) frames_.shrink_to_fit();
  program_.return_value().value = std::move(result_);
  result_ = Value();
  running_ = false;
  sink_ = nullptr;
  return status;
}

void Machine::PopTo(std::size_t sp) {
  while (sp_ > sp) stack_[--sp_] = Value();
}

void Machine::Stop(RunStatus status) {
  if (status_ != RunStatus::kOk) return;
  status_ = status;
  const int code = status == RunStatus::kInstructionLimit ? rterr::kInstructionLimit
                   : status == RunStatus::kOutputLimit    ? rterr::kOutputLimit
                                                          : rterr::kRecursionTooDeep;
  ReportError(code, function_ != nullptr ? std::string_view(function_->name) : std::string_view());
  WriteLog("RiloScript " + std::string(program_.errs_last().value.text()) + " < " + CallChain());
  halted_ = true;
  result_ = ErrorValue();
}

RunStatus Machine::Execute() {
  const bool is_template = function_->all_global;
  const std::uint64_t bound = is_template ? limits_.template_instructions : limits_.code_instructions;
  std::uint64_t budget = bound == 0 ? UINT64_MAX : bound;
  const RLSKonstanteArray& constants = program_.constants();

  halted_ = false;
  while (!halted_) {
    if (--budget == 0) [[unlikely]] {
      Stop(RunStatus::kInstructionLimit);
      break;
    }
    assert(pc_ < function_->code.size());
    const RLSInstruction& in = code_[pc_++];
    switch (in.opcode) {
      case Opcode::kNop: break;
      case Opcode::kAssign: Assign(in, true); break;
      case Opcode::kDuplicate: Assign(in, false); break;
      case Opcode::kAdd:
      case Opcode::kSubtract:
      case Opcode::kMultiply: {
        const Value& b = In(in.b);
        const Value& a = In(in.a);
        if (BothIntegers(a, b)) {
          const std::int64_t x = a.integer();
          const std::int64_t y = b.integer();
          Push(WidenedInteger(in.opcode == Opcode::kAdd ? x + y : in.opcode == Opcode::kSubtract ? x - y : x * y));
        } else {
          Push(Binary(in.opcode, a, b, constants));
        }
        break;
      }
      case Opcode::kDivide:
      case Opcode::kModulo:
      case Opcode::kBitOr:
      case Opcode::kBitXor:
      case Opcode::kBitAnd: {
        const Value& b = In(in.b);
        const Value& a = In(in.a);
        Push(Binary(in.opcode, a, b, constants));
        break;
      }
      case Opcode::kEqual:
      case Opcode::kNotEqual:
      case Opcode::kLessEqual:
      case Opcode::kLess:
      case Opcode::kGreaterEqual:
      case Opcode::kGreater: {
        const Value& b = In(in.b);
        const Value& a = In(in.a);
        if (BothIntegers(a, b)) {
          const std::int32_t x = a.integer();
          const std::int32_t y = b.integer();
          bool r = false;
          switch (in.opcode) {
            case Opcode::kEqual: r = x == y; break;
            case Opcode::kNotEqual: r = x != y; break;
            case Opcode::kLessEqual: r = x <= y; break;
            case Opcode::kLess: r = x < y; break;
            case Opcode::kGreaterEqual: r = x >= y; break;
            default: r = x > y; break;
          }
          Push(Bool(r));
        } else {
          Push(Binary(in.opcode, a, b, constants));
        }
        break;
      }
      case Opcode::kNegate:
      case Opcode::kNot:
      case Opcode::kBitNot: {
        const Value& a = In(in.a);
        Push(Unary(in.opcode, a));
        break;
      }
      case Opcode::kArgumentCount: Push(Value::Integer(in.a.index)); break;
      case Opcode::kElement: Element(in); break;
      case Opcode::kElementKey: ElementKey(in); break;
      case Opcode::kCall: Call(*in.a.function); break;
      case Opcode::kReturn: {
        // Copy before the frame is popped: the value may live in it.
        Value result = In(in.a);
        Return(std::move(result));
        break;
      }
      case Opcode::kJumpIfTrue:
        if (IsTrue(In(in.a))) Jump(in.b);
        break;
      case Opcode::kJumpIfFalse:
        if (!IsTrue(In(in.a))) Jump(in.b);
        break;
      case Opcode::kOrJump:
        if (IsTrue(In(in.a))) {
          Push(SymbolValue(kSymTrue));
          Jump(in.b);
        }
        break;
      case Opcode::kAndJump:
        if (!IsTrue(In(in.a))) {
          Push(SymbolValue(kSymFalse));
          Jump(in.b);
        }
        break;
      case Opcode::kJump: Jump(in.a); break;
      case Opcode::kEndOfTemplate: Return(SymbolValue(kSymUndefined)); break;
      case Opcode::kPop:
        assert(sp_ > FrameTop());
        stack_[--sp_] = Value();
        break;
      case Opcode::kOutput: Output(In(in.a)); break;
      case Opcode::kAddAssign: AddAssign(in); break;
      case Opcode::kPushReference: Push(Value::VariableRef(&Variable(in.a))); break;
      default: Return(Value()); break;
    }
  }
  return status_;
}

void Machine::Assign(const RLSInstruction& in, bool pop_source) {
  Value value;
  if (in.b.IsTemporary()) {
    assert(sp_ > FrameTop());
    Value& top = stack_[sp_ - 1];
    if (!pop_source) {
      value = top.Deref();
    } else if (top.is(ValueType::kElementRef) || top.is(ValueType::kVariableRef)) {
      value = top.Deref();
      stack_[--sp_] = Value();
    } else {
      value = std::move(top);  // a result on the stack moves, it is not copied
      --sp_;
    }
  } else {
    value = In(in.b);
  }
  switch (in.a.kind) {
    case OperandKind::kGlobal:
    case OperandKind::kLocal: Variable(in.a) = std::move(value); break;
    // The element stays on the stack as the value of the assignment. An array
    // stored in an element is copied deeply, so no array can contain itself.
    case OperandKind::kElementRef:
      assert(sp_ > FrameTop() && stack_[sp_ - 1].is(ValueType::kElementRef));
      stack_[sp_ - 1].Deref() = value.DeepCopy();
      break;
    default: Push(std::move(value)); break;
  }
}

void Machine::AddAssign(const RLSInstruction& in) {
  const Value& b = In(in.b);
  Value& x = Variable(in.a);
  if (BothIntegers(x, b)) {
    x = WidenedInteger(static_cast<std::int64_t>(x.integer()) + b.integer());
    return;
  }
  const auto type = static_cast<int>(b.type());
  if (x.is(ValueType::kString) && type >= 1 && type <= 5) {
    NumberBuffer buffer;
    std::string storage;
    const std::string_view text = ValueText(b, program_.constants(), buffer, storage);
    if (x.text().size() + text.size() > kMaxStringBytes) {
      x = ErrorValue();
    } else {
      x.Append(text);
    }
    return;
  }
  Value sum = Binary(Opcode::kAdd, x, b, program_.constants());
  x = std::move(sum);
}

void Machine::Element(const RLSInstruction& in) {
  if (in.b.kind == OperandKind::kNone) {
    Value& variable = Variable(in.a);
    if (!variable.is(ValueType::kArray)) variable = Value::NewArray();
    Push(Value::Integer(static_cast<std::int32_t>(variable.array().Count())));
    return;
  }
  Value key = In(in.b);  // copied: the push below reuses its slot
  ArrayRep& array = Variable(in.a).MutableArray();
  ElementRep* element = nullptr;
  if (key.is(ValueType::kInteger)) {
    element = array.At(key.integer());
  } else if (key.is(ValueType::kString)) {
    element = array.FindOrInsert(key.text());
  }
  if (element == nullptr) {
    // A missing position or an unusable key gives a loose @ERROR cell; the
    // array does not grow.
    element = new ElementRep;
    element->value = ErrorValue();
  }
  Push(Value::ElementRef(element));
}

void Machine::ElementKey(const RLSInstruction& in) {
  Value key = In(in.b);
  const Value& variable = Variable(in.a);
  const ElementRep* element = nullptr;
  if (variable.is(ValueType::kArray)) {
    if (key.is(ValueType::kInteger)) element = variable.array().At(key.integer());
    if (key.is(ValueType::kString)) element = variable.array().Find(key.text());
  }
  Push(element != nullptr ? Value::String(element->key) : ErrorValue());
}

void Machine::Call(const RLSFunktion& f) {
  // The count from kArgumentCount on top, its arguments below it.
  assert(sp_ > FrameTop() && stack_[sp_ - 1].is(ValueType::kInteger));
  assert(stack_[sp_ - 1].integer() >= 0 &&
         sp_ - 1 - FrameTop() >= static_cast<std::size_t>(stack_[sp_ - 1].integer()));
  const std::int32_t n = stack_[--sp_].integer();
  const std::size_t args = sp_ - static_cast<std::size_t>(n);
  switch (f.state) {
    case FunctionState::kInternal: CallInternal(f, args, n); return;
    case FunctionState::kScript: break;
    default:
      PopTo(args);
      ReportError(rterr::kFunctionUnknown, f.name);
      Push(ErrorValue());
      return;
  }
  if (n != f.locals.Count(1)) {
    // A script function called with the wrong number of arguments does not run.
    PopTo(args);
    Push(ErrorValue());
    return;
  }
  if (!CallFits(f)) [[unlikely]] {
    // The call is not made: like any failed operation it yields @ERROR, and
    // the caller goes on (it may test for @ERROR and stop recursing).
    PopTo(args);
    ReportError(rterr::kRecursionTooDeep, f.name);
    WriteLog("RiloScript " + std::string(program_.errs_last().value.text()) + " at call depth " +
             std::to_string(frames_.size() + 1));
    Push(ErrorValue());
    return;
  }
  frames_.push_back(Frame{function_, code_, pc_, base_, argc_});
  function_ = &f;
  code_ = f.code.data();
  pc_ = 0;
  base_ = args;
  argc_ = n;
  for (std::int32_t i = 0; i < f.locals.Count(0); ++i) Push(Value());
  program_.arg_anz().value = Value::Integer(n);
}

// The memory of the value stack and the frames after this call, with room
// left for the temporaries of its expressions.
bool Machine::CallFits(const RLSFunktion& f) const {
  const std::size_t max_slots = slots_.max_slots();
  const std::size_t headroom = std::min<std::size_t>(4096, max_slots / 8);
  const std::size_t slots = sp_ + static_cast<std::size_t>(f.locals.Count(0)) + headroom;
  const std::size_t bytes = slots * sizeof(Value) + (frames_.size() + 1) * sizeof(Frame);
  return slots <= max_slots && bytes <= limits_.call_memory_bytes;
}

void Machine::CallInternal(const RLSFunktion& f, std::size_t args, std::int32_t n) {
  Value result;
  if (f.routine == nullptr) {
    lang::ShowMessageText(lang::kApplicationTitle, lang::kIconStop, "Internal Error%n%nCALL of Function%n%1",
                          {Cp1252Text(f.name)});
  } else {
    builtin_ = &f;
    BuiltinCall call(*this, f, &stack_[args], n, result);
    try {
      f.routine(call);
    } catch (const std::exception&) {
      // A failing library call inside a built-in must not end the run.
      call.Fail(rterr::kParameter);
    }
    builtin_ = nullptr;
  }
  PopTo(args);
  Push(std::move(result));
}

void Machine::Return(Value result) {
  if (halted_) return;  // a limit stopped the machine; its @ERROR stays the result
  if (result.is(ValueType::kElementRef) || result.is(ValueType::kVariableRef)) result = Value(result.Deref());
  assert(sp_ >= FrameTop());
  PopTo(base_);
  if (frames_.empty()) {
    result_ = std::move(result);
    halted_ = true;  // the entry call has returned
    return;
  }
  const Frame frame = frames_.back();
  frames_.pop_back();
  function_ = frame.function;
  code_ = frame.code;
  pc_ = frame.pc;
  base_ = frame.base;
  argc_ = frame.argc;
  Push(std::move(result));
  program_.arg_anz().value = Value::Integer(argc_);
}

void Machine::Output(const Value& v) {
  std::string_view text;
  NumberBuffer buffer;
  std::string storage;
  switch (v.type()) {
    case ValueType::kString: text = v.text(); break;
    case ValueType::kInteger: text = FormatInteger(v.integer(), buffer); break;
    default: text = OutputText(v, program_.constants(), buffer, storage); break;
  }
  output_bytes_ += text.size();
  if (output_bytes_ > limits_.max_output_bytes) [[unlikely]] {
    Stop(RunStatus::kOutputLimit);
    return;
  }
  sink_->Write(text);
  if (v.is(ValueType::kArray) && sink_->is_file()) sink_->Write("\r\n");
}

std::string Machine::CallChain() const {
  std::string chain;
  auto add = [&chain](const RLSFunktion* f) {
    if (f == nullptr) return;
    if (!chain.empty()) chain += " < ";
    chain += f->name;
  };
  add(builtin_);
  if (running_) add(function_);
  for (auto it = frames_.rbegin(); it != frames_.rend(); ++it) add(it->function);
  return chain;
}

void Machine::ReportError(int code, std::string_view function_name) {
  program_.errn_last().value = Value::Integer(code);
  std::string text(function_name);
  text += ": (";
  text += std::to_string(code);
  text += ") ";
  text += lang::GetText("Msg", RuntimeErrorKey(code));
  program_.errs_last().value = Value::String(text);
  program_.errf_last().value = Value::String(CallChain());
}

}  // namespace velmora::script
