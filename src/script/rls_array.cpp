// RLSArray: natural key order, case-insensitive keys.
#include "script/rls_array.h"

#include <algorithm>

#include "script/ansi.h"

namespace velmora::script {
ElementRep* ArrayRep::At(std::int64_t position) const {
  if (position < 1 || position > static_cast<std::int64_t>(elements.size())) return nullptr;
  return elements[static_cast<std::size_t>(position - 1)];
}

std::size_t ArrayRep::LowerBound(std::string_view key) const {
  return static_cast<std::size_t>(
      std::lower_bound(elements.begin(), elements.end(), key,
                       [](const ElementRep* e, std::string_view k) { return NaturalCompare(e->key, k) < 0; }) -
      elements.begin());
}

ElementRep* ArrayRep::Find(std::string_view key) const {
  const std::string lower = AnsiLower(key);
  // Keys such as "01" and "1" sort as equal but are different keys.
  for (std::size_t i = LowerBound(lower); i < elements.size() && NaturalCompare(elements[i]->key, lower) == 0; ++i) {
    if (elements[i]->key == lower) return elements[i];
  }
  return nullptr;
}

ElementRep* ArrayRep::FindOrInsert(std::string_view key) {
  const std::string lower = AnsiLower(key);
  std::size_t i = LowerBound(lower);
  for (; i < elements.size() && NaturalCompare(elements[i]->key, lower) == 0; ++i) {
    if (elements[i]->key == lower) return elements[i];
  }
  auto* element = new ElementRep;
  element->refs = 1;
  element->key = lower;
  elements.insert(elements.begin() + static_cast<std::ptrdiff_t>(i), element);
  return element;
}

void ArrayRep::Set(std::string_view key, Value value) { FindOrInsert(key)->value = std::move(value); }

bool ArrayRep::RemoveAt(std::int64_t position) {
  ElementRep* element = At(position);
  if (element == nullptr) return false;
  elements.erase(elements.begin() + (position - 1));
  if (--element->refs == 0) delete element;
  return true;
}

bool ArrayRep::Remove(std::string_view key) {
  ElementRep* element = Find(key);
  if (element == nullptr) return false;
  const auto it = std::find(elements.begin(), elements.end(), element);
  return RemoveAt(it - elements.begin() + 1);
}

void ArrayRep::Clear() {
  for (ElementRep* element : elements) {
    if (--element->refs == 0) delete element;
  }
  elements.clear();
}

ArrayRep* ArrayRep::Clone() const {
  auto* copy = new ArrayRep;
  copy->elements.reserve(elements.size());
  for (const ElementRep* element : elements) {
    auto* e = new ElementRep;
    e->refs = 1;
    e->key = element->key;
    e->value = element->value;
    copy->elements.push_back(e);
  }
  return copy;
}

ArrayRep* ArrayRep::DeepClone() const {
  auto* root = new ArrayRep;
  // Level by level with a work list: nesting depth must not become C++ recursion.
  std::vector<std::pair<const ArrayRep*, ArrayRep*>> work{{this, root}};
  while (!work.empty()) {
    const auto [from, to] = work.back();
    work.pop_back();
    to->elements.reserve(from->elements.size());
    for (const ElementRep* element : from->elements) {
      auto* e = new ElementRep;
      e->refs = 1;
      e->key = element->key;
      if (element->value.is(ValueType::kArray)) {
        e->value = Value::NewArray();
        work.emplace_back(&element->value.array(), &e->value.array());
      } else {
        e->value = element->value;
      }
      to->elements.push_back(e);
    }
  }
  return root;
}

}  // namespace velmora::script
