// One language (its ID and all its texts) and the list of known languages.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "lang/keyed_collection.h"
#include "lang/resources.h"

namespace velmora::lang {

class RLLanguage {
 public:
  const std::string& ID() const { return id_; }
  void SetID(std::string id) { id_ = std::move(id); }

  // The value, or "?" + key + "?" when the section or the key is missing, so
  // that a missing translation is visible instead of failing.
  std::string GetText(std::string_view section, std::string_view key) const;

  // Creates the section when needed; the first value of a key wins.
  void AddText(std::string_view section, std::string_view key, std::string_view value);

  CResources& Resources() { return resources_; }
  const CResources& Resources() const { return resources_; }

 private:
  std::string id_;
  CResources resources_;
};

class RLLanguages {
 public:
  // The language with that ID, created and registered when missing.
  RLLanguage& GetOrAdd(std::string_view id);

  // Loads a language file and registers it under its "Sprache"/LanguageID.
  // Throws LanguageError when the file breaks the grammar, lacks the ID (1000)
  // or repeats a registered ID; nothing is registered then.
  RLLanguage& AddFile(const std::filesystem::path& path);

  // By 1-based position or by ID; null when there is none.
  RLLanguage* Item(std::size_t index);
  RLLanguage* Item(std::string_view id);
  std::size_t Count() const { return languages_.Count(); }

 private:
  KeyedCollection<std::unique_ptr<RLLanguage>> languages_;
};

}  // namespace velmora::lang
