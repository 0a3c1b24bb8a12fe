// Loading, saving and deleting profile files through the program-wide state.
#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/log.h"
#include "image/clone_list/clone_list.h"
#include "profile_fixture.h"
#include "settings/profile_data.h"
#include "settings/profile_files.h"
#include "settings/profile_management.h"
#include "settings/user_settings.h"
#include "settings/working_settings.h"

namespace velmora::settings {
namespace {

using velmora::test::ReadFile;
using velmora::test::WriteFile;

class ProfileFilesTest : public test::ProfileTest {
 protected:
  // Writes a user profile file and selects it.
  bool LoadUserProfile(const std::string& name, std::string_view text) {
    WriteFile(UserDir() / (name + ".vlp"), text);
    RefreshProfileList();
    return SelectProfile(FindProfile(name));
  }
};

TEST_F(ProfileFilesTest, DefaultProfileHasNoFileAndCannotBeSavedOrDeleted) {
  EXPECT_TRUE(CurrentProfile().IsDefault());
  EXPECT_EQ(StoredSettings().Text("VERSION"), "2.11.00");
  EXPECT_EQ(WorkingSettings().Text("THUMB_SIZE"), "120");
  EXPECT_EQ(SaveCurrentProfile(), kProfileNotWritten);
  EXPECT_EQ(DeleteCurrentProfile(), kProfileDeleteRefused);
  EXPECT_EQ(TakeMessageKeys(), (std::vector<std::string>{"ErrProfileDefaultReadonly", "ErrProfileDefaultDelete"}));
  EXPECT_TRUE(std::filesystem::is_empty(UserDir()));
}

TEST_F(ProfileFilesTest, LoadForcesJpeg2000OffAndCopiesToWorking) {
  ASSERT_TRUE(LoadUserProfile("web", "VERSION=2.11.00\r\nJP2=1\r\nTHUMB_SIZE=150\r\n"
                                     "STAMP_TEXT_DESCRIPTION=c\r\n!*m\r\n!+x\r\n"));
  EXPECT_EQ(CurrentProfile().Name, "web");
  EXPECT_EQ(WorkingSettings().Text("JP2"), "0");
  EXPECT_EQ(WorkingSettings().Text("THUMB_SIZE"), "150");
  EXPECT_EQ(WorkingCloneList().Count(), 1);
  EXPECT_EQ(WorkingModules().Count(), 1u);
  EXPECT_FALSE(SettingsChanged());
  EXPECT_FALSE(ProfileDirty());
  EXPECT_FALSE(WorkingModules().Changed());
  EXPECT_FALSE(StoredCloneList().Changed());
}

TEST_F(ProfileFilesTest, FailedLoadsSelectTheDefaultProfileAndLeaveTheFile) {
  const struct {
    const char* text;
    const char* key;
  } cases[] = {
      {"VERSION=2.08.99\r\nTHUMB_SIZE=99\r\n", "ErrProfileVersion"},
      {"THUMB_SIZE=99\r\n", "ErrProfileVersion"},  // no VERSION at all
      {"VERSION=2.11.00\r\nTHUMB_SIZE=99\r\n!+code\r\n", "ErrProfileFileRead"},
      {"VERSION=2.11.00\r\nBORDER_DESCRIPTION=b\r\nBORDER_WIDTH=wide\r\n", "ErrProfileFileRead"},
  };
  for (const auto& c : cases) {
    TakeMessageKeys();
    EXPECT_FALSE(LoadUserProfile("bad", c.text));
    EXPECT_EQ(TakeMessageKeys(), std::vector<std::string>{c.key});
    EXPECT_TRUE(CurrentProfile().IsDefault());
    EXPECT_EQ(WorkingSettings().Text("THUMB_SIZE"), "120");
    EXPECT_EQ(WorkingCloneList().Count(), 0);
    EXPECT_EQ(ReadFile(UserDir() / "bad.vlp"), c.text);
  }
}

TEST_F(ProfileFilesTest, ReadErrorNamesFileLineAndText) {
  EXPECT_FALSE(LoadUserProfile("bad", "VERSION=2.11.00\r\n\r\n!+orphan\r\n"));
  ASSERT_EQ(Messages().size(), 1u);
  const std::string& text = Messages()[0].text;
  EXPECT_NE(text.find("bad.vlp"), std::string::npos) << text;
  EXPECT_NE(text.find("3"), std::string::npos);
  EXPECT_NE(text.find("!+orphan"), std::string::npos);
  EXPECT_EQ(Messages()[0].style, lang::kButtonsOk | lang::kIconExclamation);
}

TEST_F(ProfileFilesTest, MissingFileGivesOpenError) {
  WriteFile(UserDir() / "gone.vlp", "VERSION=2.11.00\r\n");
  RefreshProfileList();
  const RLProfil gone = *FindProfile("gone");
  std::filesystem::remove(UserDir() / "gone.vlp");
  EXPECT_FALSE(SelectProfile(&gone));
  EXPECT_EQ(TakeMessageKeys(), std::vector<std::string>{"ErrProfileFileOpen"});
  EXPECT_TRUE(CurrentProfile().IsDefault());
}

TEST_F(ProfileFilesTest, LoadingAndSavingUnchangedGivesTheSameBytes) {
  ASSERT_EQ(SaveProfileAs("Reise"), kProfileWritten);  // a file written by this version
  const std::filesystem::path file = UserDir() / "Reise.vlp";
  WorkingSettings().Set("KOMMENTAR", "Sommer\r\n2024");
  SetWorkingSetting("HTML_PIC_POSTPIC", "{comment}\r\n");
  WorkingCloneList().Add(image::NewCloneItemForDescriptionKey("STAMP_TEXT_DESCRIPTION"));
  WorkingModules().Add("main", "function _init()\r\n{\r\n}");
  CommitWorkingSettings();
  ASSERT_EQ(SaveCurrentProfile(), kProfileWritten);
  const std::string saved = ReadFile(file);

  ASSERT_TRUE(SelectProfile(FindProfile("reise")));
  EXPECT_EQ(WorkingSettings().Text("KOMMENTAR"), "Sommer\r\n2024");
  EXPECT_EQ(WorkingModules().Item(1).source, "function _init()\r\n{\r\n}");
  ASSERT_EQ(SaveCurrentProfile(), kProfileWritten);
  EXPECT_EQ(ReadFile(file), saved);
  EXPECT_EQ(ReadUserSetting("LastSession", "profile"), "reise");
}

TEST_F(ProfileFilesTest, SavingASystemProfileMakesItAUserProfile) {
  WriteFile(SystemDir() / "Web.vlp", "VERSION=2.10.00\r\nTHUMB_SIZE=200\r\n");
  RefreshProfileList();
  ASSERT_TRUE(SelectProfile(FindProfile("Web")));
  EXPECT_EQ(CurrentProfile().ProfileType, kSystemProfileType);
  ASSERT_EQ(SaveCurrentProfile(), kProfileWritten);
  EXPECT_EQ(CurrentProfile().ProfileType, kUserProfileType);
  EXPECT_EQ(FindProfile("web")->ProfileType, kUserProfileType);
  EXPECT_NE(ReadFile(UserDir() / "Web.vlp").find("VERSION=2.11.00\r\n"), std::string::npos);
  EXPECT_EQ(ReadFile(SystemDir() / "Web.vlp"), "VERSION=2.10.00\r\nTHUMB_SIZE=200\r\n");
  EXPECT_EQ(WorkingSettings().Text("VERSION"), "2.11.00");
}

TEST_F(ProfileFilesTest, SaveIntoAMissingUserDirectoryIsRefused) {
  ASSERT_EQ(SaveProfileAs("keep"), kProfileWritten);
  SetWorkingSetting("THUMB_SIZE", "300");
  CommitWorkingSettings();
  std::filesystem::remove_all(UserDir());
  TakeMessageKeys();
  EXPECT_EQ(SaveCurrentProfile(), kProfileNotWritten);
  EXPECT_EQ(TakeMessageKeys(), std::vector<std::string>{"ErrUserProfileDirNotExist"});
  EXPECT_TRUE(ProfileDirty());  // nothing saved, nothing forgotten
  EXPECT_EQ(CurrentProfile().Name, "keep");
}

TEST_F(ProfileFilesTest, FailedWriteKeepsTheOldFile) {
  ASSERT_EQ(SaveProfileAs("locked"), kProfileWritten);
  const std::string before = ReadFile(UserDir() / "locked.vlp");
  SetWorkingSetting("THUMB_SIZE", "300");
  CommitWorkingSettings();
  std::filesystem::permissions(UserDir(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  const bool writable_anyway = ::access(UserDir().c_str(), W_OK) == 0;  // running as root
  if (!writable_anyway) {
    EXPECT_EQ(SaveCurrentProfile(), kProfileNotWritten);
    EXPECT_EQ(TakeMessageKeys().back(), "ErrProfileFileCreate");
    EXPECT_EQ(ReadFile(UserDir() / "locked.vlp"), before);
    EXPECT_EQ(StoredSettings().Text("THUMB_SIZE"), "300");
  }
  std::filesystem::permissions(UserDir(), std::filesystem::perms::owner_all);
  if (writable_anyway) GTEST_SKIP() << "permissions do not bind this user";
}

TEST_F(ProfileFilesTest, DeleteRemovesTheFileAndFallsBackToTheDefault) {
  ASSERT_EQ(SaveProfileAs("temp"), kProfileWritten);
  EXPECT_EQ(CurrentProfile().Name, "temp");
  EXPECT_EQ(DeleteCurrentProfile(), kProfileDeleted);
  EXPECT_FALSE(std::filesystem::exists(UserDir() / "temp.vlp"));
  EXPECT_TRUE(CurrentProfile().IsDefault());
  EXPECT_EQ(FindProfile("temp"), nullptr);
}

TEST_F(ProfileFilesTest, CommitAndRevert) {
  SetWorkingSetting("THUMB_SIZE", "120");  // same text: no change
  EXPECT_FALSE(SettingsChanged());
  EXPECT_EQ(RevertWorkingSettings(), lang::kResultYes);
  EXPECT_TRUE(Messages().empty());
  SetWorkingSetting("THUMB_SIZE", 120);  // a number as its decimal text: still no change
  EXPECT_FALSE(SettingsChanged());
  SetWorkingSetting("THUMB_SIZE", 99);
  EXPECT_TRUE(SettingsChanged());
  EXPECT_EQ(RevertWorkingSettings(), lang::kResultYes);  // headless: the question takes Yes
  EXPECT_EQ(TakeMessageKeys(), std::vector<std::string>{"MsgProfileChangesReject"});
  EXPECT_EQ(WorkingSettings().Text("THUMB_SIZE"), "120");

  WorkingModules().Add("m");
  CommitWorkingSettings();
  EXPECT_TRUE(ProfileDirty());
  EXPECT_EQ(StoredModules().Count(), 1u);
  EXPECT_FALSE(WorkingModules().Changed());
}

TEST_F(ProfileFilesTest, SetStoredSettingByNameAddsBeforeOrAfter) {
  StoredSettings().Set("HTML_TITLE", "Title");
  EXPECT_TRUE(SetStoredSettingByName("$HTML_TITLE", "Pre "));
  EXPECT_EQ(StoredSettings().Text("HTML_TITLE"), "Pre Title");
  EXPECT_TRUE(SetStoredSettingByName("html_title$$", " post"));
  EXPECT_EQ(StoredSettings().Text("HTML_TITLE"), "Pre Title post");
  EXPECT_TRUE(SetStoredSettingByName("$HTML_TITLE$", "|"));
  EXPECT_EQ(StoredSettings().Text("HTML_TITLE"), "Pre Title post|Pre Title post");
  EXPECT_TRUE(SetStoredSettingByName("HTML_TITLE", "plain"));
  EXPECT_EQ(StoredSettings().Text("HTML_TITLE"), "plain");
  EXPECT_FALSE(SetStoredSettingByName("$NOT_A_KEY", "x"));
  EXPECT_FALSE(SetStoredSettingByName("$$", "x"));
}

TEST_F(ProfileFilesTest, Utf8ProfileLoadsByteForByteAndIsLogged) {
  const std::filesystem::path log = root_ / "run.log";
  ASSERT_TRUE(ProgramLog().Open(log.string()));
  ASSERT_TRUE(LoadUserProfile("utf8", "VERSION=2.11.00\r\nKOMMENTAR=M\xC3\xBC" "nchen\r\n"));
  ProgramLog().Close();
  EXPECT_EQ(WorkingSettings().Text("KOMMENTAR"), "M\xC3\xBC" "nchen");
  EXPECT_NE(ReadFile(log).find("utf8.vlp looks like UTF-8"), std::string::npos) << ReadFile(log);
}

TEST_F(ProfileFilesTest, WriteErrorIsReportedAndChangesNothing) {
  ASSERT_EQ(SaveProfileAs("x"), kProfileWritten);
  std::filesystem::remove(UserDir() / "x.vlp");
  std::filesystem::create_directory(UserDir() / "x.vlp");  // a folder in the way of the file
  SetWorkingSetting("THUMB_SIZE", "5");
  CommitWorkingSettings();
  TakeMessageKeys();
  EXPECT_EQ(SaveCurrentProfile(), kProfileNotWritten);
  EXPECT_EQ(TakeMessageKeys(), std::vector<std::string>{"ErrProfileFileWrite"});
  EXPECT_TRUE(ProfileDirty());
  EXPECT_EQ(CurrentProfile().Name, "x");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(UserDir()), {}), 1);  // no temporary file left
}

TEST_F(ProfileFilesTest, TemplateLabelsComeFromTheLanguage) {
  ResetToDefaults();
  CopyStoredToWorking();
  EXPECT_EQ(WorkingSettings().Slot(125).label, "Dokumentenkopf");
  EXPECT_EQ(WorkingSettings().Slot(186).label, "Verweis auf n\xE4" "chstes Bild");
  EXPECT_EQ(WorkingSettings().Slot(132).label, "");
  EXPECT_EQ(WorkingSettings().Slot(15).label, "BMP");
}

TEST_F(ProfileFilesTest, HooksSeeModulesAndTitle) {
  std::string title;
  int recompiled = 0;
  SetProfileHooks({[&](const RLModule&) { ++recompiled; }, nullptr, [&](const std::string& t) { title = t; }, nullptr});
  ASSERT_TRUE(LoadUserProfile("Hooked", "VERSION=2.11.00\r\n"));
  EXPECT_EQ(title, "Velmora - Hooked");
  EXPECT_GE(recompiled, 1);
  SetProfileHooks({});
}

TEST_F(ProfileFilesTest, ProfilesLastDataLosesItsOldExtras) {
  ASSERT_EQ(WriteUserSetting("ProfilesLastData", "old", "/photos|3|x"), 0);
  ASSERT_TRUE(LoadUserProfile("old", "VERSION=2.11.00\r\n"));
  EXPECT_EQ(ReadUserSetting("ProfilesLastData", "old"), "/photos");
}

}  // namespace
}  // namespace velmora::settings
