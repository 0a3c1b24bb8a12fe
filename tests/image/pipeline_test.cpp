// DoIt on real files: clones and thumbnails as ImageMagick and exiftool see
// them, kept when up to date, never half written.
#include "image/rl_image.h"

#include <gtest/gtest.h>

#include <fstream>

#include "image/codecs/codec_registry.h"
#include "image/image_error.h"
#include "image/image_io.h"
#include "magick_fixtures.h"
#include "support/required_tool.h"
#include "support/temp_dir.h"

namespace velmora::image {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class PipelineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    VELMORA_REQUIRE_TOOL(test::HaveConvert(), "ImageMagick's convert");
    for (const char* sub : {"orig", "clone", "thumb"}) fs::create_directory(dir_ / sub);
    const fs::path photo = test::MakePhoto(dir_.path(), 800, 600);
    ASSERT_TRUE(test::Magick("'" + photo.string() + "' -quality 92 -set comment 'Abendrot am See' '" +
                             (dir_ / "orig" / "photo.jpg").string() + "'"));
    test::Run("exiftool -overwrite_original -Artist='Anna Beispiel' -Copyright='CC BY' '" +
              (dir_ / "orig" / "photo.jpg").string() + "'");
    Configure(image_, "photo", "jpg", kImageTypeJpg);
  }

  void Configure(RLImage& image, const std::string& name, const std::string& extension, int type) {
    image.OriginalPfad = (dir_ / "orig").string();
    image.ClonePfad = (dir_ / "clone").string();
    image.ThumbPfad = (dir_ / "thumb").string();
    image.ImageFile.Original = {name, extension, type};
    image.ImageFile.Clone = {name, "jpg", kImageTypeJpg};
    image.ImageFile.Thumb = {"t_" + name, "jpg", kImageTypeJpg};
    image.ClonenDurchfuehren = true;
    image.CloneSeitenwahl = 1;
    image.CloneAusdehnung = 400;
    image.CloneQualitaet = 75;
    image.CloneFilter = -2;
    image.ThumbDurchfuehren = true;
    image.ThumbSeitenwahl = 1;
    image.ThumbAusdehnung = 100;
    image.ThumbQualitaet = 80;
  }

  fs::path ClonePath() const { return dir_ / "clone" / "photo.jpg"; }
  fs::path ThumbPath() const { return dir_ / "thumb" / "t_photo.jpg"; }
  std::string Exif(const fs::path& path, const std::string& tag) const {
    return test::CommandOutput("exiftool -s3 -" + tag + " '" + path.string() + "'");
  }

  velmora::test::TempDir dir_;
  RLImage image_;
};

TEST_F(PipelineTest, MakesCloneAndThumbnailAndFillsTheRecord) {
  image_.DoIt();
  EXPECT_TRUE(image_.CloneErstellt);
  EXPECT_TRUE(image_.ThumbErstellt);
  const RLImageFile& f = image_.ImageFile;
  EXPECT_EQ(f.Original.Width, 800);
  EXPECT_EQ(f.Clone.Width, 400);
  EXPECT_EQ(f.Clone.Height, 300);
  EXPECT_EQ(f.Clone.Quality, 75);
  EXPECT_EQ(f.Clone.Size, static_cast<std::int64_t>(fs::file_size(ClonePath())));
  EXPECT_EQ(f.Thumb.Width, 100);
  EXPECT_EQ(f.Thumb.Height, 75);
  EXPECT_EQ(test::CommandOutput("identify -format '%wx%h %Q' '" + ClonePath().string() + "'"), "400x300 75");
  EXPECT_EQ(test::CommandOutput("identify -format '%wx%h' '" + ThumbPath().string() + "'"), "100x75");
  // The clone agrees with ImageMagick's own resize of the original.
  ASSERT_TRUE(test::Magick("'" + (dir_ / "orig" / "photo.jpg").string() + "' -resize 400x300 '" +
                           (dir_ / "im.ppm").string() + "'"));
  EXPECT_GE(test::Psnr(test::MagickDecode(ClonePath()), test::MagickDecode(dir_ / "im.ppm")), 30.0);
  // Without MetadataKopieren nothing of the original's metadata is carried.
  EXPECT_EQ(Exif(ClonePath(), "Artist"), "");
  EXPECT_EQ(Exif(ClonePath(), "Comment"), "");
  // Temporary files never stay behind.
  for (const char* sub : {"clone", "thumb"}) {
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / sub), fs::directory_iterator()), 1) << sub;
  }
}

