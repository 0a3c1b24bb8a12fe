// The settings catalogue and the settings table built from it.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "settings/settings_catalogue.h"
#include "settings/settings_table.h"
#include "settings/working_settings.h"

namespace velmora::settings {
namespace {

TEST(SettingsCatalogue, FillsExactlyTheUsedSlotsWithUniqueKeys) {
  const SettingsTable table;
  const std::set<int> unused = {0, 124, 142, 143, 147, 148, 174, 175, 196};
  std::set<std::string> keys;
  int template_labels = 0;
  for (int slot = 0; slot < kSettingsSlotCount; ++slot) {
    const SettingSlot& entry = table.Slot(slot);
    EXPECT_EQ(entry.key.empty(), unused.count(slot) == 1) << "slot " << slot;
    if (!entry.key.empty()) {
      EXPECT_TRUE(keys.insert(entry.key).second) << entry.key;
    }
  }
  for (const SettingDefinition& definition : SettingsCatalogue()) template_labels += !definition.label_key.empty();
  EXPECT_EQ(template_labels, 60);
  EXPECT_THROW(table.Slot(kSettingsSlotCount), std::out_of_range);
}

TEST(SettingsCatalogue, DefaultProfileValues) {
  const SettingsTable table;
  // JPEG is the only file type switched on.
  for (int slot = 3; slot <= 14; ++slot) EXPECT_EQ(table.Value(slot), slot == 6 ? "1" : "0") << table.Slot(slot).key;
  EXPECT_EQ(table.Text("VERSION"), "0");
  EXPECT_EQ(table.Slot(24).value, "CR2,CRW,DCR,DNG,MRW,NEF,ORF,PEF,RAF,RAW,SRF,SR2");
  EXPECT_EQ(table.Slot(24).label, "RAW");
  EXPECT_EQ(table.Text("CLONE_FILTER"), "-2");
  EXPECT_EQ(table.Text("REF_POS"), "4");
  EXPECT_EQ(table.Slot(61).key, "CLONE_SELECTED_SIDE");
  EXPECT_EQ(table.Slot(193).key, "HTML_PIC_POSTPIC");
  EXPECT_EQ(table.Slot(164).value, "align=\"center\" border=\"0\" cellpadding=\"10\" cellspacing=\"0\"");
  EXPECT_EQ(table.Text("HTML_INDEX_TABLE_OPEN"),
            "<table align=\"center\" border=\"0\" cellpadding=\"5\" cellspacing=\"0\">\r\n");
  EXPECT_EQ(table.Text("HTML_PIC_HEAD"),
            "<meta name=\"generator\" content=\"Velmora\">\r\n<meta name=\"keywords\" content=\"Velmora\">\r\n"
            "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">");
  EXPECT_EQ(table.Text("HTML_FIRST"),
            "<a href=\"{first_ref}\"><img src=\"{deco_ref}/gesamtanfang.gif\" style=\"border-style:none\" "
            "alt=\"{first_doc}\" title=\"{first_doc}\"></a> ");
  EXPECT_EQ(table.Text("HTML_PIC_TITLE"), "Velmora - {doc}");
  // Pictures come as stored unless a profile asks for them upright.
  EXPECT_EQ(table.Slot(195).key, "AUTO_ORIENT");
  EXPECT_FALSE(table.Flag("AUTO_ORIENT"));
  // No high-density thumbnails unless a profile asks for them.
  EXPECT_EQ(table.Slot(205).key, "THUMB_DENSITY");
  EXPECT_EQ(table.Text("THUMB_DENSITY"), "0");
}

TEST(SettingsCatalogue, TypedAccessByKeyInAnyCase) {
  SettingsTable table;
  EXPECT_EQ(SlotOfKey("thumb_size"), 37);
  EXPECT_EQ(SlotOfKey("Thumb_Sortierung"), 84);
  EXPECT_FALSE(SlotOfKey("THUMB_SIZES"));
  EXPECT_FALSE(SlotOfKey(""));
  // Keys read while running are found in any case; keys in the code are
  // checked when compiling (a misspelt one does not build, see the
  // compile-failure test).
  EXPECT_EQ(table.Int(SettingKey::Require("thumb_size")), 120);
  EXPECT_EQ(SettingKey::Find("Thumb_Sortierung"), SettingKey("THUMB_SORTIERUNG"));
  EXPECT_FALSE(SettingKey::Find("THUMB_SIZES"));
  EXPECT_TRUE(table.Flag("JPG"));
  EXPECT_FALSE(table.Flag("BMP"));
  table.Set("CLONE_QUALITY", " 82abc");
  EXPECT_EQ(table.Int("CLONE_QUALITY"), 82);  // the number a text starts with
  table.Set("CLONE_QUALITY", "2.5");
  EXPECT_EQ(table.Int("CLONE_QUALITY"), 2);  // halves to even
  table.Set("GENERATE_HTML", "-1");
  EXPECT_TRUE(table.Flag("GENERATE_HTML"));  // any non-zero number counts as set
  EXPECT_THROW(SettingKey::Require("NO_SUCH_KEY"), std::out_of_range);
}

TEST(SettingsCatalogue, AddedFileTypesFollowTheClassicPatternAfterTheClassicTable) {
  const SettingsTable table;
  struct Type {
    const char* flag;
    const char* extensions;
    const char* defaults;
    const char* label;
  };
  for (const Type& type : {Type{"HEIF", "HEIF_EXT", "HEIC,HEIF,HIF", "HEIF"}, Type{"AVIF", "AVIF_EXT", "AVIF", "AVIF"},
                           Type{"WEBP", "WEBP_EXT", "WEBP", "WEBP"}}) {
    const auto flag = SlotOfKey(type.flag);
    const auto extensions = SlotOfKey(type.extensions);
    ASSERT_TRUE(flag && extensions) << type.flag;
    EXPECT_TRUE(IsAddedSlot(*flag) && IsAddedSlot(*extensions)) << type.flag;
    EXPECT_EQ(table.Value(*flag), "0");
    EXPECT_EQ(table.Value(*extensions), type.defaults);
    EXPECT_EQ(table.Slot(*extensions).label, type.label);
  }
  EXPECT_EQ(table.Text("CLONE_FORMAT"), "JPG");
  EXPECT_EQ(table.Text("THUMB_FORMAT"), "JPG");
  EXPECT_FALSE(IsAddedSlot(*SlotOfKey("HTML_PIC_FOOTER")));
  EXPECT_EQ(SlotOfKey("heif"), kClassicSlotCount);
}

TEST(SettingsCatalogue, ProgramVersionText) { EXPECT_EQ(ProgramVersionText(), "2.11.00"); }

}  // namespace
}  // namespace velmora::settings
