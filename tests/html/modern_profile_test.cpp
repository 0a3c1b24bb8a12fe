// The shipped "Modern" system profile: found beside the program, loads
// without a message, is the profile writer's own text, and every snippet
// of it compiles.
#include <gtest/gtest.h>

#include "app/platform/program_paths.h"
#include "html/template_snippets.h"
#include "image/clone_list/clone_effekte.h"
#include "lang/messages.h"
#include "settings/profile_data.h"
#include "settings/profile_files.h"
#include "settings/profile_management.h"
#include "settings/profile_migration.h"
#include "settings/profile_reader.h"
#include "settings/profile_writer.h"
#include "support/temp_dir.h"

namespace velmora::html {
namespace {

TEST(ModernProfile, LoadsWithoutMessagesAndCompiles) {
  std::vector<std::string> messages;
  const auto previous =
      lang::SetMessageObserver([&](const lang::ShownMessage& m) { messages.push_back(m.key + ": " + m.text); });
  settings::RefreshProfileList();
  const settings::RLProfil* profile = settings::FindProfile("Modern");
  ASSERT_NE(profile, nullptr);
  EXPECT_EQ(profile->ProfileType, 1);
  EXPECT_TRUE(settings::SelectProfile(profile));
  const settings::SettingsTable& working = settings::WorkingSettings();
  EXPECT_EQ(working.Text("HTML_DOCTYPE"), "<!DOCTYPE html>");
  script::Program program;
  for (PageKind kind : {PageKind::kFrame, PageKind::kIndex, PageKind::kThumb, PageKind::kImage}) {
    EXPECT_TRUE(CompilePageTemplates(program, working, kind));
  }
  lang::SetMessageObserver(previous);
  EXPECT_TRUE(messages.empty()) << messages.front();
  settings::SelectProfile(nullptr);
}

TEST(ModernProfile, IsTheWritersOwnTextOfTheCurrentVersion) {
  const std::string bytes = velmora::test::ReadFile(ProgramDirectory() / "profiles" / "Modern.vlp");
  settings::SettingsTable table;
  image::CCloneEffekte clones;
  settings::RLModule modules;
  ASSERT_FALSE(settings::ReadProfileText(bytes, table, clones, modules).has_value());
  EXPECT_TRUE(settings::IsSupportedProfileVersion(table.Text("VERSION")));
  EXPECT_EQ(settings::WriteProfileText(table, clones, modules), bytes);
  for (const unsigned char c : bytes) EXPECT_LT(c, 0x80) << "the snippets use entities, not 8-bit letters";
}

}  // namespace
}  // namespace velmora::html
