// Mathematics, random numbers and comparisons.
#include "script/builtins/numbers.h"

#include <chrono>
#include <cmath>
#include <limits>
#include <random>

#include "script/builtins/arguments.h"

namespace velmora::script {
namespace {

// One numeric argument in, one DOUBLE out. A result that is no finite number
// (ln(0), sqrt(-1), asin(2)) is an unusable argument rather than a value
// that would spread through later arithmetic.
template <double (*F)(double)>
void Unary(BuiltinCall& call) {
  if (!call.CheckCount(1, 1)) return;
  const Value& x = call.Arg(1);
  if (!IsNumber(x)) return call.Fail(rterr::kParametertype);
  const double result = F(NumberOf(x));
  if (!std::isfinite(result)) return call.Fail(rterr::kParameter, "outside the function's domain");
  call.SetResult(Value::Double(result));
}

double Sin(double x) { return std::sin(x); }
double Cos(double x) { return std::cos(x); }
double Tan(double x) { return std::tan(x); }
double Ln(double x) { return x > 0 ? std::log(x) : std::numeric_limits<double>::quiet_NaN(); }
double Log10(double x) { return x > 0 ? std::log10(x) : std::numeric_limits<double>::quiet_NaN(); }
double Sqrt(double x) { return std::sqrt(x); }
double Asin(double x) { return std::asin(x); }
double Acos(double x) { return std::acos(x); }
double Atan(double x) { return std::atan(x); }
double Exp(double x) { return std::exp(x); }

// min and max: the argument that wins the promoted comparison `op`, returned
// unchanged (so min(2, 2.5) is the INTEGER 2).
void Extreme(BuiltinCall& call, Opcode op) {
  if (!call.CheckCount(1, std::numeric_limits<int>::max())) return;
  for (int k = 1; k <= call.count(); ++k) {
    if (call.Arg(k).is(ValueType::kArray) || call.Arg(k).is(ValueType::kEmpty)) return call.Fail(rterr::kParametertype);
  }
  const Value* best = &call.Arg(1);
  for (int k = 2; k <= call.count(); ++k) {
    const Value& candidate = call.Arg(k);
    const Value wins = Binary(op, candidate, *best, call.constants());
    if (!wins.is(ValueType::kSymbol) || wins.symbol() == kSymError) return call.Fail(rterr::kParametertype);
    if (wins.symbol() == kSymTrue) best = &candidate;
  }
  call.SetResult(*best);
}

}  // namespace

void kif_sin(BuiltinCall& call) { Unary<Sin>(call); }
void kif_cos(BuiltinCall& call) { Unary<Cos>(call); }
void kif_tan(BuiltinCall& call) { Unary<Tan>(call); }
void kif_ln(BuiltinCall& call) { Unary<Ln>(call); }
void kif_log(BuiltinCall& call) { Unary<Log10>(call); }
void kif_sqrt(BuiltinCall& call) { Unary<Sqrt>(call); }
void kif_asin(BuiltinCall& call) { Unary<Asin>(call); }
void kif_acos(BuiltinCall& call) { Unary<Acos>(call); }
void kif_atan(BuiltinCall& call) { Unary<Atan>(call); }
void kif_exp(BuiltinCall& call) { Unary<Exp>(call); }

void kif_pow(BuiltinCall& call) {
  if (!call.CheckCount(2, 2)) return;
  const Value& base = call.Arg(1);
  const Value& exponent = call.Arg(2);
  if (!IsNumber(base) || !IsNumber(exponent)) return call.Fail(rterr::kParametertype);
  const double result = std::pow(NumberOf(base), NumberOf(exponent));
  if (!std::isfinite(result)) return call.Fail(rterr::kParameter, "outside the function's domain");
  call.SetResult(Value::Double(result));
}

void kif_random(BuiltinCall& call) {
  if (!call.CheckCount(1, 1)) return;
  const Value& n = call.Arg(1);
  if (!IsNumber(n)) return call.Fail(rterr::kParametertype);
  const auto limit = RoundToInt32(NumberOf(n));
  if (!limit || *limit < 1) return call.Fail(rterr::kParameter, "the upper bound must be at least 1");
  // Seeded once from the clock and the system's entropy: reseeding from the
  // clock on every call would repeat numbers within one clock tick.
  static std::mt19937 generator(static_cast<std::mt19937::result_type>(
      std::random_device{}() ^ std::chrono::steady_clock::now().time_since_epoch().count()));
  std::uniform_int_distribution<std::int32_t> pick(1, *limit);
  call.SetResult(Value::Integer(pick(generator)));
}

void kif_abs(BuiltinCall& call) {
  if (!call.CheckCount(1, 1)) return;
  const Value& x = call.Arg(1);
  if (x.is(ValueType::kInteger)) {
    // The smallest INTEGER has no positive INTEGER; it widens as addition does.
    if (x.integer() == std::numeric_limits<std::int32_t>::min()) return call.SetResult(Value::Double(-1.0 * x.integer()));
    return call.SetResult(Value::Integer(x.integer() < 0 ? -x.integer() : x.integer()));
  }
  if (!x.is(ValueType::kDouble)) return call.Fail(rterr::kParametertype);
  call.SetResult(Value::Double(std::fabs(x.real())));
}

void kif_min(BuiltinCall& call) { Extreme(call, Opcode::kLess); }
void kif_max(BuiltinCall& call) { Extreme(call, Opcode::kGreater); }

}  // namespace velmora::script
