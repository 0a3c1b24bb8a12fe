// The profile file grammar: reading, writing and their round trip.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "image/clone_list/clone_list.h"
#include "settings/profile_reader.h"
#include "settings/profile_writer.h"

namespace velmora::settings {
namespace {

struct Profile {
  SettingsTable settings;
  image::CCloneEffekte clones;
  RLModule modules;
  std::optional<ProfileReadError> error;

  explicit Profile(std::string_view text) { error = ReadProfileText(text, settings, clones, modules); }
  std::string Write() const { return WriteProfileText(settings, clones, modules); }
  const image::CTextStamp& TextStamp(int pos) const {
    return dynamic_cast<const image::CTextStamp&>(*clones.Item(pos));
  }
};

TEST(ProfileText, KeyLinesKeepTheValueExactly) {
  const Profile p(
      "  thumb_size =200\r\n"        // key trimmed and upper-cased
      "HTML_TITLE= spaced  \r\n"     // blanks after "=" belong to the value
      "KOMMENTAR=\r\n"               // empty value
      "FILTER==*.jpg\r\n"            // a second "=" starts the value
      "* THUMB_WIDTH=1\r\n"          // comment
      "no equals sign here\r\n"      // ignored
      "UNKNOWN_KEY=5\r\n");
  ASSERT_FALSE(p.error);
  EXPECT_EQ(p.settings.Text("THUMB_SIZE"), "200");
  EXPECT_EQ(p.settings.Text("HTML_TITLE"), " spaced  ");
  EXPECT_EQ(p.settings.Text("KOMMENTAR"), "");
  EXPECT_EQ(p.settings.Text("FILTER"), "=*.jpg");
  EXPECT_EQ(p.settings.Text("THUMB_WIDTH"), "120");
}

TEST(ProfileText, ContinuationLinesAndTheirTarget) {
  const Profile p(
      "HTML_PIC_PIC=first\r\n+second\r\n  +third\r\n"
      "HTML_PIC_FOOTER=end\r\n+\r\n"           // trailing line break
      "UNKNOWN=x\r\n+lost\r\n"                 // unknown key clears the target
      "=nothing\r\n+also lost\r\n"             // empty key reaches only the unused slot 0
      "enum_pic_post_pic=old\r\n+key\r\n");    // older name of HTML_PIC_POSTPIC
  ASSERT_FALSE(p.error);
  EXPECT_EQ(p.settings.Text("HTML_PIC_PIC"), "first\r\nsecond\r\nthird");
  EXPECT_EQ(p.settings.Text("HTML_PIC_FOOTER"), "end\r\n");
  EXPECT_EQ(p.settings.Text("HTML_PIC_POSTPIC"), "old\r\nkey");
  EXPECT_EQ(p.settings.Value(0), "");
  EXPECT_EQ(p.settings.Slot(0).key, "");
}

TEST(ProfileText, LineEndsCrLfLfAndCr) {
  for (const char* end : {"\r\n", "\n", "\r"}) {
    const std::string text = std::string("HTML_PIC_PIC=a") + end + "+b" + end + "THUMB_SIZE=7" + end;
    const Profile p(text);
    EXPECT_EQ(p.settings.Text("HTML_PIC_PIC"), "a\r\nb") << "line end " << static_cast<int>(end[0]);
    EXPECT_EQ(p.settings.Text("THUMB_SIZE"), "7");
  }
}

TEST(ProfileText, ObjectKeysBuildTheCloneList) {
  const Profile p(
      "STAMP_TEXT_COLOR=255\r\n"                 // before any object: ignored
      "STAMP_TEXT_DESCRIPTION=Copyright\r\n"
      "STAMP_TEXT=(c) {year}\r\n+line two\r\n"
      "STAMP_TEXT_HEIGHT=24\r\n"
      "BORDER_COLOR=255\r\n"                     // wrong class for the current object
      "STAMP_TEXT_NO_SUCH=1\r\n"                 // unknown property
      "+continued\r\n"                           // after an unknown key: the stamp's text
      "BORDER_DESCRIPTION=Frame\r\n"
      "BORDER_WIDTH=12\r\n"
      "+ignored\r\n"                             // a border has no multi-line text
      "IMAGE_EFFECT_DESCRIPTION=Sharpen\r\n"
      "IMAGE_EFFECT_LONGVALUE_01=3\r\n");
  ASSERT_FALSE(p.error);
  ASSERT_EQ(p.clones.Count(), 3);
  EXPECT_EQ(p.TextStamp(1).Description(), "Copyright");
  EXPECT_EQ(p.TextStamp(1).Text(), "(c) {year}\r\nline two\r\ncontinued");
  EXPECT_EQ(p.TextStamp(1).Height(), 24);
  EXPECT_EQ(p.TextStamp(1).Color(), 16777215);
  EXPECT_EQ(p.clones.Item(2)->Kind(), image::CloneItemKind::kBorder);
  EXPECT_EQ(dynamic_cast<const image::CBorder&>(*p.clones.Item(2)).Width(), 12);
  EXPECT_EQ(p.clones.Item(3)->Kind(), image::CloneItemKind::kEffect);
}

TEST(ProfileText, EffectParameterNumberHasAnyDigitCount) {
  const Profile p(
      "IMAGE_EFFECT_DESCRIPTION=Hand written\r\n"
      "IMAGE_EFFECT_LONGVALUE_1=40\r\n"
      "image_effect_longvalue_002=41\r\n"
      "IMAGE_EFFECT_LONGVALUE_10=42\r\n"
      "IMAGE_EFFECT_DOUBLEVALUE_3=2.5\r\n"
      "IMAGE_EFFECT_LONGVALUE_11=99\r\n"     // beyond the ten parameters: ignored
      "IMAGE_EFFECT_LONGVALUE_=98\r\n");     // no number: ignored
  ASSERT_FALSE(p.error);
  ASSERT_EQ(p.clones.Count(), 1);
  const auto& effect = dynamic_cast<const image::CBildEffekt&>(*p.clones.Item(1));
  EXPECT_EQ(effect.LongArray(1), 40);
  EXPECT_EQ(effect.LongArray(2), 41);
  EXPECT_EQ(effect.LongArray(10), 42);
  EXPECT_DOUBLE_EQ(effect.DoubleArray(3), 2.5);
  // Written back in the two-digit form.
  EXPECT_NE(p.Write().find("IMAGE_EFFECT_LONGVALUE_01=40\r\n"), std::string::npos);
}

TEST(ProfileText, ReadErrorsReportNumberLineAndText) {
  const Profile module_first("VERSION=2.11.00\r\n!+orphan line\r\n");
  ASSERT_TRUE(module_first.error);
  EXPECT_EQ(module_first.error->number, kProfileErrorNoModule);
  EXPECT_EQ(module_first.error->line_number, 2);
  EXPECT_EQ(module_first.error->line_text, "!+orphan line");

  const Profile bad_number("STAMP_TEXT_DESCRIPTION=x\r\nSTAMP_TEXT_HEIGHT=big\r\n");
  ASSERT_TRUE(bad_number.error);
  EXPECT_EQ(bad_number.error->number, kProfileErrorTypeMismatch);
  EXPECT_EQ(bad_number.error->line_number, 2);
}

TEST(ProfileText, ModulesKeepTheirLines) {
  const Profile p("!* main \r\n!+function a()\r\n!+\r\n!+  {}\r\n!*empty\r\n!+\r\n");
  ASSERT_FALSE(p.error);
  ASSERT_EQ(p.modules.Count(), 2u);
  EXPECT_EQ(p.modules.Item(1).name, "main");
  EXPECT_EQ(p.modules.Item(1).source, "function a()\r\n\r\n  {}");
  EXPECT_EQ(p.modules.Item(2).source, "");
}

TEST(ProfileText, WriteUsesUpperCaseKeysAndContinuationLines) {
  Profile p("html_pic_pic=a\r\n+b\r\n+\r\n");
  p.modules.Add("lib", "x\r\ny");
  const std::string text = p.Write();
  EXPECT_NE(text.find("\r\nHTML_PIC_PIC=a\r\n+b\r\n+\r\nHTML_PIC_POSTPIC="), std::string::npos);
  EXPECT_TRUE(text.ends_with("!*lib\r\n!+x\r\n!+y\r\n"));
  EXPECT_TRUE(text.starts_with("VERSION=0\r\nKOMMENTAR=\r\nBMP=0\r\n"));
  EXPECT_EQ(text.find("\r\n\r\n"), std::string::npos);  // no stray line ends
}

TEST(ProfileText, LoneLineBreaksInValuesStillReadBackAsOneValue) {
  Profile p("");
  p.settings.Set("HTML_PIC_PIC", "a\nb\rc");
  const Profile again(p.Write());
  EXPECT_EQ(again.settings.Text("HTML_PIC_PIC"), "a\r\nb\r\nc");
}

TEST(ProfileText, RoundTripIsByteForByte) {
  Profile p("");
  p.settings.Set("VERSION", "2.11.00");
  p.settings.Set("KOMMENTAR", "Galerie f\xFCr \xC4rger = 100%");
  p.settings.Set("HTML_PIC_POSTPIC", "\r\n{comment}\r\n");
  auto stamp = std::make_unique<image::CTextStamp>();
  stamp->SetDescription("Stempel");
  stamp->SetText("Zeile 1\r\n  Zeile 2\r\n");
  p.clones.Add(std::move(stamp));
  auto effect = image::NewCloneItemForDescriptionKey("IMAGE_EFFECT_DESCRIPTION");
  ASSERT_EQ(effect->SetProfileProperty("IMAGE_EFFECT_DOUBLEVALUE_02", "1.25"), image::PropertyResult::kApplied);
  p.clones.Add(std::move(effect));
  p.clones.Add(image::NewCloneItemForDescriptionKey("STAMP_IMAGE_DESCRIPTION"));
  p.clones.Add(image::NewCloneItemForDescriptionKey("BORDER_DESCRIPTION"));
  p.modules.Add("main", "function _init()\r\n{\r\n}\r\n");

  const std::string first = p.Write();
  const Profile again(first);
  ASSERT_FALSE(again.error);
  EXPECT_EQ(again.settings, p.settings);
  EXPECT_EQ(again.modules, p.modules);
  ASSERT_EQ(again.clones.Count(), 4);
  EXPECT_EQ(again.TextStamp(1).Text(), "Zeile 1\r\n  Zeile 2\r\n");
  EXPECT_EQ(again.Write(), first);
}

// Settings added after the classic table reach a file only when set, so a
// profile that uses none of them is written exactly as before.
TEST(ProfileText, AddedSettingsAreWrittenOnlyWhenTheyDifferFromTheirDefault) {
  Profile p("VERSION=2.11.00\r\n");
  const std::string classic = p.Write();
  for (const char* key : {"HEIF", "AVIF", "WEBP", "CLONE_FORMAT", "THUMB_FORMAT"}) {
    EXPECT_EQ(classic.find(key), std::string::npos) << key;
  }
  EXPECT_TRUE(classic.ends_with("HTML_PIC_FOOTER=\r\nAUTO_ORIENT=0\r\n"));

  p.settings.Set("HEIF", "1");
  p.settings.Set("WEBP_EXT", "WEBP,WBP");
  p.settings.Set("THUMB_FORMAT", "WEBP");
  const std::string added = p.Write();
  EXPECT_EQ(added, classic + "HEIF=1\r\nWEBP_EXT=WEBP,WBP\r\nTHUMB_FORMAT=WEBP\r\n");
  const Profile again(added);
  ASSERT_FALSE(again.error);
  EXPECT_EQ(again.settings, p.settings);

  // Set back to its default, a setting leaves the file again.
  p.settings.Set("HEIF", "0");
  p.settings.Set("WEBP_EXT", "WEBP");
  p.settings.Set("THUMB_FORMAT", "JPG");
  EXPECT_EQ(p.Write(), classic);
}

TEST(ProfileText, Utf8BytesAreKeptAndAByteOrderMarkIsSkipped) {
  const Profile p("\xEF\xBB\xBFVERSION=2.11.00\r\nKOMMENTAR=Gr\xC3\xBC\xC3\x9F" "e\r\n");
  ASSERT_FALSE(p.error);
  EXPECT_EQ(p.settings.Text("VERSION"), "2.11.00");
  EXPECT_EQ(p.settings.Text("KOMMENTAR"), "Gr\xC3\xBC\xC3\x9F" "e");
}

TEST(ProfileText, GarbageInNoCrash) {
  std::mt19937 random(1234);
  const std::string alphabet = "=+!*\r\n \tSTAMP_TEXT_DESCRIPTIONBORDER_WIDTHIMAGE_EFFECT_LONGVALUE_0112\x80\xFF";
  for (int round = 0; round < 300; ++round) {
    std::string text;
    const int length = static_cast<int>(random() % 400);
    for (int i = 0; i < length; ++i) {
      text += round % 2 == 0 ? static_cast<char>(random() & 0xFF) : alphabet[random() % alphabet.size()];
    }
    const Profile p(text);
    const std::string written = p.Write();
    if (!p.error) {
      const Profile again(written);  // whatever was read writes back readable
      EXPECT_FALSE(again.error);
      EXPECT_EQ(again.settings, p.settings);
    }
  }
}

}  // namespace
}  // namespace velmora::settings