TEST_F(PipelineTest, KeepsUpToDateOutputsAndRemakesOutdatedOnes) {
  image_.CloneNurWennNeuerErstellen = true;
  image_.DoIt();
  const auto first_clone = fs::last_write_time(ClonePath());
  RLImage again;
  Configure(again, "photo", "jpg", kImageTypeJpg);
  again.CloneNurWennNeuerErstellen = true;
  again.DoIt();
  EXPECT_FALSE(again.CloneErstellt);
  EXPECT_FALSE(again.ThumbErstellt);
  EXPECT_EQ(fs::last_write_time(ClonePath()), first_clone);
  EXPECT_EQ(again.ImageFile.Clone.Width, 400);

  // A changed size setting or an original newer than the clone remakes it.
  RLImage resized;
  Configure(resized, "photo", "jpg", kImageTypeJpg);
  resized.CloneAusdehnung = 500;
  resized.DoIt();
  EXPECT_TRUE(resized.CloneErstellt);
  EXPECT_FALSE(resized.ThumbErstellt);  // made from the original, which has not changed
  EXPECT_EQ(resized.ImageFile.Clone.Width, 500);
  fs::last_write_time(dir_ / "orig" / "photo.jpg", fs::last_write_time(ClonePath()) + 10s);
  RLImage newer;
  Configure(newer, "photo", "jpg", kImageTypeJpg);
  newer.CloneAusdehnung = 500;
  newer.DoIt();
  EXPECT_TRUE(newer.CloneErstellt);
}

TEST_F(PipelineTest, KeepSizeWithTheSameTypeCopiesTheBytes) {
  image_.CloneSeitenwahl = 0;
  image_.DatumZeitErhalten = true;
  image_.DoIt();
  EXPECT_EQ(velmora::test::ReadFile(ClonePath()), velmora::test::ReadFile(dir_ / "orig" / "photo.jpg"));
  EXPECT_EQ(image_.ImageFile.Clone.Width, 800);
  EXPECT_EQ(fs::last_write_time(ClonePath()), fs::last_write_time(dir_ / "orig" / "photo.jpg"));
  EXPECT_EQ(fs::last_write_time(ThumbPath()), fs::last_write_time(dir_ / "orig" / "photo.jpg"));
}

TEST_F(PipelineTest, SizeLimitSearchesTheQuality) {
  image_.CloneMaxSize = 1000;  // far below anything a 400 x 300 photo needs
  image_.CloneQualitaet = 25;
  image_.DoIt();
  EXPECT_EQ(image_.ImageFile.Clone.Quality, 25);
  EXPECT_GT(image_.ImageFile.Clone.Size, 1000);

  // An existing clone of the right size and date is kept, so each case starts afresh.
  fs::remove(ClonePath());
  RLImage roomy;
  Configure(roomy, "photo", "jpg", kImageTypeJpg);
  roomy.CloneMaxSize = 10'000'000;
  roomy.CloneQualitaet = 25;
  roomy.DoIt();
  EXPECT_EQ(roomy.ImageFile.Clone.Quality, 100);

  const std::int64_t at_100 = static_cast<std::int64_t>(fs::file_size(ClonePath()));
  fs::remove(ClonePath());
  RLImage between;
  Configure(between, "photo", "jpg", kImageTypeJpg);
  between.CloneMaxSize = at_100 / 3;
  between.CloneQualitaet = 10;
  between.DoIt();
  EXPECT_LT(between.ImageFile.Clone.Size, at_100 / 3);
  EXPECT_EQ(between.ImageFile.Clone.Quality % 5, 0);
  EXPECT_GT(between.ImageFile.Clone.Quality, 10);
}

TEST_F(PipelineTest, FrameFillCentresTheThumbnail) {
  ASSERT_TRUE(test::Magick("-size 100x50 xc:'rgb(0,0,255)' '" + (dir_ / "orig" / "small.png").string() + "'"));
  auto framed_thumb = [&](bool matching_colour, bool enlarge) {
    fs::remove(dir_ / "thumb" / "t_small.png");
    RLImage image;
    Configure(image, "small", "png", kImageTypePng);
    image.ClonenDurchfuehren = false;
    image.ImageFile.Thumb = {"t_small", "png", kImageTypePng};
    image.ThumbSeitenwahl = 4;
    image.ThumbBreite = image.ThumbHoehe = 120;
    image.ThumbRahmenFuellen = true;
    image.ThumbRahmenfarbe = 255;  // red
    image.ThumbRahmenfarbePassend = matching_colour;
    image.ThumbVergroessernErlauben = enlarge;
    image.DoIt();
    return ReadImage(dir_ / "thumb" / "t_small.png", kImageTypePng);
  };
  // The thumbnail never grows without permission: 100 x 50 in a 120 x 120 frame at (10, 35).
  const RgbBuffer thumb = framed_thumb(false, false);
  ASSERT_EQ(thumb.width(), 120);
  EXPECT_EQ(thumb.pixel(9, 60)[0], 255);
  EXPECT_EQ(thumb.pixel(10, 60)[2], 255);
  EXPECT_EQ(thumb.pixel(10, 34)[0], 255);
  EXPECT_EQ(thumb.pixel(10, 35)[2], 255);
  EXPECT_EQ(thumb.pixel(109, 84)[2], 255);
  EXPECT_EQ(thumb.pixel(110, 84)[0], 255);
  EXPECT_EQ(thumb.pixel(109, 85)[0], 255);
  // The matching colour is the thumbnail's average: blue.
  const RgbBuffer grown = framed_thumb(true, true);
  EXPECT_EQ(grown.pixel(0, 0)[2], 255);
  EXPECT_EQ(grown.pixel(0, 0)[0], 0);
}

