// Upgrading profiles of older versions and normalising the sort keys.
#include <gtest/gtest.h>

#include "image/clone_list/clone_list.h"
#include "settings/profile_migration.h"
#include "settings/profile_reader.h"
#include "settings/settings_catalogue.h"

namespace velmora::settings {
namespace {

SettingsTable Migrated(std::string_view text) {
  SettingsTable settings;
  image::CCloneEffekte clones;
  RLModule modules;
  EXPECT_FALSE(ReadProfileText(text, settings, clones, modules));
  MigrateProfile(settings);
  NormaliseSortKeys(settings);
  return settings;
}

TEST(ProfileMigration, OldestSupportedVersion) {
  EXPECT_FALSE(IsSupportedProfileVersion("2.08.99"));
  EXPECT_FALSE(IsSupportedProfileVersion("0"));  // a file without VERSION keeps the default "0"
  EXPECT_FALSE(IsSupportedProfileVersion(""));
  EXPECT_TRUE(IsSupportedProfileVersion("2.09.00"));
  EXPECT_TRUE(IsSupportedProfileVersion("2.11.00"));
}

TEST(ProfileMigration, Version20900RunsEveryStep) {
  const SettingsTable s = Migrated(
      "VERSION=2.09.00\r\n"
      "HTML_INDEX_TABLE=border=\"1\"\r\n"
      "HTML_INDEX_TD_TAG=valign=\"top\"\r\n"
      "HTML_TABLE_TAG=width=\"100%\"\r\n"
      "HTML_THUMB_TD_TAG=class=\"cell\"\r\n"
      "DECO_POOL=/srv/deco\r\n"
      "DECO_SOURCE=blue\r\n"
      "CLONE_COPY=1\r\n"
      "CLONE_CONVERT=1\r\n"
      "CLONE_SIZE_ORIGINAL=0\r\n"
      "CLONE_SELECTED_SIDE=2\r\n"
      "THUMB_SELECTED_SIDE=0\r\n"
      "HTML_HEAD=<link rel=\"stylesheet\" href=\"a.css\">\r\n"
      "HTML_PIC_HEAD=\r\n");
  EXPECT_EQ(s.Text("VERSION"), "2.09.00");  // kept until the next save
  EXPECT_EQ(s.Text("HTML_INDEX_TABLE_OPEN"), "<table border=\"1\">\r\n");
  EXPECT_EQ(s.Text("HTML_INDEX_TD_OPEN"), "<td valign=\"top\">");
  EXPECT_EQ(s.Text("HTML_THUMB_TABLE_OPEN"), "<table width=\"100%\">\r\n");
  EXPECT_EQ(s.Text("HTML_THUMB_TD_OPEN"), "<td class=\"cell\">");
  EXPECT_EQ(s.Text("DECO_SOURCE"), "/srv/deco/blue");
  EXPECT_EQ(s.Text("CLONE_CONVERT"), "0");
  // 2.09.05 set the side to 0 for copies, 2.10.00 renumbered it to 1.
  EXPECT_EQ(s.Text("CLONE_SELECTED_SIDE"), "1");
  EXPECT_EQ(s.Text("THUMB_SELECTED_SIDE"), "1");
  EXPECT_EQ(s.Text("HTML_HEAD"),
            std::string(GeneratorBlock()) + "\r\n<link rel=\"stylesheet\" href=\"a.css\">");
  EXPECT_EQ(s.Text("HTML_PIC_HEAD"), GeneratorBlock());
}

TEST(ProfileMigration, OriginalSizeWinsOverTheRenumberedSide) {
  const SettingsTable s = Migrated(
      "VERSION=2.09.09\r\nCLONE_COPY=0\r\nCLONE_SIZE_ORIGINAL=1\r\nCLONE_SELECTED_SIDE=3\r\n"
      "THUMB_SELECTED_SIDE=2\r\nHTML_HEAD=keep\r\nDECO_SOURCE=x\r\n");
  EXPECT_EQ(s.Text("CLONE_SELECTED_SIDE"), "0");
  EXPECT_EQ(s.Text("THUMB_SELECTED_SIDE"), "3");
  EXPECT_EQ(s.Text("CLONE_CONVERT"), "1");
  EXPECT_EQ(s.Text("HTML_HEAD"), "keep");    // 2.09.08 is older than the file
  EXPECT_EQ(s.Text("DECO_SOURCE"), "x");
}

TEST(ProfileMigration, CurrentVersionRunsNoStep) {
  const SettingsTable s = Migrated(
      "VERSION=2.11.00\r\nCLONE_SELECTED_SIDE=2\r\nHTML_HEAD=\r\nHTML_INDEX_TABLE_OPEN=<table>\r\n");
  EXPECT_EQ(s.Text("CLONE_SELECTED_SIDE"), "2");
  EXPECT_EQ(s.Text("HTML_HEAD"), "");
  EXPECT_EQ(s.Text("HTML_INDEX_TABLE_OPEN"), "<table>");
}

TEST(ProfileMigration, SortWordsBecomeCodes) {
  const SettingsTable words = Migrated(
      "VERSION=2.11.00\r\nDIR_SORT=Datum\r\nTHUMB_SORTIERUNG=keine\r\n"
      "DIR_SORTDIRECTION=down\r\nTHUMB_SORTIERRICHTUNG=Up\r\n");
  EXPECT_EQ(words.Text("DIR_SORT"), "2");
  EXPECT_EQ(words.Text("THUMB_SORTIERUNG"), "0");
  EXPECT_EQ(words.Text("DIR_SORTDIRECTION"), "1");
  EXPECT_EQ(words.Text("THUMB_SORTIERRICHTUNG"), "0");

  const SettingsTable others = Migrated(
      "VERSION=2.11.00\r\nDIR_SORT=3\r\nTHUMB_SORTIERUNG=shuffle\r\n"
      "DIR_SORTDIRECTION=sideways\r\nTHUMB_SORTIERRICHTUNG=1\r\n");
  EXPECT_EQ(others.Text("DIR_SORT"), "3");               // numbers stay
  EXPECT_EQ(others.Text("THUMB_SORTIERUNG"), "1");       // unknown words sort by name
  EXPECT_EQ(others.Text("DIR_SORTDIRECTION"), "sideways");  // directions stay
  EXPECT_EQ(Migrated("VERSION=2.11.00\r\nTHUMB_SORTIERUNG=numname\r\n").Text("THUMB_SORTIERUNG"), "7");
}

}  // namespace
}  // namespace velmora::settings
