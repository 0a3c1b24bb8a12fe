// A photo's metadata on its page, the way a photographer meets it: exiftool
// writes EXIF and IPTC into a JPEG, a batch run makes the gallery, and the
// image page shows what the template asks for. With the shipped Modern
// profile the page carries the caption, the date taken and the camera line,
// escaped, and a photo without metadata gets none of them and no error text.
// With the shipped Copyright profile every clone carries the photo's owner
// and date taken.
#include <gtest/gtest.h>

#include <regex>

#include "image/clone_list/border.h"
#include "image/clone_list/clone_effekte.h"
#include "image/clone_list/text_stamp.h"
#include "image/codecs/codec_registry.h"
#include "image/image_io.h"
#include "image/magick_fixtures.h"
#include "image/stamps/border.h"
#include "image/stamps/pixel_support.h"
#include "image/stamps/text_stamp_drawing.h"
#include "image/text/font_cache.h"
#include "run_fixture.h"
#include "settings/profile_reader.h"
#include "settings/settings_table.h"
#include "support/required_tool.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

bool HaveTools() {
  return std::system("command -v convert >/dev/null 2>&1 && command -v exiftool >/dev/null 2>&1") == 0;
}

class MetadataRun : public BatchRun {
 protected:
  void SetUp() override {
    BatchRun::SetUp();
    UseHomeBelow(root_.path());
    VELMORA_REQUIRE_TOOL(HaveTools(), "ImageMagick's convert and exiftool");
  }

  // A JPEG as a camera and a photo manager leave it.
  void MakeCameraPhoto(const fs::path& file) {
    MakeImage(file, 60, 40);
    const std::string command =
        "exiftool -q -overwrite_original -Make=Canon '-Model=Canon EOS 5D' '-DateTimeOriginal=2023:07:14 18:30:05' "
        "-ExposureTime=1/250 -FNumber=2.8 -ISO=200 -FocalLength=50 '-LensModel=EF50mm f/1.8 II' "
        "'-IPTC:Caption-Abstract=Sonnenuntergang <am> Meer' -IPTC:Keywords=Strand -IPTC:Keywords=Abend '" +
        file.string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }

  // The run of the real program with a profile of its own choosing.
  int RunWithProfile(const std::string& profile, std::vector<std::string> overrides) {
    std::vector<std::string> arguments = {"velmora", "/Profile=" + profile, "/Basedir=" + base_.string(), "/Level=1",
                                          "/Logfile=" + (root_ / "run.log").string()};
    arguments.insert(arguments.end(), overrides.begin(), overrides.end());
    std::vector<char*> argv;
    for (auto& argument : arguments) argv.push_back(argument.data());
    shown_.clear();
    const int status = RunProgram(static_cast<int>(argv.size()), argv.data());
    ProgramLog().Close();
    return status;
  }

  std::string ImagePage(const std::string& folder, const std::string& name) {
    const fs::path page = out_ / "html" / folder / (name + ".html");
    EXPECT_TRUE(fs::exists(page)) << page;
    return ReadFile(page);
  }
};

TEST_F(MetadataRun, TemplatesPrintTheExifAndIptcValuesOfEachPhoto) {
  MakeCameraPhoto(base_ / "Meer" / "abend.jpg");
  ASSERT_EQ(RunWithProfile("Voreinstellung",
                           {"/GENERATE_CLONES=1", "/CLONE_PATH=" + out_.string(), "/GENERATE_HTML=1",
                            "/GENERATE_PICPAGE=1", "/GENERATE_INDEX=0", "/GENERATE_FRAME=0",
                            "/HTML_PIC_POSTPIC=<p>[{exif(271)}|{exif(272)}|{exif(0x829A)}|{exifnice(0x829A)}|"
                            "{datepart(exifnice(0x9003), \"yyyy-mm-dd hh:nn\")}|{iptc(2, 120)}|{iptc(2, 25)}|"
                            "{exif(0x8827)}|{exif(0x8827) == 200}|{iptccount()}]</p>"}),
            kExitOk)
      << testing::PrintToString(Keys());
  EXPECT_NE(ImagePage("Meer", "abend")
                .find("<p>[Canon|Canon EOS 5D|1/250|1/250|2023-07-14 18:30|Sonnenuntergang <am> Meer|Strand,Abend|"
                      "200|@true|2]</p>"),
            std::string::npos)
      << ImagePage("Meer", "abend");
}

