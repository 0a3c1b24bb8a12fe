// The profile list, switching, creating and naming profiles.
#include <gtest/gtest.h>

#include "profile_fixture.h"
#include "settings/profile_data.h"
#include "settings/profile_files.h"
#include "settings/profile_management.h"
#include "settings/user_settings.h"
#include "settings/working_settings.h"

namespace velmora::settings {
namespace {

using velmora::test::WriteFile;

class ProfileManagementTest : public test::ProfileTest {};

TEST_F(ProfileManagementTest, UserProfilesHideSystemProfilesOfTheSameName) {
  WriteFile(SystemDir() / "Web.vlp", "VERSION=2.11.00\r\n");
  WriteFile(SystemDir() / "Druck.VLP", "VERSION=2.11.00\r\n");
  WriteFile(SystemDir() / "readme.txt", "not a profile");
  WriteFile(UserDir() / "web.vlp", "VERSION=2.11.00\r\n");
  RefreshProfileList();
  const RLProfile& list = ProfileList();
  ASSERT_EQ(list.Count(), 3u);
  EXPECT_TRUE(list.Item(1)->IsDefault());
  EXPECT_EQ(list.Item(2)->Name, "Druck");
  EXPECT_EQ(list.Item(3)->Name, "web");
  EXPECT_EQ(FindProfile("WEB")->ProfileType, kUserProfileType);
  EXPECT_EQ(FindProfile(""), nullptr);
}

TEST_F(ProfileManagementTest, UmlautNamesFromUtf8FileNames) {
  WriteFile(UserDir() / "Gr\xC3\xB6\xC3\x9F" "e.vlp", "VERSION=2.11.00\r\nTHUMB_SIZE=42\r\n");
  RefreshProfileList();
  const RLProfil* profile = FindProfile("GR\xD6\xDF" "E");  // Windows-1252, any letter case
  ASSERT_NE(profile, nullptr);
  EXPECT_EQ(profile->Name, "Gr\xF6\xDF" "e");
  ASSERT_TRUE(SelectProfile(profile));
  EXPECT_EQ(WorkingSettings().Text("THUMB_SIZE"), "42");
  ASSERT_EQ(SaveCurrentProfile(), kProfileWritten);
  EXPECT_EQ(ReadUserSetting("LastSession", "profile"), "gr\xF6\xDF" "e");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(UserDir()), {}), 1);  // the same file again
}

TEST_F(ProfileManagementTest, LastSessionProfileIsSelectedAndAnUnknownOneGivesTheDefault) {
  WriteFile(UserDir() / "Urlaub.vlp", "VERSION=2.11.00\r\nTHUMB_SIZE=77\r\n");
  WriteUserSetting("LastSession", "profile", "urlaub");
  RefreshProfileList();
  EXPECT_EQ(CurrentProfile().Name, "Urlaub");
  EXPECT_EQ(WorkingSettings().Text("THUMB_SIZE"), "77");
  WriteUserSetting("LastSession", "profile", "vanished");
  RefreshProfileList();
  EXPECT_TRUE(CurrentProfile().IsDefault());
  EXPECT_TRUE(Messages().empty());
}

TEST_F(ProfileManagementTest, SwitchRemembersThePreviousProfile) {
  WriteFile(UserDir() / "A.vlp", "VERSION=2.11.00\r\nTHUMB_SIZE=1\r\n");
  RefreshProfileList();
  ASSERT_TRUE(SwitchProfile(*FindProfile("A")));
  EXPECT_EQ(ReadUserSetting("LastSession", "profileprevious", "unset"), "");  // from the default profile
  EXPECT_FALSE(SwitchProfile(*FindProfile("a")));                           // already current
  ASSERT_TRUE(SwitchToPreviousProfile());
  EXPECT_TRUE(CurrentProfile().IsDefault());
  EXPECT_EQ(ReadUserSetting("LastSession", "profileprevious"), "A");
  ASSERT_TRUE(SwitchToPreviousProfile());
  EXPECT_EQ(CurrentProfile().Name, "A");
}

