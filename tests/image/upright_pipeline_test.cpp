// Photos stored sideways through the whole pipeline, against independent
// tools: ImageMagick's -auto-orient for the turned pixels, exiftool for the
// EXIF orientation written into the files and read back from the clones,
// jpegtran for the lossless turn of full-size JPEG clones.
#include "image/rl_image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string_view>

#include "image/codecs/codec_registry.h"
#include "image/image_io.h"
#include "image/lossless_jpeg_turn.h"
#include "image/source_orientation.h"
#include "magick_fixtures.h"
#include "support/required_tool.h"
#include "support/temp_dir.h"

namespace velmora::image {
namespace {

namespace fs = std::filesystem;

std::string Quote(const fs::path& path) { return "'" + path.string() + "'"; }

// The operation of ImageMagick's and jpegtran's that stands orientation n
// upright (ImageMagick's -auto-orient does the same where it reads the tag).
const char* MagickTurn(int orientation) {
  constexpr const char* kTurns[9] = {"",           "",      "-flop",       "-rotate 180", "-flip",
                                     "-transpose", "-rotate 90", "-transverse", "-rotate 270"};
  return kTurns[orientation];
}
const char* JpegtranTurn(int orientation) {
  constexpr const char* kTurns[9] = {"",           "",          "-flip horizontal", "-rotate 180", "-flip vertical",
                                     "-transpose", "-rotate 90", "-transverse",      "-rotate 270"};
  return kTurns[orientation];
}

// The JPEG quantisation tables (DQT segments) in file order: equal tables
// mean the picture was not encoded again.
std::vector<std::string> QuantisationTables(const std::string& jpeg) {
  std::vector<std::string> tables;
  std::size_t at = 2;
  while (at + 4 <= jpeg.size() && static_cast<unsigned char>(jpeg[at]) == 0xFF) {
    const auto code = static_cast<unsigned char>(jpeg[at + 1]);
    const std::size_t length = static_cast<unsigned char>(jpeg[at + 2]) << 8 | static_cast<unsigned char>(jpeg[at + 3]);
    if (code == 0xDA || length < 2) break;
    if (code == 0xDB) tables.push_back(jpeg.substr(at + 4, length - 2));
    at += 2 + length;
  }
  return tables;
}

class UprightPipelineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    VELMORA_REQUIRE_TOOL(test::HaveConvert(), "ImageMagick's convert");
    VELMORA_REQUIRE_TOOL(test::Run("command -v exiftool"), "exiftool");
    VELMORA_REQUIRE_TOOL(test::Run("command -v jpegtran"), "jpegtran");
    for (const char* sub : {"orig", "clone", "thumb"}) fs::create_directory(dir_ / sub);
    test::WritePpm(Asymmetric(48, 32), dir_ / "picture.ppm");
  }