TEST_F(MetadataRun, TheModernProfileShowsCaptionDateAndCameraEscaped) {
  MakeCameraPhoto(base_ / "Meer" / "abend.jpg");
  MakeImage(base_ / "Meer" / "ohne.png", 60, 40);
  ASSERT_EQ(RunWithProfile("Modern", {"/GENERATE_CLONES=1", "/CLONE_PATH=" + out_.string(), "/GENERATE_HTML=1",
                                      "/GENERATE_PICPAGE=1", "/PNG=1"}),
            kExitOk)
      << testing::PrintToString(Keys());

  const std::string page = ImagePage("Meer", "abend");
  EXPECT_NE(page.find("<em>Sonnenuntergang &lt;am&gt; Meer</em>"), std::string::npos) << page;
  EXPECT_NE(page.find("Aufgenommen am 14.07.2023, 18:30 Uhr"), std::string::npos) << page;
  EXPECT_NE(page.find("Canon EOS 5D &middot; EF50mm f/1.8 II &middot; 1/250 s &middot; f/2.8 &middot; ISO 200"),
            std::string::npos)
      << page;
  EXPECT_EQ(page.find("<am>"), std::string::npos);

  const std::string plain = ImagePage("Meer", "ohne");
  for (const char* absent : {"<em>", "Aufgenommen", "ISO", "@error", "<small></small>"}) {
    EXPECT_EQ(plain.find(absent), std::string::npos) << absent << "\n" << plain;
  }
}

// The Modern thumbnail page hands the viewer the picture, its caption and
// its camera line, escaped; sizes read as people read them; each thumbnail
// has its high-density copy. The index card shows the folder's cover, its
// real name, its number of photos and the days they were taken: the EXIF
// date of one, the file date of the other.
TEST_F(MetadataRun, ModernPagesCarryCoverDatesSizesAndTheViewersTexts) {
  MakeCameraPhoto(base_ / "Meer" / "abend.jpg");
  MakeImage(base_ / "Meer" / "ohne.png", 300, 200);
  ASSERT_EQ(std::system(("touch -d '2023-07-20 12:00' '" + (base_ / "Meer" / "ohne.png").string() + "'").c_str()), 0);
  ASSERT_EQ(RunWithProfile("Modern", {"/GENERATE_CLONES=1", "/CLONE_PATH=" + out_.string(), "/PNG=1"}), kExitOk)
      << testing::PrintToString(Keys());

  const std::string thumbs = ReadFile(out_ / "html" / "Meer-1.html");
  EXPECT_NE(thumbs.find("data-pic=\"../Meer/abend.jpg\""), std::string::npos) << thumbs;
  EXPECT_NE(thumbs.find("data-caption=\"Sonnenuntergang &lt;am&gt; Meer\""), std::string::npos) << thumbs;
  EXPECT_NE(thumbs.find("data-meta=\"14.07.2023 &middot; Canon EOS 5D &middot; EF50mm f/1.8 II"), std::string::npos)
      << thumbs;
  EXPECT_NE(thumbs.find("<span>Sonnenuntergang &lt;am&gt; Meer</span>"), std::string::npos) << thumbs;
  EXPECT_NE(thumbs.find("srcset=\"../thumbs/Meer/2x/ohne.webp 2x\" width=\"270\" height=\"180\""), std::string::npos)
      << thumbs;
  EXPECT_EQ(Identify(out_ / "thumbs" / "Meer" / "2x" / "ohne.webp"), "300 200 WEBP");
  EXPECT_EQ(Identify(out_ / "thumbs" / "Meer" / "ohne.webp"), "270 180 WEBP");
  // 300 x 200 as a PNG clone: some kB, never a raw byte count.
  EXPECT_TRUE(std::regex_search(thumbs, std::regex("300&nbsp;&times;&nbsp;200 &middot; [0-9]+ kB<")));
  EXPECT_EQ(thumbs.find("Bytes"), std::string::npos);
  EXPECT_EQ(thumbs.find("<am>"), std::string::npos);

  const std::string index = ReadFile(out_ / "html" / "index.html");
  EXPECT_NE(index.find("<img src=\"../thumbs/Meer/abend.webp\" srcset=\"../thumbs/Meer/2x/abend.webp 2x\""),
            std::string::npos)
      << index;
  EXPECT_NE(index.find("<strong>Meer</strong><span>2 Fotos &middot; 14.07.2023 &ndash; 20.07.2023</span>"),
            std::string::npos)
      << index;
}

