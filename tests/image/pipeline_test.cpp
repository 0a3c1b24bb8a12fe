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
    image_ = Configure("photo", "jpg", kImageTypeJpg);
  }

  // One image's options, files and folders, run through a fresh RLImage.
  struct Job {
    PipelineOptions options;
    RLImageFile file;
    ImageFolders folders;
    ImageOutcome Run() const { return RLImage(options).DoIt(file, folders); }
  };

  Job Configure(const std::string& name, const std::string& extension, int type) const {
    Job job;
    job.folders = {(dir_ / "orig").string(), (dir_ / "clone").string(), (dir_ / "thumb").string()};
    job.file.Original = {name, extension, type};
    job.file.Clone = {name, "jpg", kImageTypeJpg};
    job.file.Thumb = {"t_" + name, "jpg", kImageTypeJpg};
    job.options.clone = {.make = true, .size = {.side = kSideLongest, .longest = 400}, .quality = 75, .filter = -2};
    job.options.thumb = {.make = true, .size = {.side = kSideLongest, .longest = 100}, .quality = 80};
    return job;
  }

  fs::path ClonePath() const { return dir_ / "clone" / "photo.jpg"; }
  fs::path ThumbPath() const { return dir_ / "thumb" / "t_photo.jpg"; }
  std::string Exif(const fs::path& path, const std::string& tag) const {
    return test::CommandOutput("exiftool -s3 -" + tag + " '" + path.string() + "'");
  }

  velmora::test::TempDir dir_;
  Job image_;
};

TEST_F(PipelineTest, MakesCloneAndThumbnailAndFillsTheRecord) {
  const ImageOutcome made = image_.Run();
  EXPECT_FALSE(made.error);
  EXPECT_TRUE(made.clone_made);
  EXPECT_TRUE(made.thumb_made);
  const RLImageFile& f = made.file;
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
  // Without copy_metadata nothing of the original's metadata is carried.
  EXPECT_EQ(Exif(ClonePath(), "Artist"), "");
  EXPECT_EQ(Exif(ClonePath(), "Comment"), "");
  // Temporary files never stay behind.
  for (const char* sub : {"clone", "thumb"}) {
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / sub), fs::directory_iterator()), 1) << sub;
  }
}

TEST_F(PipelineTest, KeepsUpToDateOutputsAndRemakesOutdatedOnes) {
  image_.options.clone.only_if_newer = true;
  image_.Run();
  const auto first_clone = fs::last_write_time(ClonePath());
  const ImageOutcome again = image_.Run();
  EXPECT_FALSE(again.clone_made);
  EXPECT_FALSE(again.thumb_made);
  EXPECT_EQ(fs::last_write_time(ClonePath()), first_clone);
  EXPECT_EQ(again.file.Clone.Width, 400);

  // A changed size setting or an original newer than the clone remakes it.
  Job resized = Configure("photo", "jpg", kImageTypeJpg);
  resized.options.clone.size.longest = 500;
  const ImageOutcome remade = resized.Run();
  EXPECT_TRUE(remade.clone_made);
  EXPECT_FALSE(remade.thumb_made);  // made from the original, which has not changed
  EXPECT_EQ(remade.file.Clone.Width, 500);
  // A thumbnail made from the clone follows a remade clone.
  resized.options.clone.size.longest = 450;
  resized.options.thumb.from_clone = true;
  const ImageOutcome from_clone = resized.Run();
  EXPECT_TRUE(from_clone.clone_made);
  EXPECT_TRUE(from_clone.thumb_made);
  fs::last_write_time(dir_ / "orig" / "photo.jpg", fs::last_write_time(ClonePath()) + 10s);
  EXPECT_TRUE(resized.Run().clone_made);
}

