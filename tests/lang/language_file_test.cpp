// The language file grammar and the registration of language files.
#include <gtest/gtest.h>

#include "lang/language.h"
#include "support/temp_dir.h"

namespace velmora::lang {
namespace {

RLLanguage FromText(std::string_view text) {
  RLLanguage language;
  language.Resources().LoadText(text);
  return language;
}

int ErrorNumberOf(std::string_view text) {
  try {
    FromText(text);
  } catch (const LanguageError& error) {
    return error.Number();
  }
  return 0;
}

TEST(LanguageFile, KeysAndValuesAreTrimmedAndBlankOrMissingPartsIgnored) {
  const RLLanguage language = FromText(
      "[Msg]\r\n"
      "   ErrNothingToDo   =   Nichts zu tun   \r\n"
      "EmptyValue =\r\n"
      "= no key\r\n"
      "\tTabbed\t=\tvalue\t\r\n");
  EXPECT_EQ(language.GetText("Msg", "ErrNothingToDo"), "Nichts zu tun");
  EXPECT_EQ(language.GetText("Msg", "EmptyValue"), "?EmptyValue?");
  EXPECT_EQ(language.GetText("Msg", "Tabbed"), "value");
  EXPECT_EQ(language.Resources().FindSection("Msg")->Entries().Count(), 2u);
}

TEST(LanguageFile, FirstValueOfAKeyWinsAndALaterHeaderContinuesTheSection) {
  const RLLanguage language = FromText(
      "[Msg]\nA = first\na = second\n[Global]\nX = x\n[ msg ]\nB = later\n");
  EXPECT_EQ(language.GetText("MSG", "A"), "first");
  EXPECT_EQ(language.GetText("Msg", "B"), "later");
  EXPECT_EQ(language.Resources().Sections().Count(), 2u);
  // Insertion order is kept for sections and keys alike.
  EXPECT_EQ(language.Resources().Sections().Entries()[0].first, "Msg");
  EXPECT_EQ(language.Resources().FindSection("msg")->Entries().Entries()[1].first, "B");
}

TEST(LanguageFile, CommentsAndEmptyLinesAreSkippedWithAnyLineEnd) {
  const RLLanguage language = FromText("; header comment\r\r   ; indented = comment\n[S]\rK = v\r\n;K2 = x\n");
  EXPECT_EQ(language.GetText("S", "K"), "v");
  EXPECT_EQ(language.GetText("S", "K2"), "?K2?");
  EXPECT_EQ(language.GetText("S", "; indented"), "?; indented?");
}

TEST(LanguageFile, ValueKeepsEqualsSignsAndPlaceholdersAsWritten) {
  const RLLanguage language = FromText("[Msg]\nK = a=b %1%n%2\n");
  EXPECT_EQ(language.GetText("Msg", "K"), "a=b %1%n%2");
}

TEST(LanguageFile, GrammarErrorsCarryTheirNumbers) {
  EXPECT_EQ(ErrorNumberOf("K = v\n[S]\n"), LanguageError::kSectionMissing);
  EXPECT_EQ(ErrorNumberOf("[S]\nno equals sign here\n"), LanguageError::kValueMissing);
  EXPECT_EQ(ErrorNumberOf("[S]\n[T]\n; only headers and comments\n"), 0);
  try {
    FromText("[S]\nK = v\nbroken\n");
    FAIL();
  } catch (const LanguageError& error) {
    EXPECT_STREQ(error.what(), "Value missing (line 3)");
  }
}

TEST(LanguageFile, MissingSectionOrKeyShowsTheKeyBetweenQuestionMarks) {
  const RLLanguage language = FromText("[Msg]\nK = v\n");
  EXPECT_EQ(language.GetText("Msg", "ErrNothingToDo"), "?ErrNothingToDo?");
  EXPECT_EQ(language.GetText("Nowhere", "K"), "?K?");
}

TEST(LanguageFile, Utf8FileWithByteOrderMarkIsReadAsWindows1252) {
  const RLLanguage language = FromText("\xEF\xBB\xBF[Msg]\nK = L\xC3\xB6schen\n");
  EXPECT_EQ(language.GetText("Msg", "K"), "L\xF6schen");
}

TEST(LanguageList, RegistersFilesUnderTheirIdAndRefusesBrokenOnes) {
  test::TempDir dir;
  test::WriteFile(dir / "fr.lng", "[Sprache]\r\nLanguageID = fr\r\n[Msg]\r\nK = Bonjour\r\n");
  test::WriteFile(dir / "noid.lng", "[Sprache]\r\nLanguageName = Nobody\r\n");
  test::WriteFile(dir / "again.lng", "[Sprache]\r\nLanguageID = FR\r\n");
  RLLanguages list;
  list.GetOrAdd("de");
  EXPECT_EQ(list.AddFile(dir / "fr.lng").GetText("Msg", "K"), "Bonjour");
  EXPECT_THROW(list.AddFile(dir / "noid.lng"), LanguageError);
  EXPECT_THROW(list.AddFile(dir / "again.lng"), LanguageError);  // IDs compare case-insensitively
  EXPECT_THROW(list.AddFile(dir / "missing.lng"), LanguageError);
  EXPECT_EQ(list.Count(), 2u);
  EXPECT_EQ(list.Item(2)->ID(), "fr");
  EXPECT_EQ(list.Item("FR"), list.Item(2));
  EXPECT_EQ(list.Item(3), nullptr);
  EXPECT_EQ(list.Item(std::size_t{0}), nullptr);
}

TEST(LanguageList, MissingIdIsError1000) {
  test::TempDir dir;
  test::WriteFile(dir / "x.lng", "[Msg]\nK = v\n");
  RLLanguages list;
  try {
    list.AddFile(dir / "x.lng");
    FAIL();
  } catch (const LanguageError& error) {
    EXPECT_EQ(error.Number(), 1000);
    EXPECT_STREQ(error.what(), "Missing LanguageID");
  }
}

}  // namespace
}  // namespace velmora::lang