  // Four flat quadrants in four colours and a dark mark near the top-left
  // corner: no turn or mirror leaves it as it was.
  static RgbBuffer Asymmetric(int width, int height) {
    RgbBuffer image(width, height);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const bool right = x >= width / 2, bottom = y >= height / 2;
        std::uint8_t* p = image.pixel(x, y);
        p[0] = right ? 40 : 230;
        p[1] = bottom ? 200 : 60;
        p[2] = right != bottom ? 220 : 30;
        if (x >= 4 && x < 12 && y < 8) p[0] = p[1] = p[2] = 10;
      }
    }
    return image;
  }

  // The picture as `name` in the original folder, written by ImageMagick,
  // with EXIF orientation `orientation` and any further tags written by exiftool.
  fs::path Original(const std::string& name, int orientation, const std::string& convert_options = "",
                    const std::string& more_tags = "") const {
    const fs::path path = dir_ / "orig" / name;
    EXPECT_TRUE(test::Magick(Quote(dir_ / "picture.ppm") + " " + convert_options + " " + Quote(path)));
    EXPECT_TRUE(test::Run("exiftool -q -overwrite_original -n -Orientation#=" + std::to_string(orientation) + " " +
                          more_tags + " " + Quote(path)));
    return path;
  }

  // The values of the tags as exiftool reads them (numbers as numbers), one
  // per line; an absent tag gives no line.
  static std::string Exif(const fs::path& path, const std::string& tags) {
    std::string value = test::CommandOutput("exiftool -n -s3 " + tags + " " + Quote(path));
    while (!value.empty() && value.back() == '\n') value.pop_back();
    return value;
  }

  // ImageMagick's pixels of `path` after `operations`.
  RgbBuffer MagickPixels(const fs::path& path, const std::string& operations) const {
    const fs::path out = dir_ / "magick.ppm";
    EXPECT_TRUE(test::Magick(Quote(path) + " " + operations + " " + Quote(out)));
    return test::MagickDecode(out);
  }

  struct Job {
    PipelineOptions options;
    RLImageFile file;
    ImageFolders folders;
    ImageOutcome Run() const { return RLImage(options).DoIt(file, folders); }
  };

  // A clone of the original's size in `clone_type` and a thumbnail of at most 24 pixels, upright.
  Job Configure(const fs::path& original, int type, const std::string& clone_extension, int clone_type) const {
    Job job;
    job.folders = {(dir_ / "orig").string(), (dir_ / "clone").string(), (dir_ / "thumb").string()};
    const std::string stem = original.stem().string();
    job.file.Original = {stem, original.extension().string().substr(1), type};
    job.file.Clone = {stem, clone_extension, clone_type};
    job.file.Thumb = {stem, "png", kImageTypePng};
    job.options.clone = {.make = true, .size = {.side = kSideKeepSize}, .quality = 90, .filter = -2};
    job.options.thumb = {.make = true, .size = {.side = kSideLongest, .longest = 24}, .quality = 90};
    job.options.auto_orient = true;
    return job;
  }

  fs::path ClonePath(const Job& job) const {
    return dir_ / "clone" / (job.file.Clone.Name + "." + job.file.Clone.Extension);
  }
  fs::path ThumbPath(const Job& job) const { return dir_ / "thumb" / (job.file.Thumb.Name + ".png"); }

  velmora::test::TempDir dir_;
};

// The same corner colour within JPEG's tolerance.
void ExpectSameColour(const std::uint8_t* a, const std::uint8_t* b, const std::string& where) {
  for (int c = 0; c < 3; ++c) EXPECT_NEAR(a[c], b[c], 12) << where << ", channel " << c;
}

TEST_F(UprightPipelineTest, EveryOrientationOfJpegAndTiffStandsAsImageMagickTurnsIt) {
  for (const auto& [extension, type, exact] :
       {std::tuple{"jpg", kImageTypeJpg, false}, std::tuple{"tif", kImageTypeTif, true}}) {
    for (int orientation = 1; orientation <= 8; ++orientation) {
      SCOPED_TRACE(::testing::Message() << extension << ", orientation " << orientation);
      const std::string name = std::string(extension) + std::to_string(orientation) + "." + extension;
      const fs::path original =
          Original(name, orientation, type == kImageTypeJpg ? "-quality 95 -sampling-factor 1x1" : "-compress lzw");
      const Job job = Configure(original, type, "png", kImageTypePng);
      const ImageOutcome made = job.Run();
      ASSERT_FALSE(made.error) << made.error->what();
      const bool swapped = orientation >= 5;
      // The record and the files are upright: 32 x 48 when the turn swaps the sides.
      EXPECT_EQ(made.file.Original.Width, swapped ? 32 : 48);
      EXPECT_EQ(made.file.Original.Height, swapped ? 48 : 32);
      EXPECT_EQ(made.file.Clone.Width, made.file.Original.Width);
      EXPECT_EQ(made.file.Clone.Height, made.file.Original.Height);
      EXPECT_EQ(made.file.Thumb.Width, swapped ? 16 : 24);
      EXPECT_EQ(made.file.Thumb.Height, swapped ? 24 : 16);

      const RgbBuffer clone = test::MagickDecode(ClonePath(job));
      const RgbBuffer expected = MagickPixels(original, "-auto-orient");
      ASSERT_EQ(clone.width(), expected.width());
      if (exact) {
        EXPECT_EQ(test::MaxDifference(clone, expected), 0);
      } else {
        EXPECT_LE(test::MaxDifference(clone, expected), 4);
      }
      // The thumbnail is the clone made small: its corners have the clone's colours.
      const RgbBuffer thumb = test::MagickDecode(ThumbPath(job));
      const int cw = clone.width() - 1, ch = clone.height() - 1, tw = thumb.width() - 1, th = thumb.height() - 1;
      ExpectSameColour(thumb.pixel(0, th), clone.pixel(0, ch), "bottom left");
      ExpectSameColour(thumb.pixel(tw, 0), clone.pixel(cw, 0), "top right");
      ExpectSameColour(thumb.pixel(tw, th), clone.pixel(cw, ch), "bottom right");
    }
  }
}

