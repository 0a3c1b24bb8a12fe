// Batch mode: profile, base directory, level, control image and overrides.
#include "app/batch_mode.h"
#include "app/effective_settings.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/program_paths.h"
#include "lang/language_registry.h"
#include "lang/messages.h"
#include "settings/profile_data.h"
#include "settings/profile_files.h"
#include "settings/profile_management.h"
#include "settings/user_settings.h"
#include "settings/working_settings.h"
#include "support/temp_dir.h"

namespace velmora::app {
namespace {

class BatchMode : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
    setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
    std::filesystem::create_directories(root_ / "program" / "profiles");
    std::filesystem::create_directories(root_ / "user");
    SetProgramDirectory(root_ / "program");
    settings::WriteUserSetting("LastSession", "userprofiledir", (root_ / "user").string());
    settings::RefreshProfileList();
    previous_ = lang::SetMessageObserver([this](const lang::ShownMessage& message) { keys_.push_back(message.key); });
  }
  void TearDown() override {
    lang::SetMessageObserver(previous_);
    SetProgramDirectory({});
  }

  // Applies a batch command line and returns the keys of the messages shown.
  std::vector<std::string> Apply(std::string_view command_line) {
    keys_.clear();
    CommandArguments arguments;
    arguments.SetCommandLine(command_line);
    EXPECT_FALSE(arguments.Error()) << command_line;
    ApplyBatchArguments(arguments, state_);
    EXPECT_EQ(arguments.Count(), 0u);
    return keys_;
  }

  test::TempDir root_;
  StartupState state_;
  std::vector<std::string> keys_;
  lang::MessageObserver previous_;
};

using Keys = std::vector<std::string>;

TEST_F(BatchMode, CompleteCommandLineShowsNoMessage) {
  EXPECT_EQ(Apply(R"(/Profile=voreinstellung /Basedir="/home/anna/Meine Bilder" /Level=2 /Controlimage=WAHR)"), Keys{});
  EXPECT_TRUE(settings::CurrentProfile().IsDefault());
  EXPECT_EQ(settings::ReadUserSetting("LastSession", "profile", "unset"), "");
  EXPECT_EQ(state_.StartPath, "/home/anna/Meine Bilder");
  EXPECT_EQ(state_.DirLevel, 2);
  EXPECT_TRUE(state_.ControlImage);
}

TEST_F(BatchMode, MissingItemsAreReportedAndDefaultsUsed) {
  state_.DirLevel = 2;
  state_.StartPath = "/old";
  EXPECT_EQ(Apply("/THUMB_SIZE=200"), (Keys{"ErrBatchProfileMissing", "ErrBatchBasedirMissing", "ErrBatchLevelMissing"}));
  EXPECT_EQ(state_.DirLevel, 0);
  EXPECT_EQ(state_.StartPath, "");
  EXPECT_EQ(settings::WorkingSettings().Text("THUMB_SIZE"), "200");
}

TEST_F(BatchMode, LevelOutsideZeroToTwoOrNotANumberIsLevelZero) {
  for (const char* level : {"3", "abc", "-1", "1.5", ""}) {
    state_.DirLevel = 2;
    EXPECT_EQ(Apply(std::string("/Profile=Voreinstellung /Basedir=x /Level=\"") + level + "\""), Keys{"ErrBatchLevel"})
        << level;
    EXPECT_EQ(state_.DirLevel, 0);
  }
}

TEST_F(BatchMode, ControlImageOnlyForTheExactWords) {
  for (const char* on : {"1", "T", "W", "TRUE", "WAHR"}) {
    Apply(std::string("/Profile=Voreinstellung /Basedir=x /Level=0 /Controlimage=") + on);
    EXPECT_TRUE(state_.ControlImage) << on;
  }
  for (const char* off : {"true", "wahr", "0", "yes"}) {
    Apply(std::string("/Profile=Voreinstellung /Basedir=x /Level=0 /Controlimage=") + off);
    EXPECT_FALSE(state_.ControlImage) << off;
  }
}

TEST_F(BatchMode, UnknownProfileKeepsTheDefaultProfile) {
  EXPECT_EQ(Apply("/Profile=Nirgends /Basedir=x /Level=0"), Keys{"ErrBatchProfileCollection"});
  EXPECT_TRUE(settings::CurrentProfile().IsDefault());
}

