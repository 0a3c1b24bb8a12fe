// The shipped system profiles "Modern", "Voreinstellung" and "Copyright":
// found beside the program, load without a message, are the profile writer's
// own text, every snippet compiles, and no snippet puts a file or folder name
// into a page unescaped. "Voreinstellung" is the built-in default made safe
// and nothing else; "Copyright" is that with a stamp and a frame.
#include <gtest/gtest.h>

#include <regex>

#include "platform/program_paths.h"
#include "html/template_snippets.h"
#include "image/clone_list/clone_effekte.h"
#include "lang/messages.h"
#include "settings/profile_data.h"
#include "settings/profile_files.h"
#include "settings/profile_management.h"
#include "settings/profile_migration.h"
#include "settings/profile_reader.h"
#include "settings/profile_writer.h"
#include "settings/settings_catalogue.h"
#include "support/temp_dir.h"

namespace velmora::html {
namespace {

class ShippedProfile : public ::testing::TestWithParam<std::string> {
 protected:
  settings::SettingsTable ReadShipped() {
    bytes_ = velmora::test::ReadFile(ProgramDirectory() / "profiles" / (GetParam() + ".vlp"));
    settings::SettingsTable table;
    image::CCloneEffekte clones;
    settings::RLModule modules;
    EXPECT_FALSE(settings::ReadProfileText(bytes_, table, clones, modules).has_value());
    EXPECT_EQ(settings::WriteProfileText(table, clones, modules), bytes_);
    return table;
  }
  std::string bytes_;
};

TEST_P(ShippedProfile, LoadsWithoutMessagesAndCompiles) {
  std::vector<std::string> messages;
  const auto previous =
      lang::SetMessageObserver([&](const lang::ShownMessage& m) { messages.push_back(m.key + ": " + m.text); });
  settings::RefreshProfileList();
  const settings::RLProfil* profile = settings::FindProfile(GetParam());
  ASSERT_NE(profile, nullptr);
  EXPECT_EQ(profile->ProfileType, 1);
  EXPECT_TRUE(settings::SelectProfile(profile));
  const settings::SettingsTable& working = settings::WorkingSettings();
  script::Program program;
  for (PageKind kind : {PageKind::kFrame, PageKind::kIndex, PageKind::kThumb, PageKind::kImage}) {
    EXPECT_TRUE(CompilePageTemplates(program, working, kind));
  }
  lang::SetMessageObserver(previous);
  EXPECT_TRUE(messages.empty()) << messages.front();
  settings::SelectProfile(nullptr);
}

TEST_P(ShippedProfile, IsTheWritersOwnTextOfTheCurrentVersion) {
  const settings::SettingsTable table = ReadShipped();
  EXPECT_TRUE(settings::IsSupportedProfileVersion(table.Text("VERSION")));
  // A stamp text may say "\xA9": it is drawn, not written into a page.
  for (const settings::SettingDefinition& setting : settings::SettingsCatalogue()) {
    if (!setting.key.starts_with("HTML_")) continue;
    for (const unsigned char c : table.Value(setting.slot)) {
      EXPECT_LT(c, 0x80) << setting.key << ": the snippets use entities, not 8-bit letters";
    }
  }
}

// A photo or folder name is whatever its owner typed, "<img onerror=...>"
// included: every snippet that writes one passes it through htmlencode.
TEST_P(ShippedProfile, EveryNameGoesIntoThePageEscaped) {
  const settings::SettingsTable table = ReadShipped();
  const std::regex bare_name(R"(\{\s*(file|doc|[a-z_]+_doc)\s*\})", std::regex::icase);
  for (const settings::SettingDefinition& setting : settings::SettingsCatalogue()) {
    if (!setting.key.starts_with("HTML_")) continue;
    const std::string& value = table.Value(setting.slot);
    EXPECT_FALSE(std::regex_search(value, bare_name)) << setting.key << " = " << value;
  }
}

// Modern shows portrait photos upright; the default keeps the catalogue's
// meaning (pixels as stored).
TEST_P(ShippedProfile, TurnsPicturesUprightOnlyInModern) {
  const settings::SettingsTable table = ReadShipped();
  EXPECT_EQ(table.Text("AUTO_ORIENT"), GetParam() == "Modern" ? "1" : "0");
  EXPECT_NE(bytes_.find("\r\nAUTO_ORIENT="), std::string::npos);
}

// Sharp thumbnails on high-density screens are Modern's; the default keeps
// writing one thumbnail per photo.
TEST_P(ShippedProfile, WritesDenseThumbnailsOnlyInModern) {
  const settings::SettingsTable table = ReadShipped();
  EXPECT_EQ(table.Text("THUMB_DENSITY"), GetParam() == "Modern" ? "2" : "0");
}

// Every file a page links from the decoration folder ships in the
// profile's decoration set; the viewer script and the style sheet are read
// as the pages' Latin-1, so they hold ASCII only.
TEST_P(ShippedProfile, EveryDecorationFileItNamesShipsInItsSet) {
  const settings::SettingsTable table = ReadShipped();
  const std::filesystem::path set = ProgramDirectory() / "decopool" / table.Text("DECO_SOURCE");
  const std::regex named(R"(\{deco_ref\}/([A-Za-z0-9_.-]+))");
  int files = 0;
  for (const settings::SettingDefinition& setting : settings::SettingsCatalogue()) {
    if (!setting.key.starts_with("HTML_")) continue;
    const std::string& value = table.Value(setting.slot);
    for (auto it = std::sregex_iterator(value.begin(), value.end(), named); it != std::sregex_iterator(); ++it) {
      ++files;
      const std::filesystem::path file = set / (*it)[1].str();
      ASSERT_TRUE(std::filesystem::is_regular_file(file)) << setting.key << " names " << file;
      if (file.extension() == ".gif") continue;
      for (const unsigned char c : velmora::test::ReadFile(file)) {
        ASSERT_LT(c, 0x80) << file;
      }
    }
  }
  EXPECT_GT(files, 0);
}

INSTANTIATE_TEST_SUITE_P(Shipped, ShippedProfile, ::testing::Values("Modern", "Voreinstellung", "Copyright"));

// The shipped default differs from the built-in catalogue only where a name
// is escaped, so that choosing it changes nothing else of a user's run.
TEST(DefaultProfileFile, IsTheCatalogueWithNamesEscaped) {
  const std::string bytes = velmora::test::ReadFile(ProgramDirectory() / "profiles" / "Voreinstellung.vlp");
  settings::SettingsTable table;
  image::CCloneEffekte clones;
  settings::RLModule modules;
  ASSERT_FALSE(settings::ReadProfileText(bytes, table, clones, modules).has_value());
  EXPECT_EQ(clones.Count(), 0);
  EXPECT_EQ(modules.Count(), 0u);
  const std::regex escaped(R"(\{htmlencode\(([A-Za-z_]+)\)\})");
  int escaped_snippets = 0;
  for (const settings::SettingDefinition& setting : settings::SettingsCatalogue()) {
    if (setting.key == "VERSION" || setting.key == "KOMMENTAR") continue;
    const std::string& value = table.Value(setting.slot);
    const std::string unescaped = std::regex_replace(value, escaped, "{$1}");
    EXPECT_EQ(unescaped, setting.default_value) << setting.key;
    if (unescaped != value) ++escaped_snippets;
  }
  EXPECT_EQ(escaped_snippets, 20);
}

// The Copyright profile is the shipped default with a text stamp and a
// frame on the clones: its pages and every other setting are the default's.
TEST(CopyrightProfileFile, IsTheDefaultWithAStampAndAFrame) {
  const auto read = [](const std::string& name, image::CCloneEffekte& clones) {
    settings::SettingsTable table;
    settings::RLModule modules;
    const std::string bytes = velmora::test::ReadFile(ProgramDirectory() / "profiles" / (name + ".vlp"));
    EXPECT_FALSE(settings::ReadProfileText(bytes, table, clones, modules).has_value()) << name;
    return table;
  };
  image::CCloneEffekte default_clones, clones;
  const settings::SettingsTable defaults = read("Voreinstellung", default_clones);
  const settings::SettingsTable copyright = read("Copyright", clones);
  for (const settings::SettingDefinition& setting : settings::SettingsCatalogue()) {
    if (setting.key == "KOMMENTAR") continue;
    EXPECT_EQ(copyright.Value(setting.slot), defaults.Value(setting.slot)) << setting.key;
  }
  std::vector<image::CloneItemKind> kinds;
  for (const image::CloneItem& item : clones) kinds.push_back(item.Kind());
  EXPECT_EQ(kinds, (std::vector<image::CloneItemKind>{image::CloneItemKind::kTextStamp, image::CloneItemKind::kBorder}));
}

}  // namespace
}  // namespace velmora::html
