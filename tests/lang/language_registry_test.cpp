// Loading the language files at start-up and choosing the current language.
#include "lang/language_registry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "platform/log.h"
#include "lang/date_pattern.h"
#include "lang/locale_language.h"
#include "lang/messages.h"
#include "support/temp_dir.h"

namespace velmora::lang {
namespace {

class LanguageRegistry : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = SetMessageObserver([this](const ShownMessage& message) { shown_.push_back(message); });
    ASSERT_TRUE(ProgramLog().Open((dir_ / "start.log").string()));
  }
  void TearDown() override {
    ProgramLog().Close();
    SetMessageObserver(previous_);
    LoadLanguageFiles(dir_ / "none");  // back to German alone for the other tests
  }
  std::string Log() { return test::ReadFile(dir_ / "start.log"); }

  test::TempDir dir_;
  std::vector<ShownMessage> shown_;
  MessageObserver previous_;
};

TEST_F(LanguageRegistry, OnlyTheBuiltInLanguageSelectsGermanWithoutAskingTheStore) {
  LoadLanguageFiles(dir_ / "empty");
  bool asked = false;
  const std::string id = StartLanguageID([&] {
    asked = true;
    return std::string("en");
  });
  EXPECT_FALSE(asked);
  EXPECT_EQ(id, "de");
  std::string remembered;
  SelectLanguage(id, [&](const std::string& chosen) { remembered = chosen; });
  EXPECT_EQ(remembered, "de");
  EXPECT_TRUE(shown_.empty());
  EXPECT_EQ(FormatDate(), "d.m.yyyy");
  EXPECT_EQ(GetText("Global", "ProfileDefaultname"), "Voreinstellung");
}

TEST_F(LanguageRegistry, TheShippedEnglishFileIsRegisteredAndSelectable) {
  LoadLanguageFiles();  // the "languages" folder beside the test binary
  ASSERT_NE(LanguageList().Item("en"), nullptr);
  EXPECT_EQ(StartLanguageID([] { return std::string("en"); }), "en");
  EXPECT_EQ(StartLanguageID([] { return std::string(); }), "de");
  SelectLanguage("en");
  EXPECT_EQ(GetText("Global", "ProfileDefaultname"), "Default");
  EXPECT_EQ(FormatDateTime(), "yyyy-mm-dd hh:mm:ss");
  EXPECT_TRUE(shown_.empty());
  EXPECT_NE(Log().find(" Load Languagefile English.lng START\r\n"), std::string::npos);
}

// Without a stored choice the desktop's language counts, when there is a
// file for it; a stored choice always wins.
TEST_F(LanguageRegistry, TheLocaleChoosesOnlyWhenNothingIsStored) {
  LoadLanguageFiles();
  const auto nothing_stored = [] { return std::string(); };
  EXPECT_EQ(StartLanguageID(nothing_stored, "en"), "en");
  EXPECT_EQ(StartLanguageID(nothing_stored, "fr"), "de");
  EXPECT_EQ(StartLanguageID([] { return std::string("de"); }, "en"), "de");
  EXPECT_EQ(StartLanguageID([] { return std::string("en"); }, "de"), "en");

  EXPECT_EQ(LanguageOfLocale("en_GB.UTF-8"), "en");
  EXPECT_EQ(LanguageOfLocale("de_AT@euro"), "de");
  EXPECT_EQ(LanguageOfLocale("EN"), "en");
  EXPECT_EQ(LanguageOfLocale("C.UTF-8"), "");
  EXPECT_EQ(LanguageOfLocale("POSIX"), "");
  EXPECT_EQ(LanguageOfLocale(""), "");

  // LC_ALL before LC_MESSAGES before LANG; an empty variable does not count.
  const auto with = [](const char* all, const char* messages, const char* lang) {
    setenv("LC_ALL", all, 1);
    setenv("LC_MESSAGES", messages, 1);
    setenv("LANG", lang, 1);
    return LocaleLanguageID();
  };
  EXPECT_EQ(with("", "", "en_US.UTF-8"), "en");
  EXPECT_EQ(with("", "fr_FR", "en_US.UTF-8"), "fr");
  EXPECT_EQ(with("de_DE.UTF-8", "fr_FR", "en_US.UTF-8"), "de");
  EXPECT_EQ(with("C.UTF-8", "", "en_US.UTF-8"), "");
  unsetenv("LC_MESSAGES");
  setenv("LC_ALL", "C.UTF-8", 1);
}