TEST_F(BatchMode, NamedUserProfileIsSelectedAndItsSettingsOverridden) {
  settings::SetWorkingSetting("HTML_INDEX_TITLE", "Urlaub");
  ASSERT_EQ(settings::SaveProfileAs("Web"), settings::kProfileWritten);
  settings::SelectProfile(nullptr);
  keys_.clear();
  EXPECT_EQ(Apply(R"(/Profile=WEB /Basedir=x /Level=1 /$HTML_INDEX_TITLE=" 2024" /HTML_TITLE$=" - Galerie" )"
                  R"(/$HTML_PIC_TITLE="Foto: " /THUMB_SIZE=150 /NO_SUCH_SETTING=1)"),
            Keys{});
  EXPECT_EQ(settings::CurrentProfile().Name, "Web");
  const auto& working = settings::WorkingSettings();
  EXPECT_EQ(working.Text("HTML_INDEX_TITLE"), " 2024Urlaub");
  EXPECT_EQ(working.Text("HTML_TITLE"), "Velmora - Thumbnails - Galerie");
  EXPECT_EQ(working.Text("HTML_PIC_TITLE"), "Foto: Velmora - {doc}");
  EXPECT_EQ(working.Text("THUMB_SIZE"), "150");

  const std::string described = DescribeEffectiveSettings(state_);
  EXPECT_NE(described.find("Profile: Web\n"), std::string::npos);
  EXPECT_NE(described.find("THUMB_SIZE=150\n"), std::string::npos);
  EXPECT_NE(described.find("Basedir: x\nLevel: 1\n"), std::string::npos);
}

// The script access of one run comes from the command line only as the
// user typed it; it never reaches the settings of the profile.
TEST_F(BatchMode, ScriptAccessIsTakenForTheRunAndAnUnknownValueReported) {
  EXPECT_EQ(Apply("/Profile=Voreinstellung /Basedir=x /Level=0 /ScriptAccess=FULL"), Keys{});
  EXPECT_EQ(state_.ScriptAccess, "full");
  EXPECT_EQ(Apply("/Profile=Voreinstellung /Basedir=x /Level=0 /scriptaccess=restricted"), Keys{});
  EXPECT_EQ(state_.ScriptAccess, "restricted");
  EXPECT_EQ(Apply("/Profile=Voreinstellung /Basedir=x /Level=0 /ScriptAccess=alles"), Keys{"ErrBatchScriptAccess"});
  EXPECT_EQ(state_.ScriptAccess, "");
  EXPECT_EQ(Apply("/Profile=Voreinstellung /Basedir=x /Level=0"), Keys{});
  EXPECT_EQ(state_.ScriptAccess, "");
  EXPECT_EQ(settings::ReadUserSetting("Administration", "scriptaccess", "unset"), "unset");
}

// A profile file named like the default profile stands in for it: choosing
// the default by name, or choosing none, loads that file; a broken one
// leaves the built-in settings.
TEST_F(BatchMode, ProfileFileNamedLikeTheDefaultIsTheDefault) {
  settings::SetWorkingSetting("KOMMENTAR", "aus der Datei");
  settings::SetWorkingSetting("HTML_PIC_TITLE", "Velmora - {htmlencode(doc)}");
  ASSERT_EQ(settings::SaveProfileAs("Modern"), settings::kProfileWritten);
  std::filesystem::rename(root_ / "user" / "Modern.vlp", root_ / "program" / "profiles" / "Voreinstellung.vlp");
  settings::RefreshProfileList();
  for (const char* command_line : {"/Profile=Voreinstellung /Basedir=x /Level=0", "/Basedir=x /Level=0"}) {
    Apply(command_line);
    EXPECT_EQ(settings::CurrentProfile().Name, "Voreinstellung") << command_line;
    EXPECT_EQ(settings::WorkingSettings().Text("KOMMENTAR"), "aus der Datei") << command_line;
    EXPECT_EQ(settings::WorkingSettings().Text("HTML_PIC_TITLE"), "Velmora - {htmlencode(doc)}") << command_line;
  }

  // In English the default is called "Default"; the shipped file keeps its name and its part.
  SetProgramDirectory({});
  lang::LoadLanguageFiles();
  SetProgramDirectory(root_ / "program");
  lang::SelectLanguage("en");
  for (const char* command_line : {"/Profile=Default /Basedir=x /Level=0", "/Profile=Voreinstellung /Basedir=x /Level=0"}) {
    EXPECT_EQ(Apply(command_line), Keys{}) << command_line;
    EXPECT_EQ(settings::WorkingSettings().Text("KOMMENTAR"), "aus der Datei") << command_line;
  }
  lang::LoadLanguageFiles(root_ / "none");
  lang::SelectLanguage("de");

  velmora::test::WriteFile(root_ / "program" / "profiles" / "Voreinstellung.vlp", "VERSION=1.00.00\r\n");
  EXPECT_EQ(Apply("/Profile=Voreinstellung /Basedir=x /Level=0"), Keys{"ErrProfileVersion"});
  EXPECT_TRUE(settings::CurrentProfile().IsDefault());
  EXPECT_EQ(settings::WorkingSettings().Text("HTML_PIC_TITLE"), "Velmora - {doc}");
}

}  // namespace
}  // namespace velmora::app