TEST_F(PipelineTest, KeepSizeWithTheSameTypeCopiesTheBytes) {
  image_.options.clone.size.side = kSideKeepSize;
  image_.options.keep_date = true;
  const ImageOutcome copied = image_.Run();
  EXPECT_EQ(velmora::test::ReadFile(ClonePath()), velmora::test::ReadFile(dir_ / "orig" / "photo.jpg"));
  EXPECT_EQ(copied.file.Clone.Width, 800);
  EXPECT_EQ(fs::last_write_time(ClonePath()), fs::last_write_time(dir_ / "orig" / "photo.jpg"));
  EXPECT_EQ(fs::last_write_time(ThumbPath()), fs::last_write_time(dir_ / "orig" / "photo.jpg"));
}

TEST_F(PipelineTest, SizeLimitSearchesTheQuality) {
  image_.options.clone.max_bytes = 1000;  // far below anything a 400 x 300 photo needs
  image_.options.clone.quality = 25;
  const ImageOutcome lowest = image_.Run();
  EXPECT_EQ(lowest.file.Clone.Quality, 25);
  EXPECT_GT(lowest.file.Clone.Size, 1000);

  // An existing clone of the right size and date is kept, so each case starts afresh.
  fs::remove(ClonePath());
  image_.options.clone.max_bytes = 10'000'000;
  EXPECT_EQ(image_.Run().file.Clone.Quality, 100);

  const std::int64_t at_100 = static_cast<std::int64_t>(fs::file_size(ClonePath()));
  fs::remove(ClonePath());
  image_.options.clone.max_bytes = at_100 / 3;
  image_.options.clone.quality = 10;
  const ImageFileFacts between = image_.Run().file.Clone;
  EXPECT_LT(between.Size, at_100 / 3);
  EXPECT_EQ(between.Quality % 5, 0);
  EXPECT_GT(between.Quality, 10);
}

