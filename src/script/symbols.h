// The tables that the compiler fills and the machine reads: named constants
// (symbols), literal constants, global variables, local variables and
// functions. One Program owns them all, from one reset to the next.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "script/file_access.h"
#include "script/image_host.h"
#include "script/instruction.h"
#include "script/value.h"

namespace velmora::script {

// Ordinals of the named constants, in registration order (UNDEFINED = 1).
enum Sym : std::int32_t {
  kSymUndefined = 1, kSymTrue, kSymFalse, kSymEod, kSymEmpty, kSymInteger, kSymDouble, kSymString,
  kSymSymbol, kSymDate, kSymArray, kSymKey, kSymError, kSymUnknown, kSymLeading, kSymTrailing, kSymBoth,
  kSymMain, kSymThumbnail, kSymGps, kSymMakernote, kSymDrivename, kSymDirname, kSymFilename, kSymFiletype,
  kSymBin, kSymOct, kSymHex, kSymRegexp, kSymFirst, kSymIndex, kSymCount, kSymRef, kSymDocref, kSymSize,
  kSymDimx, kSymDimy, kSymThumbref, kSymThumbname, kSymThumbtype, kSymThumbdimx, kSymThumbdimy,
  kSymHorizontal, kSymVertical, kSymNormal, kSymThin, kSymBold, kSymItalic, kSymUnderline, kSymStrikeout,
  kSymRed, kSymGreen, kSymBlue, kSymOutside, kSymBorder, kSymFill, kSymDsn, kSymAppend, kSymIonfile,
  kSymInifile,
};

// A named cell: globals, with the write protection of context variables.
struct RLSVariable {
  std::string bezeichner;  // lower-cased
  Value value;
  bool readonly = false;
};

// Literal constants, each distinct literal once, and the symbols.
class RLSKonstanteArray {
 public:
  RLSKonstanteArray();
  Value* AddInteger(std::int32_t v);
  Value* AddDouble(double v);
  Value* AddString(std::string_view text);
  // The symbol's constant cell, registering the name when it is new.
  Value* AddSymbol(std::string_view name);
  Value* SymbolCell(std::int32_t ordinal) { return symbol_cells_[static_cast<std::size_t>(ordinal - 1)]; }
  // Lower-case name without "@"; "ERROR!!!" outside the table.
  std::string_view SymbolName(std::int32_t ordinal) const;
  std::int32_t SymbolCount() const { return static_cast<std::int32_t>(symbol_names_.size()); }

 private:
  std::deque<Value> cells_;  // stable addresses for the instructions
  std::unordered_map<std::int32_t, Value*> integers_;
  std::unordered_map<std::uint64_t, Value*> doubles_;  // by bit pattern
  std::unordered_map<std::string, Value*> strings_;
  std::unordered_map<std::string, std::int32_t> symbols_;
  std::vector<std::string> symbol_names_;
  std::vector<Value*> symbol_cells_;
};

class RLSGlobaleVariableArray {
 public:
  // The read-only flag is set only when the cell is created.
  RLSVariable* GetOrCreate(std::string_view name, bool readonly = false);
  RLSVariable* Find(std::string_view name) const;

 private:
  std::deque<RLSVariable> cells_;
  std::unordered_map<std::string, RLSVariable*> by_name_;
};

struct RLSLokaleVariable {
  std::string bezeichner;
  int kind = 0;            // 1 parameter, 0 local
  std::int32_t slot = 0;   // frame slot: parameters first, then locals
};

class RLSLokaleVariableArray {
 public:
  // Parameters are all declared before the first plain local.
  const RLSLokaleVariable& GetOrCreate(std::string_view name, int kind);
  const RLSLokaleVariable* Find(std::string_view name) const;
  std::int32_t Count(int kind) const { return kind == 1 ? parameters_ : locals_; }