TEST_F(UprightPipelineTest, PngTurnsAsItsExifChunkSays) {
  for (int orientation = 2; orientation <= 8; ++orientation) {
    SCOPED_TRACE(orientation);
    const fs::path original = Original("p" + std::to_string(orientation) + ".png", orientation);
    const Job job = Configure(original, kImageTypePng, "png", kImageTypePng);
    ASSERT_FALSE(job.Run().error);
    EXPECT_EQ(test::MaxDifference(test::MagickDecode(ClonePath(job)),
                                  MagickPixels(original, MagickTurn(orientation))),
              0);
  }
}

// Phones and web tools write WebP files with an EXIF chunk; its orientation
// counts as a JPEG's does.
TEST_F(UprightPipelineTest, WebpTurnsAsItsExifChunkSays) {
  for (const int orientation : {3, 6, 8}) {
    SCOPED_TRACE(orientation);
    const fs::path original =
        Original("w" + std::to_string(orientation) + ".webp", orientation, "-define webp:lossless=true");
    const Job job = Configure(original, kImageTypeWebp, "png", kImageTypePng);
    ASSERT_FALSE(job.Run().error);
    EXPECT_EQ(test::MaxDifference(test::MagickDecode(ClonePath(job)), MagickPixels(original, MagickTurn(orientation))),
              0);
  }
}

TEST_F(UprightPipelineTest, WithoutTheSettingEveryReaderGivesThePixelsAsStored) {
  for (const auto& [extension, type] : {std::pair{"jpg", kImageTypeJpg}, std::pair{"tif", kImageTypeTif},
                                        std::pair{"png", kImageTypePng}}) {
    SCOPED_TRACE(extension);
    const fs::path original = Original(std::string("stored_") + extension + "." + extension, 6, type == kImageTypeJpg ? "-quality 95" : "");
    Job job = Configure(original, type, "png", kImageTypePng);
    job.options.auto_orient = false;
    const ImageOutcome made = job.Run();
    ASSERT_FALSE(made.error);
    EXPECT_EQ(made.file.Original.Width, 48);
    EXPECT_EQ(made.file.Clone.Width, 48);
    EXPECT_EQ(made.file.Thumb.Width, 24);
    EXPECT_LE(test::MaxDifference(test::MagickDecode(ClonePath(job)), MagickPixels(original, "")), 4);
    EXPECT_EQ(UprightImageDims(original, type, false).width, 48);
    EXPECT_EQ(UprightImageDims(original, type, true).width, 32);
  }
}

TEST_F(UprightPipelineTest, ACarriedExifBlockDescribesTheClone) {
  const fs::path original =
      Original("exif.jpg", 6, "-quality 95", "-ExifImageWidth=48 -ExifImageHeight=32 -Artist='Anna Beispiel'");
  for (const bool upright : {true, false}) {
    SCOPED_TRACE(upright);
    Job job = Configure(original, kImageTypeJpg, "jpg", kImageTypeJpg);
    job.options.clone.size = {.side = kSideLongest, .longest = 24};
    job.options.copy_metadata = true;
    job.options.auto_orient = upright;
    const ImageOutcome made = job.Run();
    ASSERT_FALSE(made.error);
    const fs::path clone = ClonePath(job);
    // A turned clone says it stands upright; one left as stored keeps the turn for viewers to make.
    EXPECT_EQ(Exif(clone, "-Orientation -ExifImageWidth -ExifImageHeight -Artist"),
              upright ? "1\n16\n24\nAnna Beispiel" : "6\n24\n16\nAnna Beispiel");
    EXPECT_EQ(test::CommandOutput("identify -format '%wx%h' " + Quote(clone)), upright ? "16x24" : "24x16");
    // The record of the original's metadata stays as read.
    EXPECT_FALSE(made.input_metadata.jpeg_markers.empty());
  }
}

