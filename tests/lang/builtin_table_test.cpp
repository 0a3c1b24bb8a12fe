// The built-in German table and the shipped English language file.
#include "lang/builtin_german.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "platform/program_paths.h"
#include "platform/text_encoding.h"
#include "lang/keyed_collection.h"

namespace velmora::lang {
namespace {

std::multiset<std::string> Placeholders(const std::string& text) {
  static const std::regex placeholder("%([0-9]+|n)");
  std::multiset<std::string> found;
  for (std::sregex_iterator it(text.begin(), text.end(), placeholder), end; it != end; ++it) found.insert(it->str());
  return found;
}

TEST(BuiltinGerman, HoldsEveryKeyOnceWithTextsInWindows1252) {
  std::set<std::string> keys;
  std::set<std::string> sections;
  std::size_t message_keys = 0;
  for (const BuiltinText& entry : BuiltinGermanTexts()) {
    EXPECT_TRUE(keys.insert(FoldCase(entry.section) + "/" + FoldCase(entry.key)).second) << entry.key;
    EXPECT_TRUE(Utf8ToCp1252(entry.text).has_value()) << entry.key;
    EXPECT_FALSE(entry.text.empty()) << entry.key;
    sections.insert(std::string(entry.section));
    if (entry.section == "Msg") ++message_keys;
  }
  // The 147 message keys every language carries, plus five for the limits of
  // the script machine (nesting, number range, call depth, instruction and
  // output limits) that this program adds, six for the output guard, the
  // output name and range checks and the cleaning of a run, two for what
  // scripts may touch (a refused file, an unknown /ScriptAccess value),
  // five for files and folders a run cannot name or read and output folders
  // it refuses, one for metafiles without a picture, four for the
  // start-up texts shown before a language is chosen, one for an unknown
  // file type of clones or thumbnails, and one for a profile file the window
  // could not import, export or rename.
  EXPECT_EQ(message_keys, 147u + 5u + 6u + 2u + 5u + 1u + 4u + 1u + 1u);
  for (const char* section : {"Sprache", "Startdialog", "Optionen", "CProfil", "CDeko", "CClonen",
                              "CClonenUmbenennen", "CClonenEffekte", "CDateifilter", "CThumbnails", "CAllgemeines",
                              "CTextStempel", "CRahmen", "CBildStempel", "CRiloScript", "CRiloScriptModul",
                              "CBildEffekte", "Profile", "Erzeugung", "Fortschrittanzeige", "Global", "Find", "Info", "Msg"}) {
    EXPECT_TRUE(sections.count(section)) << section;
  }
}

TEST(BuiltinGerman, EnglishFileTranslatesEveryKeyWithTheSamePlaceholders) {
  RLLanguages list;
  RLLanguage& english = list.AddFile(ProgramDirectory() / "languages" / "English.lng");
  EXPECT_EQ(english.ID(), "en");
  std::size_t english_keys = 0;
  for (const auto& [name, section] : english.Resources().Sections().Entries()) english_keys += section.Entries().Count();
  EXPECT_EQ(english_keys, BuiltinGermanTexts().size()) << "the English file holds keys the German table lacks";
  for (const BuiltinText& entry : BuiltinGermanTexts()) {
    const std::string translated = english.GetText(entry.section, entry.key);
    ASSERT_NE(translated, "?" + std::string(entry.key) + "?") << entry.section << "/" << entry.key;
    EXPECT_EQ(Placeholders(translated), Placeholders(std::string(entry.text))) << entry.key;
  }
}

}  // namespace
}  // namespace velmora::lang