TEST_F(PipelineTest, OtherTypesKeepTheirFormatAndOptions) {
  ASSERT_TRUE(test::Magick("'" + (dir_ / "orig" / "photo.jpg").string() + "' -compress zip '" +
                           (dir_ / "orig" / "scan.tif").string() + "'"));
  RLImage tiff;
  Configure(tiff, "scan", "tif", kImageTypeTif);
  tiff.ImageFile.Clone = {"scan", "tif", kImageTypeTif};
  tiff.CloneTIFKomprimierung = 5;  // LZW
  tiff.ImageFile.Thumb = {"t_scan", "gif", kImageTypeGif};
  tiff.DoIt();
  const fs::path clone = dir_ / "clone" / "scan.tif";
  EXPECT_EQ(test::CommandOutput("identify -format '%wx%h %C' '" + clone.string() + "'"), "400x300 LZW");
  EXPECT_EQ(tiff.ImageFile.Clone.Quality, 100);
  EXPECT_EQ(test::CommandOutput("identify -format '%wx%h %m' '" + (dir_ / "thumb" / "t_scan.gif").string() + "'"),
            "100x75 GIF");

  // A later run that only makes thumbnails from the existing clones sizes the clone from its file.
  fs::remove(dir_ / "thumb" / "t_scan.gif");
  RLImage thumbs_only;
  Configure(thumbs_only, "scan", "tif", kImageTypeTif);
  thumbs_only.ImageFile.Clone = {"scan", "tif", kImageTypeTif};
  thumbs_only.ClonenDurchfuehren = false;
  thumbs_only.ThumbVomClone = true;
  thumbs_only.ThumbAusdehnung = 200;
  thumbs_only.DoIt();
  EXPECT_EQ(thumbs_only.ImageFile.Thumb.Width, 200);
  EXPECT_EQ(thumbs_only.ImageFile.Thumb.Height, 150);
}

class CroppingHooks : public CloneHooks {
 public:
  bool HasCloneFunction() const override { return true; }
  void RunCloneFunction(RLImage&) override { ++scripts; }
  void ApplyCloneList(RLImage& image) override {
    ++lists;
    image.CloneRGB = RgbBuffer(image.CloneDimX / 2, image.CloneDimY);
    image.CloneDimX = image.CloneRGB.width();
  }
  int scripts = 0, lists = 0;
};

TEST_F(PipelineTest, ScriptAndCloneListRunAndMayChangeTheSize) {
  CroppingHooks hooks;
  image_.Hooks = &hooks;
  image_.CloneStempeln = true;
  image_.ThumbVomClone = true;
  image_.DoIt();
  EXPECT_EQ(hooks.scripts, 1);
  EXPECT_EQ(hooks.lists, 1);
  EXPECT_EQ(image_.ImageFile.Clone.Width, 200);
  EXPECT_EQ(test::CommandOutput("identify -format '%wx%h' '" + ClonePath().string() + "'"), "200x300");
  EXPECT_EQ(test::CommandOutput("identify -format '%wx%h' '" + ThumbPath().string() + "'"), "67x100");
}