// Clones are sized as written: a sideways clone (carrying orientation 6)
// from a run without the setting does not pass for an upright one.
TEST_F(UprightPipelineTest, ASidewaysCloneOfAnEarlierRunIsRemadeOnceTheSettingIsOn) {
  const fs::path original = Original("earlier.jpg", 6, "-quality 95");
  Job job = Configure(original, kImageTypeJpg, "jpg", kImageTypeJpg);
  job.options.clone.size = {.side = kSideLongest, .longest = 24};
  job.options.clone.only_if_newer = true;
  job.options.copy_metadata = true;
  job.options.auto_orient = false;
  ASSERT_TRUE(job.Run().clone_made);
  EXPECT_FALSE(job.Run().clone_made);
  job.options.auto_orient = true;
  const ImageOutcome upright = job.Run();
  EXPECT_TRUE(upright.clone_made);
  EXPECT_TRUE(upright.thumb_made);
  EXPECT_EQ(test::CommandOutput("identify -format '%wx%h' " + Quote(ClonePath(job))), "16x24");
  EXPECT_FALSE(job.Run().clone_made);
}

TEST_F(UprightPipelineTest, AFullSizeJpegCloneIsTurnedWithoutEncodingItAgain) {
  // 50 x 36 with 4:2:0 blocks of 16 x 16: partial blocks on both edges.
  test::WritePpm(Asymmetric(50, 36), dir_ / "picture.ppm");
  for (int orientation = 2; orientation <= 8; ++orientation) {
    SCOPED_TRACE(orientation);
    const std::string name = "l" + std::to_string(orientation) + ".jpg";
    const fs::path original =
        Original(name, orientation, "-quality 90 -sampling-factor 2x2", "-ExifImageWidth=50 -ExifImageHeight=36");
    Job job = Configure(original, kImageTypeJpg, "jpg", kImageTypeJpg);
    job.options.copy_metadata = true;
    job.options.clone.quality = 40;  // an encode would show in the tables
    const ImageOutcome made = job.Run();
    ASSERT_FALSE(made.error);
    const fs::path clone = ClonePath(job);
    const fs::path reference = dir_ / "jpegtran.jpg";
    ASSERT_TRUE(test::Run(std::string("jpegtran ") + JpegtranTurn(orientation) + " -trim -outfile " +
                          Quote(reference) + " " + Quote(original)));
    // The very blocks jpegtran moves, trimmed alike, and the camera's
    // quantisation tables kept (laid on their side with the blocks for 5 to 8).
    const RgbBuffer expected = test::MagickDecode(reference);
    EXPECT_EQ(test::MaxDifference(test::MagickDecode(clone), expected), 0);
    const std::string clone_bytes = velmora::test::ReadFile(clone);
    EXPECT_EQ(QuantisationTables(clone_bytes), QuantisationTables(velmora::test::ReadFile(reference)));
    if (orientation < 5) {
      EXPECT_EQ(QuantisationTables(clone_bytes), QuantisationTables(velmora::test::ReadFile(original)));
    }
    EXPECT_FALSE(QuantisationTables(clone_bytes).empty());
    const std::string size = test::CommandOutput("identify -format '%w %h' " + Quote(reference));
    EXPECT_EQ(std::to_string(made.file.Clone.Width) + " " + std::to_string(made.file.Clone.Height), size);
    EXPECT_EQ(made.file.Clone.Quality, 100);
    EXPECT_EQ(Exif(clone, "-Orientation -ExifImageWidth -ExifImageHeight"),
              "1\n" + std::to_string(made.file.Clone.Width) + "\n" + std::to_string(made.file.Clone.Height));
    // The trimmed clone is up to date in the next run.
    const ImageOutcome again = job.Run();
    EXPECT_FALSE(again.clone_made);
    EXPECT_EQ(again.file.Clone.Width, made.file.Clone.Width);

    // Without CLONE_METADATA the clone carries no markers at all.
    fs::remove(clone);
    job.options.copy_metadata = false;
    ASSERT_FALSE(job.Run().error);
    EXPECT_EQ(Exif(clone, "-Orientation"), "");
    EXPECT_EQ(test::MaxDifference(test::MagickDecode(clone), expected), 0);
  }
}

