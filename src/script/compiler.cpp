// RiloScript compiler: grammar and code generation.
#include "script/compiler.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <string>
#include <vector>

#include "script/ansi.h"
#include "script/lexer.h"

namespace velmora::script {
namespace {

struct CompileFailure {
  int code;
  std::string token;
  bool has_token;
};

// An operand under construction, with the global it names (for the
// read-only check of assignments and element accesses).
struct Expr {
  Operand op;
  const RLSVariable* global = nullptr;
  bool temporary() const { return op.IsTemporary(); }
};

bool CanStartOperand(int kind) {
  switch (kind) {
    case tok::kIdentifier: case tok::kString: case tok::kInteger: case tok::kHex: case tok::kDecimal:
    case tok::kSymbol: case tok::kLoneAt: case tok::kUnterminatedString: case '(': case '-': case '+':
    case tok::kNot: case tok::kTilde:
      return true;
    default:
      return false;
  }
}

bool IsLiteral(int kind) {
  return kind == tok::kInteger || kind == tok::kHex || kind == tok::kDecimal || kind == tok::kString ||
         kind == tok::kSymbol;
}

// Binding strength of the binary operators between `&&` and the unary level.
int Precedence(int kind, Opcode& op) {
  switch (kind) {
    case tok::kOr: op = Opcode::kBitOr; return 1;
    case tok::kXor: op = Opcode::kBitXor; return 2;
    case tok::kAnd: op = Opcode::kBitAnd; return 3;
    case tok::kEqual: op = Opcode::kEqual; return 4;
    case tok::kNotEqual: op = Opcode::kNotEqual; return 4;
    case tok::kLessEqual: op = Opcode::kLessEqual; return 5;
    case tok::kLess: op = Opcode::kLess; return 5;
    case tok::kGreaterEqual: op = Opcode::kGreaterEqual; return 5;
    case tok::kGreater: op = Opcode::kGreater; return 5;
    case '+': op = Opcode::kAdd; return 6;
    case '-': op = Opcode::kSubtract; return 6;
    case tok::kSlash: op = Opcode::kDivide; return 7;
    case '*': op = Opcode::kMultiply; return 7;
    case '%': op = Opcode::kModulo; return 7;
    default: return 0;
  }
}

std::string TemplateText(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '~' && i + 1 < text.size() && (text[i + 1] == '<' || text[i + 1] == '>')) {
      result.push_back(text[i + 1] == '<' ? '{' : '}');
      ++i;
    } else {
      result.push_back(text[i]);
    }
  }
  return result;
}

class Compiler {
 public:
  Compiler(Program& program, std::string_view source, SourceKind kind, std::string_view name)
      : program_(program), source_(source), kind_(kind), name_(name) {}

  CompileResult Run() {
    CompileResult result;
    lexer_.Reset(source_, kind_ == SourceKind::kTemplate ? LexMode::kTemplate : LexMode::kCode);
    try {
      if (kind_ == SourceKind::kTemplate) {
        TemplateSource();
      } else {
        ModuleSource();
      }
    } catch (const CompileFailure& failure) {
      result.code = failure.code;
      result.token = failure.token;
      result.line = lexer_.line();
      result.token_start = lexer_.token_start();
      if (failure.code == err::kMissingStringDelimiter || failure.code == err::kMissingEnumName) {
        // The caret goes just behind the broken token.
        result.token_start += static_cast<int>(failure.token.size()) + (failure.code == err::kMissingStringDelimiter ? 1 : 0);
      }
      if (function_ != nullptr) program_.functions().Remove(function_->name);
    }
    return result;
  }

 private:
  // ---- errors and tokens ----
  [[noreturn]] void Fail(int code) { throw CompileFailure{code, lexer_.Peek().text, false}; }
  [[noreturn]] void Fail(int code, std::string token) { throw CompileFailure{code, std::move(token), true}; }
  int PeekKind() { return lexer_.Peek().kind; }
  void Expect(int kind, int code) {
    if (PeekKind() != kind) Fail(code);
    lexer_.Consume();
  }

  // Nesting guard: the parser recurses on the C++ stack for every level.
  struct Nesting {
    explicit Nesting(Compiler& c) : c_(c) {
      if (++c_.depth_ > kMaxNesting) c_.Fail(err::kNestingTooDeep);
    }
    ~Nesting() { --c_.depth_; }
    Compiler& c_;
  };