TEST_F(ProfileManagementTest, SwitchWithChangesAsksToSaveThem) {
  WriteFile(UserDir() / "A.vlp", "VERSION=2.11.00\r\n");
  WriteFile(UserDir() / "B.vlp", "VERSION=2.11.00\r\n");
  RefreshProfileList();
  ASSERT_TRUE(SelectProfile(FindProfile("A")));
  SetWorkingSetting("THUMB_SIZE", "333");
  ASSERT_TRUE(SwitchProfile(*FindProfile("B")));  // headless, the save question takes Yes
  EXPECT_EQ(TakeMessageKeys(), std::vector<std::string>{"MsgProfileChangesSave"});
  EXPECT_EQ(CurrentProfile().Name, "B");
  EXPECT_FALSE(ProfileDirty());
  EXPECT_NE(velmora::test::ReadFile(UserDir() / "A.vlp").find("THUMB_SIZE=333\r\n"), std::string::npos);
  EXPECT_EQ(ConfirmProfileChanges(), 1);  // nothing pending any more
  EXPECT_TRUE(Messages().empty());
}

TEST_F(ProfileManagementTest, CreateProfileChecksTheName) {
  EXPECT_FALSE(CreateProfile("   "));
  EXPECT_FALSE(CreateProfile("a:b"));
  EXPECT_EQ(TakeMessageKeys(), (std::vector<std::string>{"ErrProfileMissingName", "ErrProfileInvalidCharacter"}));
  EXPECT_TRUE(CreateProfile("  Neu 2  "));
  EXPECT_TRUE(std::filesystem::exists(UserDir() / "Neu 2.vlp"));
  EXPECT_EQ(CurrentProfile().Name, "Neu 2");
  EXPECT_TRUE(CreateProfile("neu 2"));  // exists: headless answers the overwrite question with Yes
  EXPECT_EQ(TakeMessageKeys(), std::vector<std::string>{"MsgProfileExist"});
}

TEST_F(ProfileManagementTest, ValidateProfileName) {
  EXPECT_FALSE(ValidateProfileName(""));
  EXPECT_FALSE(ValidateProfileName(" lead"));
  EXPECT_FALSE(ValidateProfileName("trail "));
  EXPECT_FALSE(ValidateProfileName("$money"));
  EXPECT_FALSE(ValidateProfileName("C:profile"));
  EXPECT_FALSE(ValidateProfileName(std::string(256, 'x')));
  EXPECT_TRUE(ValidateProfileName(std::string(255, 'x')));
  for (char c : std::string("\"/\\|<>*?\n")) EXPECT_FALSE(ValidateProfileName(std::string("a") + c + "b")) << c;
  EXPECT_TRUE(ValidateProfileName("inner blank"));
  EXPECT_TRUE(ValidateProfileName("Web-Galerie 2"));
  EXPECT_TRUE(ValidateProfileName("Gr\xFC\xDF" "e"));
}

TEST_F(ProfileManagementTest, UserProfileDirectoryStartsInTheDataFolder) {
  WriteUserSetting("LastSession", "userprofiledir", "");
  const std::string directory = InitUserProfileDirectory();
  EXPECT_EQ(directory, (root_.path() / "data" / "velmora" / "profiles").string());
  EXPECT_TRUE(std::filesystem::is_directory(directory));
  EXPECT_EQ(ReadUserSetting("LastSession", "userprofiledir"), directory);
}

TEST_F(ProfileManagementTest, ProfileCreatedTextDropsLeadingZeros) {
  EXPECT_TRUE(ProfileCreatedText("2.09.00").ends_with(" 2.9.0"));
  EXPECT_TRUE(ProfileCreatedText("2.11.00").ends_with(" 2.11.0"));
}

}  // namespace
}  // namespace velmora::settings
