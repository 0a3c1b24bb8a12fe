// The value held by every RiloScript cell: a 16-byte tagged union. Numbers
// and symbols are stored inline; texts and arrays are shared, reference-
// counted and immutable while shared, so copying a value never copies text
// and arrays keep value semantics through copy-on-write.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace velmora::script {

// Codes 0-6 are the script's value types; 7 and 8 exist only on the machine's stack.
enum class ValueType : std::uint8_t {
  kEmpty = 0,
  kInteger = 1,
  kDouble = 2,
  kSymbol = 3,
  kString = 4,
  kDate = 5,
  kArray = 6,
  kElementRef = 7,   // an array element, kept alive by the reference
  kVariableRef = 8,  // a variable passed by reference to an internal function
};

struct StringRep;
struct ArrayRep;
struct ElementRep;

class Value {
 public:
  Value() noexcept : type_(ValueType::kEmpty), i_(0) {}
  Value(const Value& other) noexcept : type_(other.type_), raw_(other.raw_) { Retain(); }
  Value(Value&& other) noexcept : type_(other.type_), raw_(other.raw_) { other.type_ = ValueType::kEmpty; }
  ~Value() { Release(); }
  Value& operator=(const Value& other) noexcept;
  Value& operator=(Value&& other) noexcept;

  static Value Integer(std::int32_t v) { Value r; r.type_ = ValueType::kInteger; r.i_ = v; return r; }
  static Value Double(double v) { Value r; r.type_ = ValueType::kDouble; r.d_ = v; return r; }
  static Value Date(double v) { Value r; r.type_ = ValueType::kDate; r.d_ = v; return r; }
  static Value Symbol(std::int32_t ordinal) { Value r; r.type_ = ValueType::kSymbol; r.i_ = ordinal; return r; }
  static Value String(std::string_view text);
  // An empty array.
  static Value NewArray();
  // This value, with an array copied so that it shares nothing.
  Value DeepCopy() const;
  static Value ElementRef(ElementRep* element);
  static Value VariableRef(Value* variable) { Value r; r.type_ = ValueType::kVariableRef; r.var_ = variable; return r; }

  ValueType type() const { return type_; }
  bool is(ValueType t) const { return type_ == t; }
  std::int32_t integer() const { return i_; }
  double real() const { return d_; }  // DOUBLE and DATE
  std::int32_t symbol() const { return i_; }
  std::string_view text() const;  // STRING only
  ArrayRep& array() const { return *a_; }
  ElementRep* element() const { return e_; }
  Value* variable() const { return var_; }

  // The value behind an element or variable reference, else this value.
  const Value& Deref() const;
  Value& Deref();

  // Replaces the content by a text, reusing the text buffer when this value
  // is its only owner: the cheap path for context variables set per image.
  void SetString(std::string_view text);
  // Appends to a STRING value, in place when it is the only owner.
  void Append(std::string_view text);
  void Clear() { *this = Value(); }
  // Makes this value an ARRAY that no other value shares (an empty one when
  // it held no array) and returns it for modification.
  ArrayRep& MutableArray();

 private:
  void Retain() const noexcept;
  void Release() noexcept {
    if (IsShared()) ReleaseShared();
  }
  void ReleaseShared() noexcept;
  static void RetainArray(ArrayRep* array) noexcept;
  bool IsShared() const { return type_ == ValueType::kString || type_ == ValueType::kArray || type_ == ValueType::kElementRef; }

  ValueType type_;
  union {
    std::int32_t i_;
    double d_;
    StringRep* s_;
    ArrayRep* a_;
    ElementRep* e_;
    Value* var_;
    std::uint64_t raw_;
  };
};

// Upper bound of one text value; longer results of operations are errors.
inline constexpr std::size_t kMaxStringBytes = std::size_t{512} << 20;

struct StringRep {
  std::uint32_t refs;
  std::uint32_t size;
  std::uint32_t capacity;
  char* data() { return reinterpret_cast<char*>(this + 1); }
};

// An array element: its lower-cased key and its value. Shared by the array
// and by element references on the machine's stack.
struct ElementRep {
  std::uint32_t refs = 0;
  std::string key;
  Value value;
};

inline std::string_view Value::text() const { return {s_->data(), s_->size}; }

inline const Value& Value::Deref() const {
  if (type_ == ValueType::kElementRef) return e_->value;
  if (type_ == ValueType::kVariableRef) return *var_;
  return *this;
}
inline Value& Value::Deref() { return const_cast<Value&>(std::as_const(*this).Deref()); }

inline void Value::Retain() const noexcept {
  switch (type_) {
    case ValueType::kString: ++s_->refs; break;
    case ValueType::kElementRef: ++e_->refs; break;
    case ValueType::kArray: RetainArray(a_); break;
    default: break;
  }
}

inline Value& Value::operator=(const Value& other) noexcept {
  Value copy(other);  // the source may live inside what this value releases
  return *this = std::move(copy);
}

inline Value& Value::operator=(Value&& other) noexcept {
  if (this != &other) {
    const ValueType t = type_;
    const std::uint64_t r = raw_;
    type_ = other.type_;
    raw_ = other.raw_;
    other.type_ = ValueType::kEmpty;
    Value old;  // released last: the new content may have lived inside the old
    old.type_ = t;
    old.raw_ = r;
  }
  return *this;
}

}  // namespace velmora::script