  // ---- emitting ----
  RLSInstructionArray& code() { return function_->code; }
  std::size_t Emit(Opcode op, Operand a = Operand::None(), Operand b = Operand::None()) {
    code().push_back(RLSInstruction{op, a, b});
    return code().size() - 1;
  }
  std::int32_t NextIndex() { return static_cast<std::int32_t>(code().size()) + 1; }
  void Patch(std::size_t at, std::int32_t target) {
    RLSInstruction& i = code()[at];
    (i.opcode == Opcode::kJump ? i.a : i.b).index = target;
    farthest_target_ = std::max(farthest_target_, target);
  }
  std::size_t EmitJump(std::int32_t target = 0) { return Emit(Opcode::kJump, Operand::Index(target)); }
  std::size_t EmitJumpIfFalse(const Expr& c) { return Emit(Opcode::kJumpIfFalse, c.op, Operand::Index(0)); }
  Operand Constant(Value* cell) { return Operand::Cell(OperandKind::kConstant, cell); }
  void PushUnlessStack(const Expr& e) {
    if (e.op.kind != OperandKind::kStack) Emit(Opcode::kAssign, Operand::Stack(), e.op);
  }

  // ---- sources ----
  void ModuleSource() {
    while (PeekKind() != tok::kEndOfInput) {
      if (PeekKind() != tok::kFunction) Fail(err::kMissingFunction);
      lexer_.Consume();
      if (PeekKind() != tok::kIdentifier) Fail(err::kInvalidFunctionname);
      const std::string name = lexer_.Next().text;
      BeginFunction(name);
      Expect('(', err::kArgumentlist);
      while (PeekKind() == tok::kIdentifier) {
        function_->locals.GetOrCreate(lexer_.Next().text, 1);
        if (PeekKind() == ',') lexer_.Consume();
      }
      Expect(')', err::kFunctionargumentsMissingTailingBracket);
      Expect(tok::kLeftBrace, err::kBodyMissing);
      Statements();
      Expect(tok::kRightBrace, err::kFunctionMissingTailingBracket);
      // Every path must end in a return, also a jump to just behind the last
      // instruction (`if (a) return 1;` as the whole body).
      if (code().empty() || code().back().opcode != Opcode::kReturn ||
          farthest_target_ > static_cast<std::int32_t>(code().size())) {
        Emit(Opcode::kReturn, Constant(program_.constants().AddString("")));
      }
      function_ = nullptr;
    }
  }

  void TemplateSource() {
    BeginFunction(name_);
    function_->all_global = true;
    for (;;) {
      const int kind = PeekKind();
      if (kind == tok::kTemplateText) {
        Emit(Opcode::kOutput, Constant(program_.constants().AddString(TemplateText(lexer_.Peek().text))));
        lexer_.SetMode(LexMode::kCode);
        lexer_.Consume();
      } else if (kind == tok::kEmpty) {
        lexer_.SetMode(LexMode::kCode);
        lexer_.Consume();
      } else if (kind == tok::kLeftBrace) {
        lexer_.Consume();
        Statements();
        // A text that ends inside a block counts as closing it.
        if (PeekKind() == tok::kRightBrace) {
          lexer_.SetMode(LexMode::kTemplate);
          lexer_.Consume();
        } else if (PeekKind() != tok::kEndOfInput) {
          Fail(err::kMissingRightBraceBracket);
        }
      } else if (kind == tok::kEndOfInput) {
        Emit(Opcode::kEndOfTemplate);
        break;
      } else {
        Fail(err::kMissingOperator);
      }
    }
    function_ = nullptr;
  }

  void BeginFunction(const std::string& name) {
    RLSFunktion* f = program_.functions().Define(name, name_);
    if (f == nullptr) Fail(err::kFunctionAlreadyExist, name);
    function_ = f;
    breakable_ = 0;
    loops_ = 0;
    breaks_.clear();
    continues_.clear();
    loop_switch_values_.clear();
    switch_values_ = 0;
    farthest_target_ = 0;
  }

  // ---- statements ----
  void Statements() {
    for (;;) {
      const int kind = PeekKind();
      if (kind == tok::kRightBrace || kind == tok::kCase || kind == tok::kDefault || kind == tok::kEndOfInput) return;
      Statement();
    }
  }

