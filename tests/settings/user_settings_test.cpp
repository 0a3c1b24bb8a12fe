// The user settings store: values by section and name in an INI file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <variant>

#include "settings/ini_document.h"
#include "settings/user_settings.h"
#include "support/temp_dir.h"

namespace velmora::settings {
namespace {

class UserSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override { setenv("XDG_CONFIG_HOME", home_.path().c_str(), 1); }
  std::filesystem::path File() const { return home_.path() / "velmora" / "velmora.ini"; }
  velmora::test::TempDir home_;
};

TEST_F(UserSettingsTest, MissingFileGivesDefaults) {
  EXPECT_EQ(ReadUserSetting("LastSession", "profile", "fallback"), "fallback");
  EXPECT_TRUE(ListUserSettings("LastSession\\basedirs").empty());
  EXPECT_FALSE(std::filesystem::exists(File()));
}

TEST_F(UserSettingsTest, ValuesSurviveInAReadableFile) {
  ASSERT_EQ(WriteUserSetting("LastSession", "profile", "web"), 0);
  ASSERT_EQ(WriteUserSetting("LastSession\\basedirs", "BD1", "/home/anna/Bilder"), 0);
  ASSERT_EQ(WriteUserSetting("LastSession\\basedirs", "BD2", "/home/anna/Fotos 2024"), 0);
  ASSERT_EQ(WriteUserSetting("lastsession", "PROFILE", "Urlaub"), 0);  // names ignore letter case
  ASSERT_EQ(WriteUserSetting("ProfilesLastData", "a=b [x]", "C:\\Bilder|1"), 0);
  ASSERT_EQ(WriteUserSetting("Administration", "note", " two\r\nlines \"quoted\" "), 0);
  ASSERT_EQ(WriteUserSetting("Administration", "umlaut", "Gr\xFC\xDF" "e"), 0);

  EXPECT_EQ(velmora::test::ReadFile(File()),
            "[LastSession]\nprofile=Urlaub\n\n"
            "[LastSession\\basedirs]\nBD1=/home/anna/Bilder\nBD2=/home/anna/Fotos 2024\n\n"
            "[ProfilesLastData]\n\"a=b [x]\"=C:\\Bilder|1\n\n"
            "[Administration]\nnote=\" two\\r\\nlines \\\"quoted\\\" \"\numlaut=Gr\xC3\xBC\xC3\x9F" "e\n");
  EXPECT_EQ(ReadUserSetting("LASTSESSION", "Profile"), "Urlaub");
  EXPECT_EQ(ReadUserSetting("ProfilesLastData", "a=b [x]"), "C:\\Bilder|1");
  EXPECT_EQ(ReadUserSetting("Administration", "note"), " two\r\nlines \"quoted\" ");
  EXPECT_EQ(ReadUserSetting("Administration", "umlaut"), "Gr\xFC\xDF" "e");
  const auto history = ListUserSettings("LastSession\\basedirs");
  ASSERT_EQ(history.size(), 2u);
  EXPECT_EQ(history[1].second, "/home/anna/Fotos 2024");
  ASSERT_EQ(DeleteUserSettingsSection("LastSession\\basedirs"), 0);
  EXPECT_TRUE(ListUserSettings("LastSession\\basedirs").empty());
}

TEST_F(UserSettingsTest, HandEditedFileIsReadAgain) {
  ASSERT_EQ(WriteUserSetting("LastSession", "profile", "one"), 0);
  velmora::test::WriteFile(File(), "; edited by hand\r\n[LastSession]\r\n  profile = two  \r\n# note\r\n");
  EXPECT_EQ(ReadUserSetting("LastSession", "profile"), "two");
}

TEST_F(UserSettingsTest, CorruptFileGivesDefaultsAndIsKeptWhenAValueIsStored) {
  const std::string corrupt = "[LastSession]\nprofile=web\nthis line is broken\n";
  velmora::test::WriteFile(File(), corrupt);
  EXPECT_EQ(ReadUserSetting("LastSession", "profile", "default"), "default");
  EXPECT_EQ(velmora::test::ReadFile(File()), corrupt);  // reading never rewrites it

  ASSERT_EQ(WriteUserSetting("Administration", "language", "de"), 0);
  EXPECT_EQ(velmora::test::ReadFile(File().string() + ".corrupt"), corrupt);
  EXPECT_EQ(ReadUserSetting("Administration", "language"), "de");
  EXPECT_EQ(ReadUserSetting("LastSession", "profile", "default"), "default");
}

TEST(IniDocument, ReportsTheLineOfTheFault) {
  const auto check = [](std::string_view text, int line) {
    const auto parsed = IniDocument::Parse(text);
    ASSERT_TRUE(std::holds_alternative<IniParseError>(parsed)) << text;
    EXPECT_EQ(std::get<IniParseError>(parsed).line, line) << text;
  };
  check("name=value\n", 1);                        // before any section
  check("[a]\nx=1\n[broken\n", 3);
  check("[a]\nx=\"unterminated\n", 2);
  check("[a]\r\n\r\nx=\"bad \\q escape\"\r\n", 3);
  check("[a]\nx=1\n=empty name\n", 3);
  check(std::string_view("[a]\nx=1\0\n", 9), 2);
  EXPECT_TRUE(std::holds_alternative<IniDocument>(IniDocument::Parse("\xEF\xBB\xBF[a]\nx=\"\"\n")));
}

}  // namespace
}  // namespace velmora::settings