// Without the high-density setting the same profile names no copy that
// does not exist.
TEST_F(MetadataRun, ModernWithoutDenseThumbnailsWritesNoSrcset) {
  MakeImage(base_ / "Meer" / "ohne.png", 300, 200);
  ASSERT_EQ(RunWithProfile("Modern", {"/GENERATE_CLONES=1", "/CLONE_PATH=" + out_.string(), "/PNG=1",
                                      "/THUMB_DENSITY=0"}),
            kExitOk);
  EXPECT_FALSE(fs::exists(out_ / "thumbs" / "Meer" / "2x"));
  EXPECT_EQ(ReadFile(out_ / "html" / "Meer-1.html").find("srcset"), std::string::npos);
  EXPECT_EQ(ReadFile(out_ / "html" / "index.html").find("srcset"), std::string::npos);
}

// The clone list of a shipped profile, as the program reads it.
image::CCloneEffekte ShippedCloneList(const std::string& profile) {
  settings::SettingsTable table;
  image::CCloneEffekte clones;
  settings::RLModule modules;
  const std::string bytes = ReadFile(ProgramDirectory() / "profiles" / (profile + ".vlp"));
  EXPECT_FALSE(settings::ReadProfileText(bytes, table, clones, modules).has_value());
  return clones;
}

// What the README's demo shows: the owner from the camera's "Artist" and the
// date taken in the bottom right corner, inside a thin frame. The clone is
// the original with exactly that text and frame drawn on, written as a JPEG
// of the profile's quality. The photo without metadata comes after the one
// with it and must not print its values.
TEST_F(MetadataRun, TheCopyrightProfileStampsOwnerAndDateTakenOnEveryClone) {
  const fs::path dated = base_ / "Meer" / "abend.jpg";
  const fs::path plain = base_ / "Meer" / "ohne.jpg";
  MakeImage(dated, 360, 240);
  MakeImage(plain, 360, 240);
  const std::string command = "exiftool -q -overwrite_original '-DateTimeOriginal=2023:07:14 18:30:05' "
                              "'-Artist=Anna Berg ' '" + dated.string() + "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  ASSERT_EQ(std::system(("touch -d '2022-03-05 12:00' '" + plain.string() + "'").c_str()), 0);
  ASSERT_EQ(RunWithProfile("Copyright", {"/GENERATE_CLONES=1", "/CLONE_PATH=" + out_.string(), "/GENERATE_HTML=0"}),
            kExitOk)
      << testing::PrintToString(Keys());

  const image::CCloneEffekte clones = ShippedCloneList("Copyright");
  ASSERT_EQ(clones.Count(), 2);
  ASSERT_EQ(clones.begin()->Kind(), image::CloneItemKind::kTextStamp);
  const auto& stamp = static_cast<const image::CTextStamp&>(*clones.begin());
  const auto& frame = static_cast<const image::CBorder&>(*std::next(clones.begin()));
  image::FontCache fonts;
  const auto expected = [&](const fs::path& original, const std::string& text) {
    image::RgbBuffer picture = image::ReadImage(original, image::kImageTypeJpg);
    image::DrawTextStamp(picture, text, image::TextStampStyleOf(stamp), fonts);
    image::PreparedBorder(frame, nullptr).Apply(picture);
    const fs::path file = root_ / "expected.jpg";
    image::WriteImage(file, image::kImageTypeJpg, picture, {.quality = 75});
    return image::test::MagickDecode(file);
  };
  const image::RgbBuffer dated_clone = image::test::MagickDecode(out_ / "Meer" / "abend.jpg");
  EXPECT_EQ(dated_clone.width(), 368);
  EXPECT_TRUE(image::test::Same(dated_clone, expected(dated, "\xA9 2023 Anna Berg%\\Aufgenommen am 14.07.2023")));
  EXPECT_FALSE(image::test::Same(dated_clone, expected(dated, "\xA9 2023 Anna Berg%\\Aufgenommen am 15.07.2023")));
  // A photo without them names no one and gives the file's date.
  const image::RgbBuffer plain_clone = image::test::MagickDecode(out_ / "Meer" / "ohne.jpg");
  EXPECT_TRUE(image::test::Same(plain_clone, expected(plain, "\xA9 Alle Rechte vorbehalten%\\Datei vom 5.3.2022")));
}

}  // namespace
}  // namespace velmora::test