  void Statement() {
    Nesting nesting(*this);
    switch (PeekKind()) {
      case ';': lexer_.Consume(); return;
      case tok::kLeftBrace:
        lexer_.Consume();
        Statements();
        Expect(tok::kRightBrace, err::kMissingRightBraceBracket);
        return;
      case tok::kIf: return IfStatement();
      case tok::kWhile: return WhileStatement();
      case tok::kFor: return ForStatement();
      case tok::kSwitch: return SwitchStatement();
      case tok::kBreak:
        lexer_.Consume();
        if (breakable_ == 0) Fail(err::kBreak, "break");
        breaks_.push_back(EmitJump());
        return;
      case tok::kContinue:
        lexer_.Consume();
        if (loops_ == 0) Fail(err::kContinue, "continue");
        // Leaving switches whose value waits on the stack drops those values.
        for (int i = switch_values_; i > loop_switch_values_.back(); --i) Emit(Opcode::kPop);
        continues_.push_back(EmitJump());
        return;
      case tok::kReturn: return ReturnStatement();
      case tok::kGlobal: return GlobalDeclaration();
      default: return ExpressionStatement();
    }
  }

  Expr Condition() {
    lexer_.Consume();
    Expect('(', err::kMissingLeftBracket);
    Expr c = Comma();
    Expect(')', err::kMissingRightBracket);
    return c;
  }

  void IfStatement() {
    const std::size_t skip = EmitJumpIfFalse(Condition());
    Statement();
    if (PeekKind() == tok::kElse) {
      lexer_.Consume();
      const std::size_t end = EmitJump();
      Patch(skip, NextIndex());
      Statement();
      Patch(end, NextIndex());
    } else {
      Patch(skip, NextIndex());
    }
  }

  // Loops and switches: break (and for loops continue) jumps recorded inside
  // are patched when the statement ends.
  struct Breakable {
    std::size_t breaks;
    std::size_t continues;
    bool loop;
  };
  Breakable Enter(bool loop) {
    ++breakable_;
    if (loop) {
      ++loops_;
      loop_switch_values_.push_back(switch_values_);
    }
    return {breaks_.size(), continues_.size(), loop};
  }
  void Leave(const Breakable& b, std::int32_t break_target, std::int32_t continue_target) {
    for (std::size_t i = b.breaks; i < breaks_.size(); ++i) Patch(breaks_[i], break_target);
    breaks_.resize(b.breaks);
    if (b.loop) {
      for (std::size_t i = b.continues; i < continues_.size(); ++i) Patch(continues_[i], continue_target);
      continues_.resize(b.continues);
      --loops_;
      loop_switch_values_.pop_back();
    }
    --breakable_;
  }

  void WhileStatement() {
    const std::int32_t top = NextIndex();
    const std::size_t exit = EmitJumpIfFalse(Condition());
    const Breakable b = Enter(true);
    Statement();
    EmitJump(top);
    Patch(exit, NextIndex());
    Leave(b, NextIndex(), top);
  }

  void PoppedExpression() {
    const Expr e = Comma();
    if (e.temporary()) Emit(Opcode::kPop);
  }

  void ForStatement() {
    lexer_.Consume();
    Expect('(', err::kMissingLeftBracket);
    if (PeekKind() != ';') PoppedExpression();
    Expect(';', err::kSemikolon);
    const std::int32_t condition = NextIndex();
    Expr c{Constant(program_.constants().SymbolCell(kSymTrue))};
    if (PeekKind() != ';') c = Comma();
    Expect(';', err::kSemikolon);
    const std::size_t exit = EmitJumpIfFalse(c);
    const std::size_t to_body = EmitJump();
    const std::int32_t next = NextIndex();
    if (PeekKind() != ')') PoppedExpression();
    Expect(')', err::kMissingRightBracket);
    EmitJump(condition);
    Patch(to_body, NextIndex());
    const Breakable b = Enter(true);
    Statement();
    EmitJump(next);
    Patch(exit, NextIndex());
    Leave(b, NextIndex(), next);
  }