TEST_F(PipelineTest, MetadataIsCarriedIntoTheCloneOnlyWhenAsked) {
  image_.MetadataKopieren = true;
  image_.DoIt();
  EXPECT_EQ(Exif(ClonePath(), "Artist"), "Anna Beispiel\n");
  EXPECT_EQ(Exif(ClonePath(), "Copyright"), "CC BY\n");
  EXPECT_EQ(Exif(ClonePath(), "Comment"), "Abendrot am See\n");
  EXPECT_EQ(Exif(ThumbPath(), "Artist"), "");
  EXPECT_EQ(image_.InputMetadata.JpegComments(), std::vector<std::string>{"Abendrot am See"});
  EXPECT_TRUE(image_.OutputMetadata.empty());
  // A size read delivers the same markers without decoding the photo.
  ImageMetadata markers;
  ImageReadOptions options;
  options.metadata = &markers;
  GetImageDims(dir_ / "orig" / "photo.jpg", kImageTypeJpg, options);
  EXPECT_EQ(markers.jpeg_markers, image_.InputMetadata.jpeg_markers);
  const auto exif = std::find_if(markers.jpeg_markers.begin(), markers.jpeg_markers.end(),
                                 [](const JpegMarker& m) { return m.marker == 0xE1; });
  ASSERT_NE(exif, markers.jpeg_markers.end());
  EXPECT_EQ(std::string(exif->data.begin(), exif->data.begin() + 4), "Exif");
}

// The smallest ICC profile: its 128-byte header and an empty tag table.
std::string MinimalIccProfile(const char* colour_space) {
  std::string profile(132, '\0');
  profile[3] = static_cast<char>(132);
  profile.replace(8, 4, std::string("\x02\x10\x00\x00", 4));
  profile.replace(12, 4, "mntr");
  profile.replace(16, 4, colour_space);
  profile.replace(20, 4, "XYZ ");
  profile.replace(36, 4, "acsp");
  return profile;
}

TEST_F(PipelineTest, OnlyAnRgbColourProfileIsCarried) {
  for (const auto& [space, kept] : {std::pair{"RGB ", true}, std::pair{"CMYK", false}}) {
    const fs::path icc = dir_ / "profile.icc";
    velmora::test::WriteFile(icc, MinimalIccProfile(space));
    ASSERT_TRUE(test::Run("exiftool -overwrite_original '-ICC_Profile<=" + icc.string() + "' '" +
                          (dir_ / "orig" / "photo.jpg").string() + "'"));
    fs::remove(ClonePath());
    RLImage image;
    Configure(image, "photo", "jpg", kImageTypeJpg);
    image.MetadataKopieren = true;
    image.ThumbDurchfuehren = false;
    image.DoIt();
    const std::string segments = test::CommandOutput("exiftool -v3 '" + ClonePath().string() + "'");
    EXPECT_EQ(segments.find("ICC_PROFILE") != std::string::npos, kept) << space;
    EXPECT_EQ(Exif(ClonePath(), "Artist"), "Anna Beispiel\n");
  }
}

TEST_F(PipelineTest, PngTextIsCarriedIntoAPngClone) {
  ASSERT_TRUE(test::Magick("-size 64x48 gradient:red-blue -set comment 'Sommer' '" +
                           (dir_ / "orig" / "text.png").string() + "'"));
  RLImage image;
  Configure(image, "text", "png", kImageTypePng);
  image.ImageFile.Clone = {"text", "png", kImageTypePng};
  image.CloneAusdehnung = 32;
  image.MetadataKopieren = true;
  image.ThumbDurchfuehren = false;
  image.DoIt();
  EXPECT_EQ(test::CommandOutput("identify -format '%c' '" + (dir_ / "clone" / "text.png").string() + "'"), "Sommer");
}

TEST_F(PipelineTest, FailuresNameTheFileAndLeaveNothingHalfWritten) {
  velmora::test::WriteFile(dir_ / "orig" / "broken.jpg", "not a photo at all");
  RLImage broken;
  Configure(broken, "broken", "jpg", kImageTypeJpg);
  try {
    broken.DoIt();
    FAIL();
  } catch (const ImageError& e) {
    EXPECT_EQ(e.source(), "GetImageDims");
    EXPECT_EQ(broken.ErrImage, (dir_ / "orig" / "broken.jpg").string());
  }
  broken.ImageFile.Original.Width = 10;  // as if the run had sized it
  broken.ImageFile.Original.Height = 10;
  EXPECT_THROW(broken.DoIt(), ImageError);
  EXPECT_FALSE(fs::exists(dir_ / "clone" / "broken.jpg"));

  image_.ClonePfad = (dir_ / "missing").string();
  try {
    image_.DoIt();
    FAIL();
  } catch (const ImageError& e) {
    EXPECT_EQ(e.number(), 1001);
    EXPECT_EQ(e.source(), "WriteImage");
    EXPECT_EQ(e.description(), "IS_OpenFileDest");
    EXPECT_EQ(image_.ErrImage, (dir_ / "missing" / "photo.jpg").string());
  }
}

}  // namespace
}  // namespace velmora::image