// Camera files carry maker notes and directories at every offset: the
// corrected clone keeps each value exiftool reads from them, the maker
// note's included, and changes only the turn and the pixel dimensions.
TEST_F(UprightPipelineTest, ARealCameraFileKeepsItsMetadataWhenTurned) {
  const fs::path samples = fs::path(VELMORA_SOURCE_DIR) / ".." / "shared" / "samples" / "real" / "jpg";
  VELMORA_REQUIRE_TOOL(fs::exists(samples), "the real sample files");
  // Every value but a file position, which moves with the segments before the block.
  const std::string kept =
      "-Make -Model -DateTimeOriginal -ExposureTime -FNumber -ISO -FocalLength -MakerNotes:all --PreviewImageStart";
  for (const char* name : {"Canon IXUS 400.jpg", "Nikon D5000.jpg", "Olympus PEN E-P3.jpg"}) {
    for (const bool full_size : {true, false}) {
      SCOPED_TRACE(::testing::Message() << name << (full_size ? ", full size" : ", resized"));
      const fs::path original = dir_ / "orig" / "camera.jpg";
      fs::copy_file(samples / name, original, fs::copy_options::overwrite_existing);
      ASSERT_TRUE(test::Run("exiftool -q -overwrite_original -n -Orientation#=6 " + Quote(original)));
      Job job = Configure(original, kImageTypeJpg, "jpg", kImageTypeJpg);
      job.options.copy_metadata = true;
      job.options.thumb.make = false;
      if (!full_size) job.options.clone.size = {.side = kSideLongest, .longest = 400};
      fs::remove(ClonePath(job));
      const ImageOutcome made = job.Run();
      ASSERT_FALSE(made.error) << made.error->what();
      const fs::path clone = ClonePath(job);
      EXPECT_EQ(Exif(clone, "-Orientation -ExifImageWidth -ExifImageHeight"),
                "1\n" + std::to_string(made.file.Clone.Width) + "\n" + std::to_string(made.file.Clone.Height));
      EXPECT_EQ(test::CommandOutput("identify -format '%w %h' " + Quote(clone)),
                std::to_string(made.file.Clone.Width) + " " + std::to_string(made.file.Clone.Height));
      EXPECT_GT(made.file.Clone.Height, made.file.Clone.Width);
      const std::string values = Exif(original, kept);
      EXPECT_GE(std::count(values.begin(), values.end(), '\n'), 6);
      EXPECT_EQ(Exif(clone, kept), values);
    }
  }
}

TEST_F(UprightPipelineTest, AnUprightJpegIsStillCopiedByteForByte) {
  const fs::path original = Original("upright.jpg", 1, "-quality 90");
  const Job job = Configure(original, kImageTypeJpg, "jpg", kImageTypeJpg);
  ASSERT_FALSE(job.Run().error);
  EXPECT_EQ(velmora::test::ReadFile(ClonePath(job)), velmora::test::ReadFile(original));
}