TEST_F(LanguageRegistry, BrokenFilesAreNotRegisteredAndTheLogNamesFileAndError) {
  const auto languages = dir_ / "languages";
  std::filesystem::create_directories(languages);
  test::WriteFile(languages / "Headless.LNG", "LanguageID = xx\r\n[Sprache]\r\n");
  test::WriteFile(languages / "Italiano.lng", "[Sprache]\r\nLanguageID = it\r\n[Msg]\r\nErrNothingToDo = Niente\r\n");
  test::WriteFile(languages / "Tedesco.lng", "[Sprache]\r\nLanguageID = de\r\n");
  test::WriteFile(languages / "notes.txt", "not a language file");
  LoadLanguageFiles(languages);
  EXPECT_EQ(LanguageList().Count(), 2u);  // German and Italian
  const std::string log = Log();
  EXPECT_NE(log.find(" Load Languagefiles START\r\n"), std::string::npos);
  EXPECT_NE(log.find(" Load Languagefile Headless.LNG Section missing (line 1)\r\n"), std::string::npos);
  EXPECT_NE(log.find(" Load Languagefile Tedesco.lng LanguageID \"de\" already registered\r\n"), std::string::npos);
  EXPECT_NE(log.find(" Load Languagefile Italiano.lng END\r\n"), std::string::npos);
  EXPECT_EQ(log.find("notes.txt"), std::string::npos);
  // The German built-in texts win over a file claiming "de".
  EXPECT_EQ(BuiltinLanguage().GetText("Sprache", "LanguageName"), "Deutsch");

  SelectLanguage("it");
  EXPECT_EQ(GetText("Msg", "ErrNothingToDo"), "Niente");
  // No fallback per key: a missing translation shows as "?key?".
  EXPECT_EQ(GetText("Msg", "ErrBatchLevel"), "?ErrBatchLevel?");
}

TEST_F(LanguageRegistry, AnUnknownIdFallsBackToGermanWithTheBilingualMessage) {
  LoadLanguageFiles(dir_ / "empty");
  std::string remembered;
  SelectLanguage("fr", [&](const std::string& chosen) { remembered = chosen; });
  EXPECT_EQ(&CurrentLanguage(), &BuiltinLanguage());
  EXPECT_EQ(remembered, "de");
  ASSERT_EQ(shown_.size(), 1u);
  EXPECT_EQ(shown_[0].text.find("Sprachdatei f\xFCr SprachID \"fr\" fehlt\r\n\r\nVelmora wird"), 0u);
  EXPECT_NE(shown_[0].text.find("Languagefile for LanguageID \"fr\" missing\r\n\r\nStarting Velmora with"),
            std::string::npos);
  EXPECT_NE(Log().find(" Select Language Missing Language-File for LanguageID fr\r\n"), std::string::npos);
}

TEST(DatePattern, MonthsAndMinutesAreToldApartByTheHourBeforeThem) {
  std::tm time{};
  time.tm_year = 2026 - 1900;
  time.tm_mon = 2;
  time.tm_mday = 4;
  time.tm_hour = 7;
  time.tm_min = 5;
  time.tm_sec = 9;
  EXPECT_EQ(ApplyDatePattern("d.m.yyyy", time), "4.3.2026");
  EXPECT_EQ(ApplyDatePattern("dd.mm.yyyy hh:mm:ss", time), "04.03.2026 07:05:09");
  EXPECT_EQ(ApplyDatePattern("yyyy-mm-dd", time), "2026-03-04");
  EXPECT_EQ(ApplyDatePattern("dd/mm/yy, hh.nn", time), "04/03/26, 07.05");
}

}  // namespace
}  // namespace velmora::lang