 private:
  std::vector<RLSLokaleVariable> variables_;
  std::int32_t parameters_ = 0;
  std::int32_t locals_ = 0;
};

class BuiltinCall;
using BuiltinRoutine = void (*)(BuiltinCall&);

enum class FunctionState : int { kReferenced = 0, kInternal = 1, kScript = 2 };

struct RLSFunktion {
  std::string name;          // lower-cased
  std::string module;        // the module it was compiled from
  FunctionState state = FunctionState::kReferenced;
  bool all_global = false;   // template functions: every name is a global
  RLSInstructionArray code;
  RLSLokaleVariableArray locals;
  std::vector<RLSVariable*> declared_globals;
  BuiltinRoutine routine = nullptr;
  std::string referenced_from;  // module of the first call, for the missing-function check
};

class RLSFunktionArray {
 public:
  RLSFunktion* Find(std::string_view name) const;
  // Get-or-create with state "referenced"; calls may precede definitions.
  RLSFunktion* Reference(std::string_view name, std::string_view calling_module);
  // Creates or completes an entry; null when the name is already defined.
  RLSFunktion* Define(std::string_view name, std::string_view module);
  // Forgets the definition. The record stays, since compiled calls point at it.
  void Remove(std::string_view name);
  // A function that is called somewhere and defined nowhere, or null.
  const RLSFunktion* FirstMissing() const;
  const std::deque<RLSFunktion>& all() const { return functions_; }

 private:
  RLSFunktion* GetOrCreate(std::string_view name);

  std::deque<RLSFunktion> functions_;
  std::unordered_map<std::string, RLSFunktion*> by_name_;
};

// Host-side handle of a context variable: the run writes the value straight
// into the cell, without any name lookup per update.
class ContextVariable {
 public:
  ContextVariable() = default;
  explicit ContextVariable(RLSVariable* cell) : cell_(cell) {}
  void SetInteger(std::int32_t v) { cell_->value = Value::Integer(v); }
  void SetDouble(double v) { cell_->value = Value::Double(v); }
  void SetDate(double v) { cell_->value = Value::Date(v); }
  void SetString(std::string_view text) { cell_->value.SetString(text); }
  const Value& value() const { return cell_->value; }
  bool valid() const { return cell_ != nullptr; }

 private:
  RLSVariable* cell_ = nullptr;
};

// The compiler instance's tables, from one reset to the next.
class Program {
 public:
  Program() { Reset(); }
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Fresh tables with the symbols, the read-only ERR globals and the
  // internal functions. Earlier handles and compiled code become invalid.
  void Reset();

  // Registers (or finds) a read-only global of the given type: 0 for
  // INTEGER, 0.0 for DOUBLE, "" otherwise, unless an initial value is given.
  ContextVariable RegisterContextVariable(std::string_view name, ValueType type, const Value* initial = nullptr);

  RLSKonstanteArray& constants() { return *constants_; }
  const RLSKonstanteArray& constants() const { return *constants_; }
  RLSGlobaleVariableArray& globals() { return *globals_; }
  RLSFunktionArray& functions() { return *functions_; }
  const RLSFunktionArray& functions() const { return *functions_; }

  // Globals the machine and the error report write.
  RLSVariable& errn_last() { return *errn_last_; }
  RLSVariable& errs_last() { return *errs_last_; }
  RLSVariable& errf_last() { return *errf_last_; }
  RLSVariable& arg_anz() { return *arg_anz_; }
  RLSVariable& return_value() { return *return_value_; }

  // What the built-ins may read and write; full unless the host restricts
  // it. Kept across Reset, since it belongs to the host, not to the script.
  FileAccess& file_access() { return file_access_; }
  const FileAccess& file_access() const { return file_access_; }

  // Where the image and metadata built-ins find the current image and the
  // run's directories; none outside a run. Kept across Reset, as the file
  // access is; the host outlives the program's use of it.
  ImageHost* image_host() const { return image_host_; }
  void SetImageHost(ImageHost* host) { image_host_ = host; }

 private:
  std::unique_ptr<RLSKonstanteArray> constants_;
  std::unique_ptr<RLSGlobaleVariableArray> globals_;
  std::unique_ptr<RLSFunktionArray> functions_;
  RLSVariable* errn_last_ = nullptr;
  RLSVariable* errs_last_ = nullptr;
  RLSVariable* errf_last_ = nullptr;
  RLSVariable* arg_anz_ = nullptr;
  RLSVariable* return_value_ = nullptr;
  FileAccess file_access_;
  ImageHost* image_host_ = nullptr;
};

}  // namespace velmora::script