  void SwitchStatement() {
    const Expr value = Condition();
    Expect(tok::kLeftBrace, err::kMissingLeftBraceBracket);
    const Breakable b = Enter(false);
    if (value.temporary()) ++switch_values_;
    std::vector<std::size_t> ends;
    std::size_t miss = SIZE_MAX;
    std::int32_t default_start = 0;
    for (;;) {
      const int kind = PeekKind();
      if (kind == tok::kRightBrace) break;
      if (kind == tok::kCase) {
        lexer_.Consume();
        if (!IsLiteral(PeekKind())) Fail(err::kMssingConstant);
        const Operand label = Literal();
        Expect(':', err::kMissingColon);
        if (miss != SIZE_MAX) Patch(miss, NextIndex());
        Operand compared = value.op;
        if (value.temporary()) {
          Emit(Opcode::kDuplicate, Operand::Stack(), value.op);
          compared = Operand::Stack();
        }
        Emit(Opcode::kEqual, compared, label);
        miss = Emit(Opcode::kJumpIfFalse, Operand::Stack(), Operand::Index(0));
      } else if (kind == tok::kDefault) {
        lexer_.Consume();
        Expect(':', err::kMissingColon);
        // Entering the switch runs the case tests first, also when the
        // default stands before them.
        const std::size_t over = EmitJump();
        default_start = NextIndex();
        Statements();
        ends.push_back(EmitJump());
        Patch(over, NextIndex());
        continue;
      } else {
        Fail(err::kMissingRightBraceBracket);
      }
      Statements();
      ends.push_back(EmitJump());
    }
    lexer_.Consume();
    if (miss != SIZE_MAX) Patch(miss, default_start != 0 ? default_start : NextIndex());
    else if (default_start != 0) EmitJump(default_start);
    const std::int32_t end = NextIndex();
    for (std::size_t e : ends) Patch(e, end);
    if (value.temporary()) {
      Emit(Opcode::kPop);
      --switch_values_;
    }
    Leave(b, end, 0);
  }

  void ReturnStatement() {
    lexer_.Consume();
    if (CanStartOperand(PeekKind())) {
      const Expr e = Comma();
      Emit(Opcode::kReturn, e.op);
    } else {
      Emit(Opcode::kReturn, Constant(program_.constants().AddInteger(0)));
    }
    if (PeekKind() == ';') lexer_.Consume();
  }

  void GlobalDeclaration() {
    lexer_.Consume();
    for (;;) {
      const int kind = PeekKind();
      if (kind == ';') {
        lexer_.Consume();
        return;
      }
      if (kind == tok::kIdentifier) {
        RLSVariable* g = program_.globals().GetOrCreate(lexer_.Peek().text);
        function_->declared_globals.push_back(g);
      } else if (kind != ',') {
        Fail(err::kGlobalList);
      }
      lexer_.Consume();
    }
  }

  void ExpressionStatement() {
    const bool outer = has_effect_;
    has_effect_ = false;
    const Expr e = Comma();
    const int kind = PeekKind();
    if (kind == ';') {
      lexer_.Consume();
    } else if (kind != tok::kRightBrace && !(kind == tok::kEndOfInput && kind_ == SourceKind::kTemplate)) {
      Fail(err::kSemikolon);
    }
    // A bare expression writes its value; one with an assignment in it does not.
    if (!has_effect_) {
      Emit(Opcode::kOutput, e.op);
    } else if (e.temporary()) {
      Emit(Opcode::kPop);
    }
    has_effect_ = outer;
  }

  // ---- expressions ----
  Expr Comma() {
    Expr left = Assignment();
    while (PeekKind() == ',') {
      lexer_.Consume();
      if (left.temporary()) Emit(Opcode::kPop);
      left = Assignment();
    }
    return left;
  }

  // Right-associative: the chain of destinations is assigned right to left.
  Expr Assignment() {
    Nesting nesting(*this);
    Expr left = Conditional();
    if (PeekKind() != tok::kAssign) return left;
    std::vector<Expr> destinations;
    while (PeekKind() == tok::kAssign) {
      has_effect_ = true;
      if (left.global != nullptr && left.global->readonly) Fail(err::kAssignmentReadonly, left.global->bezeichner);
      if (!left.op.IsAssignable()) Fail(err::kAssignmentInvalid);
      lexer_.Consume();
      destinations.push_back(left);
      left = Conditional();
    }
    for (auto it = destinations.rbegin(); it != destinations.rend(); ++it) {
      const bool same = it->op.kind == left.op.kind && it->op.kind != OperandKind::kElementRef &&
                        it->op.cell == left.op.cell && it->op.index == left.op.index;
      if (same) {
      } else if (FusesIntoAddAssign(it->op, left.op)) {
        code().back().opcode = Opcode::kAddAssign;
      } else {
        Emit(Opcode::kAssign, it->op, left.op);
      }
      left = *it;
    }
    return left;
  }

