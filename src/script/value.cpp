// Shared text and array representations behind Value.
#include "script/value.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "script/rls_array.h"

namespace velmora::script {
namespace {

StringRep* AllocateString(std::size_t capacity) {
  void* memory = std::malloc(sizeof(StringRep) + capacity);
  if (memory == nullptr) throw std::bad_alloc();
  auto* rep = static_cast<StringRep*>(memory);
  rep->refs = 1;
  rep->size = 0;
  rep->capacity = static_cast<std::uint32_t>(capacity);
  return rep;
}

}  // namespace

Value Value::String(std::string_view text) {
  Value r;
  r.s_ = AllocateString(text.size());
  if (!text.empty()) std::memcpy(r.s_->data(), text.data(), text.size());
  r.s_->size = static_cast<std::uint32_t>(text.size());
  r.type_ = ValueType::kString;
  return r;
}

Value Value::NewArray() {
  Value r;
  r.a_ = new ArrayRep;
  r.a_->refs = 1;
  r.type_ = ValueType::kArray;
  return r;
}

Value Value::DeepCopy() const {
  if (type_ != ValueType::kArray) return *this;
  Value r;
  r.a_ = a_->DeepClone();
  r.a_->refs = 1;
  r.type_ = ValueType::kArray;
  return r;
}

Value Value::ElementRef(ElementRep* element) {
  Value r;
  r.e_ = element;
  ++element->refs;
  r.type_ = ValueType::kElementRef;
  return r;
}

void Value::RetainArray(ArrayRep* array) noexcept { ++array->refs; }

namespace {

// Arrays nested in arrays are freed one after the other, not recursively, so
// that a chain of a million nested arrays cannot exhaust the C++ stack.
void DestroyArray(ArrayRep* array) {
  static std::vector<ArrayRep*> pending;
  static bool destroying = false;
  pending.push_back(array);
  if (destroying) return;
  destroying = true;
  while (!pending.empty()) {
    ArrayRep* next = pending.back();
    pending.pop_back();
    delete next;
  }
  destroying = false;
}

}  // namespace

void Value::ReleaseShared() noexcept {
  switch (type_) {
    case ValueType::kString:
      if (--s_->refs == 0) std::free(s_);
      break;
    case ValueType::kArray:
      if (--a_->refs == 0) DestroyArray(a_);
      break;
    case ValueType::kElementRef:
      if (--e_->refs == 0) delete e_;
      break;
    default:
      break;
  }
  type_ = ValueType::kEmpty;
}

void Value::SetString(std::string_view text) {
  if (type_ == ValueType::kString && s_->refs == 1 && s_->capacity >= text.size()) {
    if (!text.empty()) std::memmove(s_->data(), text.data(), text.size());
    s_->size = static_cast<std::uint32_t>(text.size());
    return;
  }
  *this = String(text);
}

void Value::Append(std::string_view text) {
  if (type_ != ValueType::kString) return;
  const std::size_t size = s_->size + text.size();
  if (s_->refs != 1 || s_->capacity < size) {
    // Growing by half again keeps repeated appends linear overall.
    StringRep* rep = AllocateString(size + size / 2 + 16);
    std::memcpy(rep->data(), s_->data(), s_->size);
    // The appended text may be this very string: copy it before the release.
    if (!text.empty()) std::memcpy(rep->data() + s_->size, text.data(), text.size());
    rep->size = static_cast<std::uint32_t>(size);
    Release();
    s_ = rep;
    type_ = ValueType::kString;
    return;
  }
  if (!text.empty()) std::memmove(s_->data() + s_->size, text.data(), text.size());
  s_->size = static_cast<std::uint32_t>(size);
}

ArrayRep& Value::MutableArray() {
  if (type_ != ValueType::kArray) {
    *this = NewArray();
  } else if (a_->refs > 1) {
    ArrayRep* copy = a_->Clone();
    copy->refs = 1;
    Release();
    a_ = copy;
    type_ = ValueType::kArray;
  }
  return *a_;
}

}  // namespace velmora::script
