// The clone list editor: the saved order is the order the user arranged,
// item forms refuse values out of range with their messages, and the
// preview shows the whole list applied to the picture.
#include <QComboBox>
#include <QElapsedTimer>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>

#include "image/clone_list/clone_list.h"
#include "image/clone_list/effect_codes.h"
#include "options_fixture.h"
#include "settings/profile_data.h"
#include "ui/options/clone_item_form.h"
#include "ui/options/clone_list_editor.h"
#include "ui/options/clone_preview.h"
#include "ui/options/options_dialog.h"

namespace velmora::ui::test {
namespace {

constexpr int kEffectsPage = 4;

TEST_F(OptionsTest, ReorderedCloneListIsSavedInItsNewOrder) {
  OptionsDialog dialog(nullptr, DialogSetup());
  ASSERT_TRUE(dialog.ShowPage(kEffectsPage));
  CloneListEditor& editor = *dialog.cloneListEditor();
  editor.AddEffect();
  editor.form()->SetFieldText("IMAGE_EFFECT_DESCRIPTION", QStringLiteral("erst"));
  editor.AddBorder();
  editor.form()->SetFieldText("BORDER_DESCRIPTION", QStringLiteral("zweit"));
  editor.AddTextStamp();
  editor.form()->SetFieldText("STAMP_TEXT_DESCRIPTION", QStringLiteral("dritt"));
  editor.DuplicateSelected();
  EXPECT_EQ(editor.list()->count(), 4);
  editor.RemoveSelected();

  editor.MoveSelectedUp();  // the stamp before the border
  editor.MoveSelectedUp();  // and first
  EXPECT_EQ(editor.SelectedRow(), 0);
  EXPECT_FALSE(settings::WorkingCloneList().MoveUp(1));  // the first stays first
  editor.Select(1);
  editor.MoveSelectedDown();  // the effect last
  dialog.accept();
  ASSERT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(ReadCloneDescriptions(UserProfile()), (std::vector<std::string>{"dritt", "zweit", "erst"}));
}

TEST_F(OptionsTest, BorderWidthOutOfRangeIsRefusedWithItsRange) {
  OptionsDialog dialog(nullptr, DialogSetup());
  ASSERT_TRUE(dialog.ShowPage(kEffectsPage));
  CloneListEditor& editor = *dialog.cloneListEditor();
  editor.AddEffect();
  editor.AddBorder();
  editor.form()->SetFieldText("BORDER_WIDTH", QStringLiteral("0"));
  // The item keeps its last good width; the field keeps what was typed.
  const auto& border = static_cast<const image::CBorder&>(*settings::WorkingCloneList().Item(2));
  EXPECT_EQ(border.Width(), 10);

  editor.list()->setCurrentRow(0);  // refused: the border stays selected
  EXPECT_EQ(editor.SelectedRow(), 1);
  ASSERT_EQ(messages_.keys, std::vector<std::string>{"ErrBorderWidth"});
  EXPECT_EQ(messages_.texts.back(), "Breite des Rahmens fehlerhaft\r\n\r\nErlaubt sind Werte im Bereich 1 bis 9999");

  EXPECT_FALSE(dialog.ShowPage(0));  // nor may the page be left
  dialog.accept();
  EXPECT_NE(dialog.result(), QDialog::Accepted);

  editor.form()->SetFieldText("BORDER_WIDTH", QStringLiteral("25"));
  EXPECT_EQ(border.Width(), 25);
  EXPECT_TRUE(dialog.ShowPage(0));
}

TEST_F(OptionsTest, StampOffsetsAndEffectParametersHaveTheirMessages) {
  OptionsDialog dialog(nullptr, DialogSetup());
  CloneListEditor& editor = *dialog.cloneListEditor();
  editor.AddTextStamp();
  editor.form()->SetFieldText("STAMP_TEXT_OFFSETX", QStringLiteral("-10000"));
  ASSERT_TRUE(editor.Check());
  EXPECT_EQ(editor.Check()->key, "ErrStampOffset");
  editor.form()->SetFieldText("STAMP_TEXT_OFFSETX", QStringLiteral("-9999"));
  EXPECT_FALSE(editor.Check());

  editor.AddEffect();
  // Choosing the mosaic brings its parameters onto the form.
  qobject_cast<QComboBox*>(editor.form()->Field("IMAGE_EFFECT_TYPE"))
      ->setCurrentIndex(qobject_cast<QComboBox*>(editor.form()->Field("IMAGE_EFFECT_TYPE"))->findData("12"));
  QApplication::processEvents();
  ASSERT_NE(editor.form()->Field("IMAGE_EFFECT_LONGVALUE_01"), nullptr);
  editor.form()->SetFieldText("IMAGE_EFFECT_LONGVALUE_01", QStringLiteral("100"));
  ASSERT_TRUE(editor.Check());
  EXPECT_EQ(editor.Check()->key, "ErrImageeffectMosaicWidth");
  editor.form()->SetFieldText("IMAGE_EFFECT_LONGVALUE_01", QStringLiteral("99"));
  editor.form()->SetFieldText("IMAGE_EFFECT_LONGVALUE_02", QStringLiteral("abc"));
  ASSERT_TRUE(editor.Check());
  EXPECT_EQ(editor.Check()->key, "ErrImageeffectMosaicHeight");
  const auto& effect = static_cast<const image::CBildEffekt&>(*settings::WorkingCloneList().Item(2));
  EXPECT_EQ(effect.EffectCode(), image::effect_code::kMosaic);
  EXPECT_EQ(effect.LongArray(1), 99);
}

TEST(ClonePreviewRender, AppliesTheWholeListInOrder) {
  const image::RgbBuffer source = SamplePicture(200, 100);
  image::CCloneEffekte list;
  auto grey = image::NewCloneItemForDescriptionKey("IMAGE_EFFECT_DESCRIPTION");
  ASSERT_EQ(grey->SetProfileProperty("IMAGE_EFFECT_TYPE", "11"), image::PropertyResult::kApplied);
  list.Add(std::move(grey));
  auto frame = image::NewCloneItemForDescriptionKey("BORDER_DESCRIPTION");
  frame->SetProfileProperty("BORDER_TYPE", "1");
  frame->SetProfileProperty("BORDER_COLOR", "255");  // red
  list.Add(std::move(frame));

  const image::RgbBuffer result = RenderClonePreview(source, list, {});
  ASSERT_EQ(result.width(), 220);
  ASSERT_EQ(result.height(), 120);
  // The frame came after the grey: it stays red, the picture inside is grey.
  EXPECT_EQ(result.data()[0], 255);
  EXPECT_EQ(result.data()[1], 0);
  const std::uint8_t* inside = result.data() + (60 * 220 + 110) * 3;
  EXPECT_EQ(inside[0], inside[1]);
  EXPECT_EQ(inside[1], inside[2]);
  // The source is left as it was for the next render.
  EXPECT_EQ(source.width(), 200);
}

TEST(ClonePreviewRender, AStampWithoutItsPictureKeepsWhatCameBefore) {
  const image::RgbBuffer source = SamplePicture(64, 48);
  image::CCloneEffekte list;
  auto invert = image::NewCloneItemForDescriptionKey("IMAGE_EFFECT_DESCRIPTION");
  invert->SetProfileProperty("IMAGE_EFFECT_TYPE", "17");
  list.Add(std::move(invert));
  auto stamp = image::NewCloneItemForDescriptionKey("STAMP_IMAGE_DESCRIPTION");
  stamp->SetProfileProperty("STAMP_IMAGE", "/gibt/es/nicht.png");
  list.Add(std::move(stamp));
  const image::RgbBuffer result = RenderClonePreview(source, list, {});
  ASSERT_EQ(result.width(), 64);
  EXPECT_EQ(result.data()[0], 255 - source.data()[0]);
}

TEST(ClonePreviewRender, AnUnreadablePhotoGivesNothingToShow) {
  EXPECT_TRUE(LoadPreviewPhoto("/gibt/es/nicht.jpg", 1600).empty());
}

TEST_F(OptionsTest, PreviewFollowsAnEditWithinTheDebounce) {
  OptionsDialog dialog(nullptr, DialogSetup());
  CloneListEditor& editor = *dialog.cloneListEditor();
  QSignalSpy rendered(&editor.preview(), &ClonePreview::rendered);
  editor.AddEffect();  // sharpen on the 1600-pixel sample
  QElapsedTimer timer;
  timer.start();
  ASSERT_TRUE(rendered.wait(5000));
  EXPECT_EQ(editor.preview().image().width(), kPreviewCloneSize);
  // Several quick edits render once more, not once per edit.
  rendered.clear();
  for (int i = 0; i < 5; ++i) editor.form()->SetFieldText("IMAGE_EFFECT_DESCRIPTION", QString::number(i));
  ASSERT_TRUE(rendered.wait(5000));
  QTest::qWait(3 * ClonePreview::kDebounceMs);
  EXPECT_EQ(rendered.count(), 1);
}

}  // namespace
}  // namespace velmora::ui::test