TEST_F(PipelineTest, FrameFillCentresTheThumbnail) {
  ASSERT_TRUE(test::Magick("-size 100x50 xc:'rgb(0,0,255)' '" + (dir_ / "orig" / "small.png").string() + "'"));
  auto framed_thumb = [&](bool matching_colour, bool enlarge) {
    fs::remove(dir_ / "thumb" / "t_small.png");
    Job image = Configure("small", "png", kImageTypePng);
    image.options.clone.make = false;
    image.file.Thumb = {"t_small", "png", kImageTypePng};
    image.options.thumb.size = {.side = kSideFitInside, .width = 120, .height = 120};
    image.options.thumb.frame_fill = true;
    image.options.thumb.frame_colour = 255;  // red
    image.options.thumb.frame_colour_matches = matching_colour;
    image.options.thumb.allow_enlarge = enlarge;
    image.Run();
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

// The high-density copy: twice the thumbnail's size in the "2x" subfolder
// under the thumbnail's name, as ImageMagick reads it, never larger than the
// picture it comes from, kept while up to date and made again when missing.
TEST_F(PipelineTest, DenseThumbnailIsTwiceTheSizeInItsOwnFolder) {
  const fs::path dense = dir_ / "thumb" / "2x" / "t_photo.jpg";
  EXPECT_FALSE(image_.Run().error);
  EXPECT_FALSE(fs::exists(dir_ / "thumb" / "2x"));  // off unless asked for

  fs::create_directory(dir_ / "thumb" / "2x");
  image_.options.thumb.density = 2;
  const ImageOutcome made = image_.Run();
  EXPECT_FALSE(made.error);
  EXPECT_FALSE(made.thumb_made);  // the thumbnail itself was up to date
  EXPECT_EQ(test::CommandOutput("identify -format '%wx%h %m' '" + dense.string() + "'"), "200x150 JPEG");
  EXPECT_EQ(made.file.Thumb.Width, 100);  // the record keeps the thumbnail's own size
  const auto written = fs::last_write_time(dense);
  image_.Run();
  EXPECT_EQ(fs::last_write_time(dense), written);

  // Both made in one pass: the thumbnail is the dense copy halved.
  fs::remove(dense);
  fs::remove(ThumbPath());
  const ImageOutcome both = image_.Run();
  EXPECT_TRUE(both.thumb_made);
  EXPECT_EQ(test::CommandOutput("identify -format '%wx%h' '" + ThumbPath().string() + "'"), "100x75");
  EXPECT_EQ(test::CommandOutput("identify -format '%wx%h' '" + dense.string() + "'"), "200x150");

  // Four times a 300-pixel thumbnail would be 1200: the 800-pixel original is the limit.
  image_.options.thumb.size.longest = 300;
  image_.options.thumb.density = 4;
  fs::create_directory(dir_ / "thumb" / "4x");
  EXPECT_FALSE(image_.Run().error);
  EXPECT_EQ(test::CommandOutput("identify -format '%wx%h' '" + (dir_ / "thumb" / "4x" / "t_photo.jpg").string() + "'"),
            "800x600");
  // Density 1 makes no copy.
  image_.options.thumb.density = 1;
  fs::remove_all(dir_ / "thumb" / "1x");
  EXPECT_FALSE(image_.Run().error);
  EXPECT_FALSE(fs::exists(dir_ / "thumb" / "1x"));
}

TEST_F(PipelineTest, OtherTypesKeepTheirFormatAndOptions) {
  ASSERT_TRUE(test::Magick("'" + (dir_ / "orig" / "photo.jpg").string() + "' -compress zip '" +
                           (dir_ / "orig" / "scan.tif").string() + "'"));
  Job tiff = Configure("scan", "tif", kImageTypeTif);
  tiff.file.Clone = {"scan", "tif", kImageTypeTif};
  tiff.options.clone.tiff_compression = 5;  // LZW
  tiff.file.Thumb = {"t_scan", "gif", kImageTypeGif};
  const ImageOutcome made = tiff.Run();
  const fs::path clone = dir_ / "clone" / "scan.tif";
  EXPECT_EQ(test::CommandOutput("identify -format '%wx%h %C' '" + clone.string() + "'"), "400x300 LZW");
  EXPECT_EQ(made.file.Clone.Quality, 100);
  EXPECT_EQ(test::CommandOutput("identify -format '%wx%h %m' '" + (dir_ / "thumb" / "t_scan.gif").string() + "'"),
            "100x75 GIF");

  // A later run that only makes thumbnails from the existing clones sizes the clone from its file.
  fs::remove(dir_ / "thumb" / "t_scan.gif");
  Job thumbs_only = tiff;
  thumbs_only.options.clone.make = false;
  thumbs_only.options.thumb.from_clone = true;
  thumbs_only.options.thumb.size.longest = 200;
  const ImageOutcome thumb = thumbs_only.Run();
  EXPECT_EQ(thumb.file.Thumb.Width, 200);
  EXPECT_EQ(thumb.file.Thumb.Height, 150);
}

class CroppingHooks : public CloneHooks {
 public:
  bool HasCloneFunction() const override { return true; }
  void RunCloneFunction(RgbBuffer&) override { ++scripts; }
  void ApplyCloneList(RgbBuffer& clone) override {
    ++lists;
    clone = RgbBuffer(clone.width() / 2, clone.height());
  }
  int scripts = 0, lists = 0;
};

TEST_F(PipelineTest, ScriptAndCloneListRunAndMayChangeTheSize) {
  CroppingHooks hooks;
  image_.options.hooks = &hooks;
  image_.options.clone.apply_clone_list = true;
  image_.options.thumb.from_clone = true;
  const ImageOutcome made = image_.Run();
  EXPECT_EQ(hooks.scripts, 1);
  EXPECT_EQ(hooks.lists, 1);
  EXPECT_EQ(made.file.Clone.Width, 200);
  EXPECT_EQ(test::CommandOutput("identify -format '%wx%h' '" + ClonePath().string() + "'"), "200x300");
  EXPECT_EQ(test::CommandOutput("identify -format '%wx%h' '" + ThumbPath().string() + "'"), "67x100");
}

TEST_F(PipelineTest, MetadataIsCarriedIntoTheCloneOnlyWhenAsked) {
  image_.options.copy_metadata = true;
  const ImageOutcome made = image_.Run();
  EXPECT_EQ(Exif(ClonePath(), "Artist"), "Anna Beispiel\n");
  EXPECT_EQ(Exif(ClonePath(), "Copyright"), "CC BY\n");
  EXPECT_EQ(Exif(ClonePath(), "Comment"), "Abendrot am See\n");
  EXPECT_EQ(Exif(ThumbPath(), "Artist"), "");
  EXPECT_EQ(made.input_metadata.JpegComments(), std::vector<std::string>{"Abendrot am See"});
  // A size read delivers the same markers without decoding the photo.
  ImageMetadata markers;
  ImageReadOptions options;
  options.metadata = &markers;
  GetImageDims(dir_ / "orig" / "photo.jpg", kImageTypeJpg, options);
  EXPECT_EQ(markers.jpeg_markers, made.input_metadata.jpeg_markers);
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
    Job image = Configure("photo", "jpg", kImageTypeJpg);
    image.options.copy_metadata = true;
    image.options.thumb.make = false;
    image.Run();
    const std::string segments = test::CommandOutput("exiftool -v3 '" + ClonePath().string() + "'");
    EXPECT_EQ(segments.find("ICC_PROFILE") != std::string::npos, kept) << space;
    EXPECT_EQ(Exif(ClonePath(), "Artist"), "Anna Beispiel\n");
  }
}

TEST_F(PipelineTest, PngTextIsCarriedIntoAPngClone) {
  ASSERT_TRUE(test::Magick("-size 64x48 gradient:red-blue -set comment 'Sommer' '" +
                           (dir_ / "orig" / "text.png").string() + "'"));
  Job image = Configure("text", "png", kImageTypePng);
  image.file.Clone = {"text", "png", kImageTypePng};
  image.options.clone.size.longest = 32;
  image.options.copy_metadata = true;
  image.options.thumb.make = false;
  image.Run();
  EXPECT_EQ(test::CommandOutput("identify -format '%c' '" + (dir_ / "clone" / "text.png").string() + "'"), "Sommer");
}

TEST_F(PipelineTest, FailuresNameTheFileAndLeaveNothingHalfWritten) {
  velmora::test::WriteFile(dir_ / "orig" / "broken.jpg", "not a photo at all");
  Job broken = Configure("broken", "jpg", kImageTypeJpg);
  const ImageOutcome unread = broken.Run();
  ASSERT_TRUE(unread.error);
  EXPECT_EQ(unread.error->source(), "GetImageDims");
  EXPECT_EQ(unread.error->path(), (dir_ / "orig" / "broken.jpg").string());
  EXPECT_FALSE(unread.clone_made);
  // What the pass learnt before it failed stays in the record.
  EXPECT_EQ(unread.file.Original.Size, 18);
  broken.file.Original.Width = 10;  // as if the run had sized it
  broken.file.Original.Height = 10;
  EXPECT_TRUE(broken.Run().error);
  EXPECT_FALSE(fs::exists(dir_ / "clone" / "broken.jpg"));

  image_.folders.clone = (dir_ / "missing").string();
  const ImageOutcome unwritten = image_.Run();
  ASSERT_TRUE(unwritten.error);
  EXPECT_EQ(unwritten.error->number(), 1001);
  EXPECT_EQ(unwritten.error->source(), "WriteImage");
  EXPECT_EQ(unwritten.error->description(), "IS_OpenFileDest");
  EXPECT_EQ(unwritten.error->path(), (dir_ / "missing" / "photo.jpg").string());
}

}  // namespace
}  // namespace velmora::image
