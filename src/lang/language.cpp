// Languages and the language list.
#include "lang/language.h"

namespace velmora::lang {

std::string RLLanguage::GetText(std::string_view section, std::string_view key) const {
  if (const CResourceSection* found = resources_.FindSection(section)) {
    if (const CResource* entry = found->Find(key)) return entry->value;
  }
  return "?" + std::string(key) + "?";
}

void RLLanguage::AddText(std::string_view section, std::string_view key, std::string_view value) {
  resources_.GetOrAddSection(section).Add(key, value);
}

RLLanguage& RLLanguages::GetOrAdd(std::string_view id) {
  auto [slot, added] = languages_.TryAdd(id, nullptr);
  if (added) {
    *slot = std::make_unique<RLLanguage>();
    (*slot)->SetID(std::string(id));
  }
  return **slot;
}

RLLanguage& RLLanguages::AddFile(const std::filesystem::path& path) {
  auto language = std::make_unique<RLLanguage>();
  language->Resources().LoadFile(path);
  const std::string id = language->GetText("Sprache", "LanguageID");
  if (id.size() >= 2 && id.front() == '?' && id.back() == '?') {
    throw LanguageError(LanguageError::kMissingLanguageID, "Missing LanguageID");
  }
  language->SetID(id);
  auto [slot, added] = languages_.TryAdd(id, std::move(language));
  if (!added) throw LanguageError(LanguageError::kDuplicateLanguageID, "LanguageID \"" + id + "\" already registered");
  return **slot;
}

RLLanguage* RLLanguages::Item(std::size_t index) {
  if (index < 1 || index > languages_.Count()) return nullptr;
  return languages_.Entries()[index - 1].second.get();
}

RLLanguage* RLLanguages::Item(std::string_view id) {
  auto* slot = languages_.Find(id);
  return slot == nullptr ? nullptr : slot->get();
}

}  // namespace velmora::lang
