// The file types a run writes clones and thumbnails in, and the check that
// refuses a run whose type names none.
#include <gtest/gtest.h>

#include "app/run/output_types.h"
#include "image/codecs/codec_registry.h"
#include "settings/settings_table.h"

namespace velmora::app {
namespace {

// The key a check gives, or "" when it lets the run go.
std::string Refusal(const settings::SettingsTable& settings) {
  const auto key = CheckOutputTypes(settings);
  return key ? std::string(key->name()) : std::string();
}

TEST(OutputTypes, NamesInAnyCaseWithBlanksAroundGiveTypeAndExtension) {
  struct Named {
    const char* value;
    int type;
    const char* extension;
  };
  for (const Named& named : {Named{"JPG", image::kImageTypeJpg, "jpg"}, Named{"jpeg", image::kImageTypeJpg, "jpg"},
                             Named{" WebP ", image::kImageTypeWebp, "webp"}, Named{"avif", image::kImageTypeAvif, "avif"}}) {
    const auto type = OutputTypeNamed(named.value);
    ASSERT_TRUE(type) << named.value;
    EXPECT_EQ(type->type, named.type) << named.value;
    EXPECT_EQ(type->extension, named.extension) << named.value;
  }
  // Types we read but do not write, and types written only as the original's own.
  for (const char* value : {"", "HEIF", "HEIC", "GIF", "PNG", "WEBP2", "JPG,WEBP", "6"}) {
    EXPECT_FALSE(OutputTypeNamed(value)) << value;
  }
}

TEST(OutputTypes, ChecksReadOnlyTheSettingsOfOutputsThatAreMade) {
  settings::SettingsTable settings;
  settings.Set("THUMBNAILS", "0");
  settings.Set("GENERATE_CLONES", "1");
  settings.Set("CLONE_FORMAT", "PNG");
  EXPECT_EQ(Refusal(settings), "ErrOutputFormatInvalid");
  settings.Set("CLONE_CONVERT", "0");  // clones keep the original's type
  EXPECT_EQ(Refusal(settings), "");
  settings.Set("GENERATE_CLONES", "0");
  settings.Set("CLONE_CONVERT", "1");
  EXPECT_EQ(Refusal(settings), "");
  settings.Set("THUMBNAILS", "1");
  settings.Set("THUMB_FORMAT", "tif");
  EXPECT_EQ(Refusal(settings), "ErrOutputFormatInvalid");
  settings.Set("THUMB_FORMAT", "Avif");
  EXPECT_EQ(Refusal(settings), "");
  EXPECT_EQ(OutputTypeOf(settings, "THUMB_FORMAT").type, image::kImageTypeAvif);
  EXPECT_EQ(OutputTypeOf(settings, "CLONE_FORMAT").type, image::kImageTypeJpg);  // unreadable: JPEG
}

}  // namespace
}  // namespace velmora::app
