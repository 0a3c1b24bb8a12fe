// The page preview writes a real gallery of the folder with the current
// templates, and nowhere but into its own folder.
#include "options_fixture.h"
#include "settings/profile_data.h"
#include "settings/working_settings.h"
#include "ui/options/page_preview.h"

namespace velmora::ui::test {
namespace {

class PagePreviewTest : public OptionsTest {
 protected:
  void SetUp() override {
    OptionsTest::SetUp();
    std::filesystem::create_directories(photos_);
    const std::filesystem::path samples = VELMORA_SAMPLES_DIR "/jpg";
    std::filesystem::copy_file(samples / "Canon IXUS 400.jpg", photos_ / "eins.jpg");
    std::filesystem::copy_file(samples / "Canon IXUS v3.jpg", photos_ / "zwei.jpg");
    // The test's program folder has no decoration sets.
    settings::SetWorkingSetting("DECO_COPY", "0");
  }
  std::vector<std::string> PhotoFolder() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(photos_)) names.push_back(entry.path().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  std::filesystem::path photos_ = root_.path() / "fotos";
  std::filesystem::path output_ = root_.path() / "vorschau";
};

TEST_F(PagePreviewTest, ThumbnailPageUsesTheWorkingTemplates) {
  settings::SetWorkingSetting("HTML_TITLE", "Probe {count_files} Bilder");
  settings::SetWorkingSetting("GENERATE_CLONES", "0");
  const auto before = PhotoFolder();
  const settings::SettingsTable working = settings::WorkingSettings();

  const std::filesystem::path page = RenderPagePreview(PreviewPageKind::kThumbnailPage, photos_, output_);
  ASSERT_FALSE(page.empty());
  EXPECT_EQ(page.filename(), "default.html");
  EXPECT_NE(velmora::test::ReadFile(page).find("<title>Probe 2 Bilder</title>"), std::string::npos);
  // Nothing reached the photos' folder, and the profile is as it was.
  EXPECT_EQ(PhotoFolder(), before);
  EXPECT_EQ(settings::WorkingSettings(), working);
}

TEST_F(PagePreviewTest, ImagePageIsOneOfThePhotosPages) {
  const std::filesystem::path page = RenderPagePreview(PreviewPageKind::kImagePage, photos_, output_);
  ASSERT_FALSE(page.empty());
  EXPECT_EQ(page.filename(), "eins.html");
}

TEST_F(PagePreviewTest, AFolderWithoutPhotosShowsNothing) {
  std::filesystem::create_directories(root_.path() / "leer");
  EXPECT_TRUE(RenderPagePreview(PreviewPageKind::kThumbnailPage, root_.path() / "leer", output_).empty());
}

}  // namespace
}  // namespace velmora::ui::test
