#include "options_fixture.h"

#include <cstdlib>

#include "image/clone_list/clone_effekte.h"
#include "lang/messages.h"
#include "platform/program_paths.h"
#include "settings/profile_data.h"
#include "settings/profile_files.h"
#include "settings/profile_management.h"
#include "settings/profile_reader.h"
#include "settings/script_module_list.h"
#include "settings/user_settings.h"

namespace velmora::ui::test {

QApplication& Application() {
  static int argc = 1;
  static char name[] = "velmora_options_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* application = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QApplication(argc, argv);
  }();
  return *application;
}

std::optional<QString> RecordingPresenter::AskProfileName(QWidget*, const QString&) {
  ++name_questions;
  if (profile_names.empty()) return std::nullopt;
  QString name = profile_names.front();
  profile_names.pop_front();
  return name;
}

int RecordingPresenter::Present(QWidget*, std::string_view, int style, std::string_view key, const std::string& text) {
  keys.emplace_back(key);
  texts.push_back(text);
  if ((style & 0x0F) == lang::kButtonsOk) return lang::kResultOk;
  if (answers.empty()) return (style & 0x0F) == lang::kButtonsOkCancel ? lang::kResultOk : lang::kResultYes;
  const int answer = answers.front();
  answers.pop_front();
  return answer;
}

void OptionsTest::SetUp() {
  Application();
  setenv("XDG_CONFIG_HOME", (root_.path() / "config").c_str(), 1);
  setenv("XDG_DATA_HOME", (root_.path() / "data").c_str(), 1);
  std::filesystem::create_directories(SystemDir());
  std::filesystem::create_directories(UserDir());
  velmora::test::WriteFile(SystemDir() / "Web.vlp", "VERSION=2.11.00\r\nTHUMB_SIZE=150\r\n");
  velmora::test::WriteFile(UserProfile(), "VERSION=2.11.00\r\nKOMMENTAR=mein Profil\r\n");
  SetProgramDirectory(root_.path() / "program");
  ASSERT_EQ(settings::WriteUserSetting("LastSession", "userprofiledir", UserDir().string()), 0);
  ASSERT_EQ(settings::WriteUserSetting("LastSession", "profile", "mein"), 0);
  settings::SetProfileHooks({});
  settings::RefreshProfileList();
  ASSERT_EQ(settings::CurrentProfile().Name, "Mein");
}

void OptionsTest::TearDown() { SetProgramDirectory({}); }

settings::SettingsTable OptionsTest::ReadSettings(const std::filesystem::path& file) {
  settings::SettingsTable table;
  image::CCloneEffekte clones;
  settings::RLModule modules;
  EXPECT_FALSE(settings::ReadProfileText(velmora::test::ReadFile(file), table, clones, modules));
  return table;
}

std::vector<std::string> OptionsTest::ReadCloneDescriptions(const std::filesystem::path& file) {
  settings::SettingsTable table;
  image::CCloneEffekte clones;
  settings::RLModule modules;
  EXPECT_FALSE(settings::ReadProfileText(velmora::test::ReadFile(file), table, clones, modules));
  std::vector<std::string> descriptions;
  for (const image::CloneItem& item : clones) descriptions.push_back(item.Description());
  return descriptions;
}

}  // namespace velmora::ui::test
