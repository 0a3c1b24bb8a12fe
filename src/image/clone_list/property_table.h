// One table per item class maps each profile key to the field's typed get/set
// pair; loading and saving both walk that table, so a key, its type and its place
// in the save order are written down once.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "image/clone_list/clone_item.h"
#include "image/clone_list/profile_value.h"

namespace velmora::image {

template <class Item>
struct TextField {
  const std::string& (Item::*get)() const;
  void (Item::*set)(std::string);
};
template <class Item>
struct IntField {
  std::int32_t (Item::*get)() const;
  void (Item::*set)(std::int32_t);
};
// Flags are written as "0" / "1"; any non-zero number reads as set.
template <class Item>
struct FlagField {
  bool (Item::*get)() const;
  void (Item::*set)(bool);
};
// One slot of a 1-based parameter array.
template <class Item, class Value>
struct IndexedField {
  Value (Item::*get)(int) const;
  void (Item::*set)(int, Value);
  int index;
};

template <class Item>
struct PropertyEntry {
  std::string key;
  std::variant<TextField<Item>, IntField<Item>, FlagField<Item>, IndexedField<Item, std::int32_t>,
               IndexedField<Item, double>>
      field;
};

template <class Item>
using PropertyTable = std::vector<PropertyEntry<Item>>;

namespace property_detail {

inline bool SameLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
    if (upper(a[i]) != upper(b[i])) return false;
  }
  return true;
}

// The digits at the end of a key, without leading zeros ("07" gives "7").
inline std::string_view NumberPart(std::string_view key, std::string_view& stem) {
  std::size_t digits = key.size();
  while (digits > 0 && key[digits - 1] >= '0' && key[digits - 1] <= '9') --digits;
  stem = key.substr(0, digits);
  std::string_view number = key.substr(digits);
  while (number.size() > 1 && number.front() == '0') number.remove_prefix(1);
  return number;
}

// Keys compare without regard to case; a numbered key such as
// "IMAGE_EFFECT_LONGVALUE_01" is also found as "..._1" or "..._001", since
// hand-written and older profiles do not always write the two digits.
inline bool SameKey(std::string_view table_key, std::string_view key) {
  if (SameLetters(table_key, key)) return true;
  std::string_view table_stem, stem;
  const std::string_view table_number = NumberPart(table_key, table_stem);
  const std::string_view number = NumberPart(key, stem);
  return !table_number.empty() && !number.empty() && table_number == number && SameLetters(table_stem, stem);
}

template <class... F>
struct Overload : F... {
  using F::operator()...;
};
template <class... F>
Overload(F...) -> Overload<F...>;

}  // namespace property_detail

template <class Item>
PropertyResult SetTableProperty(const PropertyTable<Item>& table, Item& item, std::string_view key,
                                std::string_view value) {
  for (const auto& entry : table) {
    if (!property_detail::SameKey(entry.key, key)) continue;
    return std::visit(
        property_detail::Overload{
            [&](const TextField<Item>& f) {
              (item.*f.set)(std::string(value));
              return PropertyResult::kApplied;
            },
            [&](const IntField<Item>& f) {
              const auto number = ParseProfileInt(value);
              if (!number) return PropertyResult::kBadValue;
              (item.*f.set)(*number);
              return PropertyResult::kApplied;
            },
            [&](const FlagField<Item>& f) {
              const auto number = ParseProfileInt(value);
              if (!number) return PropertyResult::kBadValue;
              (item.*f.set)(*number != 0);
              return PropertyResult::kApplied;
            },
            [&](const IndexedField<Item, std::int32_t>& f) {
              const auto number = ParseProfileInt(value);
              if (!number) return PropertyResult::kBadValue;
              (item.*f.set)(f.index, *number);
              return PropertyResult::kApplied;
            },
            [&](const IndexedField<Item, double>& f) {
              const auto number = ParseProfileDouble(value);
              if (!number) return PropertyResult::kBadValue;
              (item.*f.set)(f.index, *number);
              return PropertyResult::kApplied;
            },
        },
        entry.field);
  }
  return PropertyResult::kUnknownKey;
}

template <class Item>
std::vector<std::pair<std::string, std::string>> TableProperties(const PropertyTable<Item>& table,
                                                                 const Item& item) {
  std::vector<std::pair<std::string, std::string>> properties;
  properties.reserve(table.size());
  for (const auto& entry : table) {
    std::string text = std::visit(
        property_detail::Overload{
            [&](const TextField<Item>& f) { return (item.*f.get)(); },
            [&](const IntField<Item>& f) { return std::to_string((item.*f.get)()); },
            [&](const FlagField<Item>& f) { return std::string((item.*f.get)() ? "1" : "0"); },
            [&](const IndexedField<Item, std::int32_t>& f) { return std::to_string((item.*f.get)(f.index)); },
            [&](const IndexedField<Item, double>& f) { return FormatProfileDouble((item.*f.get)(f.index)); },
        },
        entry.field);
    properties.emplace_back(entry.key, std::move(text));
  }
  return properties;
}

}  // namespace velmora::image
