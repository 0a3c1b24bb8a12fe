#include "profile_fixture.h"

#include <cstdlib>

#include "platform/program_paths.h"
#include "settings/profile_data.h"
#include "settings/profile_management.h"
#include "settings/user_settings.h"

namespace velmora::settings::test {

void ProfileTest::SetUp() {
  setenv("XDG_CONFIG_HOME", (root_.path() / "config").c_str(), 1);
  setenv("XDG_DATA_HOME", (root_.path() / "data").c_str(), 1);
  std::filesystem::create_directories(SystemDir());
  std::filesystem::create_directories(UserDir());
  SetProgramDirectory(root_.path() / "program");
  ASSERT_EQ(WriteUserSetting("LastSession", "userprofiledir", UserDir().string()), 0);
  SetProfileHooks({});
  RefreshProfileList();
  lang::SetMessageObserver([this](const lang::ShownMessage& message) { messages_.push_back(message); });
}

void ProfileTest::TearDown() {
  lang::SetMessageObserver({});
  SetProgramDirectory({});
}

std::vector<std::string> ProfileTest::TakeMessageKeys() {
  std::vector<std::string> keys;
  for (const auto& message : messages_) keys.push_back(message.key);
  messages_.clear();
  return keys;
}

}  // namespace velmora::settings::test