TEST_F(UprightPipelineTest, LosslessSizeMatchesTheTurnForEverySampling) {
  test::WritePpm(Asymmetric(61, 45), dir_ / "picture.ppm");
  for (const char* sampling : {"-sampling-factor 1x1", "-sampling-factor 2x1", "-sampling-factor 2x2",
                               "-sampling-factor 1x2", "-sampling-factor 4x1", "-colorspace Gray"}) {
    const fs::path original = Original("s.jpg", 1, std::string("-quality 80 ") + sampling);
    const std::string bytes = velmora::test::ReadFile(original);
    const std::span<const std::uint8_t> jpeg(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    for (int orientation = 2; orientation <= 8; ++orientation) {
      SCOPED_TRACE(::testing::Message() << sampling << ", orientation " << orientation);
      const std::optional<ImageSize> size = LosslessTurnSize(jpeg, orientation);
      const std::optional<TurnedJpeg> turned = TurnJpegLosslessly(jpeg, orientation, false, 1'000'000);
      // Both agree whether the turn can be made: only 4:1:1 cannot be laid on its side.
      ASSERT_EQ(size.has_value(), turned.has_value());
      EXPECT_EQ(size.has_value(), std::string_view(sampling) != "-sampling-factor 4x1" || orientation < 5);
      if (!size) continue;
      EXPECT_EQ(size->width, turned->size.width);
      EXPECT_EQ(size->height, turned->size.height);
      const fs::path reference = dir_ / "jpegtran.jpg";
      ASSERT_TRUE(test::Run(std::string("jpegtran ") + JpegtranTurn(orientation) + " -trim -outfile " +
                            Quote(reference) + " " + Quote(original)));
      EXPECT_EQ(test::CommandOutput("identify -format '%w %h' " + Quote(reference)),
                std::to_string(size->width) + " " + std::to_string(size->height));
    }
  }
}

TEST_F(UprightPipelineTest, AJpegThatCannotBeTurnedLosslesslyIsDecodedOrReported) {
  const fs::path original = Original("tiny.jpg", 6, "-quality 90 -sampling-factor 2x2");
  const std::string bytes = velmora::test::ReadFile(original);
  const std::span<const std::uint8_t> jpeg(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  ASSERT_TRUE(TurnJpegLosslessly(jpeg, 6, true, 48 * 32));
  // The decoder's limits hold for the turn too.
  EXPECT_FALSE(TurnJpegLosslessly(jpeg, 6, true, 48 * 32 - 1));
  EXPECT_FALSE(TurnJpegLosslessly(jpeg, 1, true, 48 * 32));
  const std::size_t scan = bytes.find("\xFF\xDA");
  EXPECT_FALSE(TurnJpegLosslessly(jpeg.first(scan + (jpeg.size() - scan) / 2), 6, true, 48 * 32));
  EXPECT_FALSE(TurnJpegLosslessly(jpeg.first(20), 6, true, 48 * 32));
  EXPECT_FALSE(LosslessTurnSize(jpeg.first(20), 6));

  // A picture narrower than one block cannot lose its partial blocks: it is
  // decoded and turned, at its full size.
  test::WritePpm(Asymmetric(12, 10), dir_ / "picture.ppm");
  const fs::path narrow = Original("narrow.jpg", 8, "-quality 95 -sampling-factor 2x2");
  const Job small = Configure(narrow, kImageTypeJpg, "jpg", kImageTypeJpg);
  const ImageOutcome made = small.Run();
  ASSERT_FALSE(made.error);
  EXPECT_EQ(test::CommandOutput("identify -format '%wx%h' " + Quote(ClonePath(small))), "10x12");

  // Damaged picture data stops the turn; the decoder names the file.
  ASSERT_NE(scan, std::string::npos);
  velmora::test::WriteFile(dir_ / "orig" / "cut.jpg", bytes.substr(0, scan + (bytes.size() - scan) / 2));
  const Job cut = Configure(dir_ / "orig" / "cut.jpg", kImageTypeJpg, "jpg", kImageTypeJpg);
  const ImageOutcome failed = cut.Run();
  ASSERT_TRUE(failed.error);
  EXPECT_EQ(failed.error->source(), "ReadImage");
  EXPECT_EQ(failed.error->path(), (dir_ / "orig" / "cut.jpg").string());
  EXPECT_FALSE(fs::exists(dir_ / "clone" / "cut.jpg"));
}

}  // namespace
}  // namespace velmora::image
