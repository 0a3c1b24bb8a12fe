// Symbol, constant, variable and function tables.
#include "script/symbols.h"

#include <array>
#include <bit>

#include "script/ansi.h"
#include "script/builtins/builtin.h"

namespace velmora::script {
namespace {

constexpr std::array<std::string_view, 60> kSymbolNames{
    "undefined", "true",      "false",     "eod",       "empty",     "integer",    "double",    "string",
    "symbol",    "date",      "array",     "key",       "error",     "unknown",    "leading",   "trailing",
    "both",      "main",      "thumbnail", "gps",       "makernote", "drivename",  "dirname",   "filename",
    "filetype",  "bin",       "oct",       "hex",       "regexp",    "first",      "index",     "count",
    "ref",       "docref",    "size",      "dimx",      "dimy",      "thumbref",   "thumbname", "thumbtype",
    "thumbdimx", "thumbdimy", "horizontal", "vertical", "normal",    "thin",       "bold",      "italic",
    "underline", "strikeout", "red",       "green",     "blue",      "outside",    "border",    "fill",
    "dsn",       "append",    "ionfile",   "inifile"};

std::string_view WithoutAt(std::string_view name) { return !name.empty() && name[0] == '@' ? name.substr(1) : name; }

}  // namespace

RLSKonstanteArray::RLSKonstanteArray() {
  for (std::string_view name : kSymbolNames) AddSymbol(name);
}

Value* RLSKonstanteArray::AddInteger(std::int32_t v) {
  Value*& cell = integers_[v];
  if (cell == nullptr) cell = &cells_.emplace_back(Value::Integer(v));
  return cell;
}

Value* RLSKonstanteArray::AddDouble(double v) {
  Value*& cell = doubles_[std::bit_cast<std::uint64_t>(v)];
  if (cell == nullptr) cell = &cells_.emplace_back(Value::Double(v));
  return cell;
}

Value* RLSKonstanteArray::AddString(std::string_view text) {
  auto [it, inserted] = strings_.try_emplace(std::string(text), nullptr);
  if (inserted) it->second = &cells_.emplace_back(Value::String(text));
  return it->second;
}

Value* RLSKonstanteArray::AddSymbol(std::string_view name) {
  std::string lower = AnsiLower(WithoutAt(name));
  auto [it, inserted] = symbols_.try_emplace(lower, 0);
  if (inserted) {
    symbol_names_.push_back(std::move(lower));
    it->second = static_cast<std::int32_t>(symbol_names_.size());
    symbol_cells_.push_back(&cells_.emplace_back(Value::Symbol(it->second)));
  }
  return symbol_cells_[static_cast<std::size_t>(it->second - 1)];
}

std::string_view RLSKonstanteArray::SymbolName(std::int32_t ordinal) const {
  if (ordinal < 1 || ordinal > SymbolCount()) return "ERROR!!!";
  return symbol_names_[static_cast<std::size_t>(ordinal - 1)];
}

RLSVariable* RLSGlobaleVariableArray::GetOrCreate(std::string_view name, bool readonly) {
  std::string lower = AnsiLower(name);
  auto [it, inserted] = by_name_.try_emplace(lower, nullptr);
  if (inserted) it->second = &cells_.emplace_back(RLSVariable{std::move(lower), Value(), readonly});
  return it->second;
}

RLSVariable* RLSGlobaleVariableArray::Find(std::string_view name) const {
  const auto it = by_name_.find(AnsiLower(name));
  return it == by_name_.end() ? nullptr : it->second;
}

const RLSLokaleVariable& RLSLokaleVariableArray::GetOrCreate(std::string_view name, int kind) {
  if (const RLSLokaleVariable* found = Find(name)) return *found;
  const std::int32_t slot = kind == 1 ? parameters_++ : parameters_ + locals_++;
  return variables_.emplace_back(RLSLokaleVariable{AnsiLower(name), kind, slot});
}

const RLSLokaleVariable* RLSLokaleVariableArray::Find(std::string_view name) const {
  const std::string lower = AnsiLower(name);
  for (const RLSLokaleVariable& v : variables_) {
    if (v.bezeichner == lower) return &v;
  }
  return nullptr;
}

RLSFunktion* RLSFunktionArray::Find(std::string_view name) const {
  const auto it = by_name_.find(AnsiLower(name));
  return it == by_name_.end() ? nullptr : it->second;
}

RLSFunktion* RLSFunktionArray::GetOrCreate(std::string_view name) {
  std::string lower = AnsiLower(name);
  auto [it, inserted] = by_name_.try_emplace(lower, nullptr);
  if (inserted) {
    RLSFunktion& f = functions_.emplace_back();
    f.name = std::move(lower);
    it->second = &f;
  }
  return it->second;
}

RLSFunktion* RLSFunktionArray::Reference(std::string_view name, std::string_view calling_module) {
  RLSFunktion* f = GetOrCreate(name);
  if (f->referenced_from.empty()) f->referenced_from = calling_module;
  return f;
}

RLSFunktion* RLSFunktionArray::Define(std::string_view name, std::string_view module) {
  RLSFunktion* f = GetOrCreate(name);
  if (f->state != FunctionState::kReferenced) return nullptr;
  f->module = module;
  f->state = FunctionState::kScript;
  return f;
}

void RLSFunktionArray::Remove(std::string_view name) {
  RLSFunktion* f = Find(name);
  if (f == nullptr || f->state == FunctionState::kInternal) return;
  f->state = FunctionState::kReferenced;
  f->code.clear();
  f->locals = RLSLokaleVariableArray();
  f->declared_globals.clear();
  f->all_global = false;
}

const RLSFunktion* RLSFunktionArray::FirstMissing() const {
  for (const RLSFunktion& f : functions_) {
    if (f.state == FunctionState::kReferenced && !f.referenced_from.empty()) return &f;
  }
  return nullptr;
}

void Program::Reset() {
  constants_ = std::make_unique<RLSKonstanteArray>();
  globals_ = std::make_unique<RLSGlobaleVariableArray>();
  functions_ = std::make_unique<RLSFunktionArray>();
  errn_last_ = globals_->GetOrCreate("ERRN_LAST", true);
  errn_last_->value = Value::Integer(0);
  errs_last_ = globals_->GetOrCreate("ERRS_LAST", true);
  errs_last_->value = Value::String("");
  errf_last_ = globals_->GetOrCreate("ERRF_LAST", true);
  errf_last_->value = Value::String("");
  arg_anz_ = globals_->GetOrCreate("ARG_ANZ");
  arg_anz_->value = Value::Integer(0);
  return_value_ = globals_->GetOrCreate("_RETURN_VALUE");
  for (const BuiltinEntry& entry : BuiltinTable()) {
    RLSFunktion* f = functions_->Reference(entry.name, {});
    f->state = FunctionState::kInternal;
    f->routine = entry.routine;
  }
}

ContextVariable Program::RegisterContextVariable(std::string_view name, ValueType type, const Value* initial) {
  RLSVariable* cell = globals_->GetOrCreate(name, true);
  cell->readonly = true;
  if (initial != nullptr) {
    cell->value = *initial;
  } else if (type == ValueType::kInteger) {
    cell->value = Value::Integer(0);
  } else if (type == ValueType::kDouble) {
    cell->value = Value::Double(0.0);
  } else {
    cell->value = Value::String("");
  }
  return ContextVariable(cell);
}

}  // namespace velmora::script
