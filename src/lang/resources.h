// The texts of one language: sections of key/value entries, read from a
// language file or filled from the built-in table.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

#include "lang/keyed_collection.h"

namespace velmora::lang {

// A language file that does not follow the grammar, or a language that cannot
// be registered: number and text as the start-up log records them.
class LanguageError : public std::runtime_error {
 public:
  static constexpr int kMissingLanguageID = 1000;
  static constexpr int kSectionMissing = 1001;
  static constexpr int kValueMissing = 1002;
  static constexpr int kFileUnreadable = 1003;
  static constexpr int kDuplicateLanguageID = 1004;

  LanguageError(int number, const std::string& text) : std::runtime_error(text), number_(number) {}
  int Number() const { return number_; }

 private:
  int number_;
};

struct CResource {
  std::string key;
  std::string value;
};

class CResourceSection {
 public:
  explicit CResourceSection(std::string name) : name_(std::move(name)) {}
  const std::string& Name() const { return name_; }

  // The first value of a key wins; a later one is ignored (false).
  bool Add(std::string_view key, std::string_view value) {
    return entries_.TryAdd(key, CResource{std::string(key), std::string(value)}).second;
  }
  const CResource* Find(std::string_view key) const { return entries_.Find(key); }
  const KeyedCollection<CResource>& Entries() const { return entries_; }

 private:
  std::string name_;
  KeyedCollection<CResource> entries_;
};

class CResources {
 public:
  // Reads a language file (Windows-1252; CR LF, LF or CR line ends) into
  // these sections. An empty path does nothing. Throws LanguageError when a
  // key line comes before any section header (1001), a line has no "=" (1002)
  // or the file cannot be read (1003); entries read before the error stay.
  void LoadFile(const std::filesystem::path& path);

  // Reads language-file text from memory, by the same grammar.
  void LoadText(std::string_view text);

  CResourceSection& GetOrAddSection(std::string_view name);
  const CResourceSection* FindSection(std::string_view name) const { return sections_.Find(name); }
  const KeyedCollection<CResourceSection>& Sections() const { return sections_; }

 private:
  KeyedCollection<CResourceSection> sections_;
};

}  // namespace velmora::lang