  // `x = x + e`: the add just emitted reads the destination itself and no
  // jump lands between it and the assignment.
  bool FusesIntoAddAssign(const Operand& dest, const Operand& source) {
    if (source.kind != OperandKind::kStack || code().empty()) return false;
    const RLSInstruction& last = code().back();
    if (last.opcode != Opcode::kAdd || last.a.kind != dest.kind) return false;
    if (dest.kind == OperandKind::kGlobal && last.a.cell != dest.cell) return false;
    if (dest.kind == OperandKind::kLocal && last.a.index != dest.index) return false;
    if (dest.kind != OperandKind::kGlobal && dest.kind != OperandKind::kLocal) return false;
    return farthest_target_ < NextIndex();
  }

  Expr Conditional() {
    Expr c = LogicalOr();
    if (PeekKind() != '?') return c;
    std::vector<std::size_t> ends;
    while (PeekKind() == '?') {
      lexer_.Consume();
      const std::size_t skip = EmitJumpIfFalse(c);
      PushUnlessStack(Comma());
      ends.push_back(EmitJump());
      Patch(skip, NextIndex());
      Expect(':', err::kMissingColon);
      c = LogicalOr();
    }
    PushUnlessStack(c);
    for (std::size_t e : ends) Patch(e, NextIndex());
    return Expr{Operand::Stack()};
  }

  Expr LogicalOr() { return Logical(tok::kOrOr, Opcode::kOrJump, kSymFalse, &Compiler::LogicalAnd); }
  Expr LogicalAnd() { return Logical(tok::kAndAnd, Opcode::kAndJump, kSymTrue, &Compiler::BinaryLevels); }

  // Each operand jumps out with the deciding symbol; falling through the
  // last one pushes the other symbol.
  Expr Logical(int token, Opcode jump, Sym fall_through, Expr (Compiler::*operand)()) {
    Expr left = (this->*operand)();
    if (PeekKind() != token) return left;
    std::vector<std::size_t> jumps{Emit(jump, left.op, Operand::Index(0))};
    while (PeekKind() == token) {
      lexer_.Consume();
      jumps.push_back(Emit(jump, (this->*operand)().op, Operand::Index(0)));
    }
    Emit(Opcode::kAssign, Operand::Stack(), Constant(program_.constants().SymbolCell(fall_through)));
    for (std::size_t j : jumps) Patch(j, NextIndex());
    return Expr{Operand::Stack()};
  }

  Expr BinaryLevels() { return Binary(1); }

  Expr Binary(int min_precedence) {
    Expr left = Unary();
    for (;;) {
      Opcode op = Opcode::kNop;
      const int precedence = Precedence(PeekKind(), op);
      if (precedence == 0 || precedence < min_precedence) return left;
      lexer_.Consume();
      const Expr right = Binary(precedence + 1);
      Emit(op, left.op, right.op);
      left = Expr{Operand::Stack()};
    }
  }

  Expr Unary() {
    std::vector<Opcode> ops;
    for (;;) {
      const int kind = PeekKind();
      if (kind == '-') ops.push_back(Opcode::kNegate);
      else if (kind == tok::kNot) ops.push_back(Opcode::kNot);
      else if (kind == tok::kTilde) ops.push_back(Opcode::kBitNot);
      else if (kind != '+') break;
      lexer_.Consume();
    }
    Expr e = Primary();
    for (auto it = ops.rbegin(); it != ops.rend(); ++it) {
      Emit(*it, e.op);
      e = Expr{Operand::Stack()};
    }
    return e;
  }

  Operand Literal() {
    const Token t = lexer_.Next();
    RLSKonstanteArray& constants = program_.constants();
    switch (t.kind) {
      case tok::kInteger: {
        std::int32_t v = 0;
        const auto r = std::from_chars(t.text.data(), t.text.data() + t.text.size(), v);
        if (r.ec != std::errc() || r.ptr != t.text.data() + t.text.size()) Fail(err::kNumberRange, t.text);
        return Constant(constants.AddInteger(v));
      }
      case tok::kHex: {
        std::uint32_t v = 0;
        const char* begin = t.text.data() + 2;
        const auto r = std::from_chars(begin, t.text.data() + t.text.size(), v, 16);
        if (r.ec != std::errc() || r.ptr != t.text.data() + t.text.size()) Fail(err::kNumberRange, t.text);
        return Constant(constants.AddInteger(static_cast<std::int32_t>(v)));
      }
      case tok::kDecimal: {
        // An appended "0" makes "1." and "." readable.
        const std::string text = t.text + "0";
        return Constant(constants.AddDouble(std::strtod(text.c_str(), nullptr)));
      }
      case tok::kString: return Constant(constants.AddString(t.text));
      default: return Constant(constants.AddSymbol(t.text));
    }
  }

