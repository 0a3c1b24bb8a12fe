#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "lang/messages.h"
#include "metadata/metadata_definition.h"
#include "platform/program_paths.h"
#include "support/temp_dir.h"

namespace velmora::metadata {
namespace {

// A program directory of its own, the loader's memory wiped before and
// after, and every message shown in between.
class MetadataDefinitionLoaderTest : public testing::Test {
 protected:
  void SetUp() override {
    SetProgramDirectory(program_.path());
    ResetMetadataDefinition();
    previous_ = lang::SetMessageObserver([this](const lang::ShownMessage& m) { shown_.push_back(m); });
  }
  void TearDown() override {
    lang::SetMessageObserver(previous_);
    ResetMetadataDefinition();
    SetProgramDirectory({});
  }
  void WriteDefinition(std::string_view text) { test::WriteFile(program_ / "metadata.def", text); }

  test::TempDir program_;
  std::vector<lang::ShownMessage> shown_;
  lang::MessageObserver previous_;
};

TEST_F(MetadataDefinitionLoaderTest, AMissingFileGivesEmptyTablesSilentlyAndIsNotLookedForAgain) {
  EXPECT_FALSE(LoadMetadataDefinition());
  EXPECT_TRUE(Definitions().empty());
  WriteDefinition("#version 2\r\n#main\r\n+271,0,0,Make\r\n");
  EXPECT_TRUE(LoadMetadataDefinition());
  EXPECT_TRUE(Definitions().empty());
  EXPECT_TRUE(shown_.empty());
}

TEST_F(MetadataDefinitionLoaderTest, AFolderInPlaceOfTheFileCountsAsMissing) {
  std::filesystem::create_directory(program_ / "metadata.def");
  EXPECT_FALSE(LoadMetadataDefinition());
  EXPECT_TRUE(LoadMetadataDefinition());
  EXPECT_TRUE(shown_.empty());
}

TEST_F(MetadataDefinitionLoaderTest, AGoodFileIsReadOnce) {
  WriteDefinition("#version 2\r\n#main\r\n+271,0,0,Make\r\n");
  ASSERT_TRUE(LoadMetadataDefinition());
  ASSERT_NE(Definitions().Find(ExifSection::kMain, 0, 271), nullptr);
  WriteDefinition("#version 2\r\n#main\r\n+272,0,0,Model\r\n");
  EXPECT_TRUE(LoadMetadataDefinition());
  EXPECT_NE(Definitions().Find(ExifSection::kMain, 0, 271), nullptr);
  EXPECT_EQ(Definitions().Find(ExifSection::kMain, 0, 272), nullptr);
  ResetMetadataDefinition();
  EXPECT_TRUE(Definitions().empty());
  EXPECT_TRUE(LoadMetadataDefinition());
  EXPECT_NE(Definitions().Find(ExifSection::kMain, 0, 272), nullptr);
}

TEST_F(MetadataDefinitionLoaderTest, ARefusedFileIsReportedDiscardedAndReadAgainNextTime) {
  WriteDefinition("#version 2\r\n#main\r\n+271,0,0,Make\r\n+272,0,Model\r\n");
  EXPECT_FALSE(LoadMetadataDefinition());
  EXPECT_TRUE(Definitions().empty());
  ASSERT_EQ(shown_.size(), 1u);
  EXPECT_EQ(shown_[0].title, "Metadaten-Definition laden");
  EXPECT_EQ(shown_[0].style & 0xF0, lang::kIconExclamation);
  EXPECT_EQ(shown_[0].key, "");
  EXPECT_EQ(shown_[0].text, "Fehler beim Lesen der Metadaten-Definitionsdatei\r\n\r\nFehler in Zeile 4\r\n+272,0,Model");

  // Still refused: reported again, since nothing was kept.
  EXPECT_FALSE(LoadMetadataDefinition());
  EXPECT_EQ(shown_.size(), 2u);

  WriteDefinition("#version 2\r\n#main\r\n+272,0,0,Model\r\n");
  EXPECT_TRUE(LoadMetadataDefinition());
  EXPECT_NE(Definitions().Find(ExifSection::kMain, 0, 272), nullptr);
  EXPECT_EQ(shown_.size(), 2u);
}

TEST_F(MetadataDefinitionLoaderTest, TheVersionMessagesAreShownAsTheyStand) {
  WriteDefinition("#version 3\r\n");
  EXPECT_FALSE(LoadMetadataDefinition());
  WriteDefinition("* head\r\n#iptc\r\n#version 2\r\n");
  EXPECT_FALSE(LoadMetadataDefinition());
  ASSERT_EQ(shown_.size(), 2u);
  EXPECT_EQ(shown_[0].text, "Version der Metadaten-Beschreibungsdatei wird nicht unterst\xFCtzt");
  EXPECT_EQ(shown_[1].text, "Version der Metadaten-Beschreibungsdatei muss als erster Eintrag aufgef\xFChrt sein");
  EXPECT_TRUE(Definitions().empty());
}

TEST_F(MetadataDefinitionLoaderTest, ControlCharactersOfAFaultyLineDoNotReachTheMessageRaw) {
  WriteDefinition("#version 2\r\nbad\x1B[2J line\r\n");
  EXPECT_FALSE(LoadMetadataDefinition());
  ASSERT_EQ(shown_.size(), 1u);
  EXPECT_EQ(shown_[0].text.find('\x1B'), std::string::npos);
  EXPECT_NE(shown_[0].text.find("Fehler in Zeile 2"), std::string::npos);
}

}  // namespace
}  // namespace velmora::metadata