  Expr Primary() {
    const int kind = PeekKind();
    if (IsLiteral(kind)) return Expr{Literal()};
    if (kind == tok::kLoneAt) Fail(err::kMissingEnumName);
    if (kind == tok::kUnterminatedString) Fail(err::kMissingStringDelimiter);
    if (kind == '(') {
      lexer_.Consume();
      Expr e = Comma();
      Expect(')', err::kMissingRightBracket);
      return e;
    }
    if (kind != tok::kIdentifier) Fail(err::kMissingOperator);
    const std::string name = lexer_.Next().text;
    if (PeekKind() == '(') return Call(name);
    Expr variable = Variable(name);
    if (PeekKind() == '[') return Element(variable);
    return variable;
  }

  Expr Variable(std::string_view name) {
    if (!function_->all_global) {
      const std::string lower = AnsiLower(name);
      for (RLSVariable* g : function_->declared_globals) {
        if (g->bezeichner == lower) return Expr{Operand::Cell(OperandKind::kGlobal, &g->value), g};
      }
      return Expr{Operand::Local(function_->locals.GetOrCreate(name, 0).slot)};
    }
    RLSVariable* g = program_.globals().GetOrCreate(name);
    return Expr{Operand::Cell(OperandKind::kGlobal, &g->value), g};
  }

  Expr Element(const Expr& variable) {
    if (variable.global != nullptr && variable.global->readonly) {
      Fail(err::kAssignmentReadonly, variable.global->bezeichner);
    }
    lexer_.Consume();
    if (PeekKind() == ']') {
      lexer_.Consume();
      Emit(Opcode::kElement, variable.op);
      return Expr{Operand::Stack()};
    }
    Opcode op = Opcode::kElement;
    if (PeekKind() == '#') {
      lexer_.Consume();
      op = Opcode::kElementKey;
    }
    const Expr key = Comma();
    Expect(']', err::kMissingRightSquareBracket);
    Emit(op, variable.op, key.op);
    return Expr{Operand::ElementRef()};
  }

  Expr Call(const std::string& name) {
    lexer_.Consume();
    RLSFunktion* callee = program_.functions().Reference(name, name_);
    const bool internal = callee->state == FunctionState::kInternal;
    std::int32_t count = 0;
    for (;;) {
      if (PeekKind() == ')') break;
      if (!CanStartOperand(PeekKind())) Fail(err::kArgumentlist);
      const Expr argument = Assignment();
      const OperandKind k = argument.op.kind;
      // Context variables are passed as copies: no built-in may change them.
      const bool writable = k == OperandKind::kLocal || (k == OperandKind::kGlobal && !argument.global->readonly);
      if (internal && writable) {
        Emit(Opcode::kPushReference, argument.op);
      } else {
        PushUnlessStack(argument);
      }
      ++count;
      if (PeekKind() == ',') {
        lexer_.Consume();
        if (PeekKind() == ')') Fail(err::kMissingArgument);
      }
    }
    lexer_.Consume();
    Emit(Opcode::kArgumentCount, Operand::Index(count));
    Emit(Opcode::kCall, Operand::Function(callee));
    return Expr{Operand::Stack()};
  }

  Program& program_;
  std::string_view source_;
  SourceKind kind_;
  std::string name_;
  Lexer lexer_;
  RLSFunktion* function_ = nullptr;
  int depth_ = 0;
  bool has_effect_ = false;
  int breakable_ = 0;
  int loops_ = 0;
  std::int32_t farthest_target_ = 0;
  int switch_values_ = 0;                // switch values on the stack at this point
  std::vector<int> loop_switch_values_;  // ... when each enclosing loop began
  std::vector<std::size_t> breaks_;
  std::vector<std::size_t> continues_;
};

}  // namespace

CompileResult Compile(Program& program, std::string_view source, SourceKind kind, std::string_view name) {
  return Compiler(program, source, kind, name).Run();
}

}  // namespace velmora::script
