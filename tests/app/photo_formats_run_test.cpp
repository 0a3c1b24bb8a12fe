// Batch runs over a folder straight from a phone: HEIC photos stored
// sideways with a turn in the file, one landscape, a damaged one, a WebP
// picture and a JPEG. The new types are read only when switched on; clones
// and thumbnails come out as WebP or AVIF on request, upright, and the pages
// link what was written.
#include <gtest/gtest.h>

#include <libheif/heif.h>

#include <cstring>

#include "image/codecs/codec_registry.h"
#include "image/containers/heif_objects.h"
#include "image/image_io.h"
#include "photo_tree.h"
#include "run_fixture.h"
#include "support/required_tool.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

bool HaveTools() {
  static const bool have = std::system("command -v heif-enc >/dev/null && command -v cwebp >/dev/null && "
                                       "command -v convert >/dev/null") == 0;
  return have;
}

// A HEIC of 400 x 300 stored pixels, left half red and right half blue,
// whose file says to turn it a quarter clockwise: upright it is 300 x 400
// with red above blue.
void WriteTurnedHeic(const fs::path& file) {
  using namespace image;
  heif::Context context(heif_context_alloc());
  heif_encoder* raw_encoder = nullptr;
  ASSERT_EQ(heif_context_get_encoder_for_format(context.get(), heif_compression_HEVC, &raw_encoder).code,
            heif_error_Ok);
  const heif::Encoder encoder(raw_encoder);
  heif_encoder_set_lossy_quality(encoder.get(), 90);
  heif_image* raw = nullptr;
  heif_image_create(400, 300, heif_colorspace_RGB, heif_chroma_interleaved_RGB, &raw);
  const heif::Image picture(raw);
  heif_image_add_plane(picture.get(), heif_channel_interleaved, 400, 300, 8);
  int stride = 0;
  std::uint8_t* plane = heif_image_get_plane(picture.get(), heif_channel_interleaved, &stride);
  for (int y = 0; y < 300; ++y) {
    for (int x = 0; x < 400; ++x) {
      std::uint8_t* p = plane + y * stride + x * 3;
      p[0] = x < 200 ? 220 : 20, p[1] = 20, p[2] = x < 200 ? 20 : 220;
    }
  }
  const heif::EncodingOptions options(heif_encoding_options_alloc());
  options->image_orientation = heif_orientation_rotate_90_cw;
  ASSERT_EQ(heif_context_encode_image(context.get(), picture.get(), encoder.get(), options.get(), nullptr).code,
            heif_error_Ok);
  ASSERT_EQ(heif_context_write_to_file(context.get(), file.c_str()).code, heif_error_Ok);
}

class PhoneFolderRun : public BatchRun {
 protected:
  void SetUp() override {
    BatchRun::SetUp();
    VELMORA_REQUIRE_TOOL(HaveTools(), "heif-enc, cwebp or ImageMagick");
    const fs::path phone = base_ / "Handy";
    fs::create_directories(phone);
    MakeImage(root_ / "landscape.png", 400, 300);
    ASSERT_EQ(std::system(("heif-enc -q 80 '" + (root_ / "landscape.png").string() + "' -o '" +
                           (phone / "IMG_0001.HEIC").string() + "' >/dev/null")
                              .c_str()),
              0);
    WriteTurnedHeic(phone / "IMG_0002.heic");
    const std::string heic = ReadFile(phone / "IMG_0001.HEIC");
    WriteFile(phone / "IMG_0003.heic", heic.substr(0, heic.size() / 3));  // the phone's battery died
    ASSERT_EQ(std::system(("cwebp -quiet -q 80 '" + (root_ / "landscape.png").string() + "' -o '" +
                           (phone / "web.webp").string() + "'")
                              .c_str()),
              0);
    MakeImage(phone / "old.jpg", 200, 100);
  }

  std::vector<std::string> Outputs(const fs::path& folder) const {
    std::vector<std::string> names;
    if (!fs::is_directory(folder)) return names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_F(PhoneFolderRun, NewTypesAreReadOnlyWhenSwitchedOn) {
  EXPECT_EQ(Run(1, {"/GENERATE_CLONES=1", "/CLONE_PATH=" + out_.string()}), kExitOk);
  EXPECT_EQ(Outputs(out_ / "Handy"), std::vector<std::string>{"old.jpg"});
}

TEST_F(PhoneFolderRun, PhonePhotosBecomeUprightWebpClonesAndThumbnailsLinkedFromThePages) {
  const int status = Run(1, {"/HEIF=1", "/WEBP=1", "/GENERATE_CLONES=1", "/CLONE_PATH=" + out_.string(),
                             "/CLONE_SELECTED_SIDE=1", "/CLONE_SIZE=200", "/CLONE_FORMAT=webp", "/THUMB_FORMAT=WEBP",
                             "/THUMB_SIZE=40", "/GENERATE_HTML=1"});
  // The damaged photo is reported with its reason; the others are made.
  EXPECT_EQ(status, kExitMessagesShown);
  ASSERT_EQ(shown_.size(), 1u) << testing::PrintToString(Keys());
  EXPECT_EQ(shown_[0].text.rfind("Image-Error 100", 0), 0u) << shown_[0].text;
  EXPECT_NE(shown_[0].text.find("IMG_0003.heic"), std::string::npos) << shown_[0].text;

  const std::vector<std::string> clones = {"IMG_0001.webp", "IMG_0002.webp", "old.webp", "web.webp"};
  EXPECT_EQ(Outputs(out_ / "Handy"), clones);
  EXPECT_EQ(Outputs(out_ / "thumbs" / "Handy"), clones);
  EXPECT_EQ(Identify(out_ / "Handy" / "IMG_0001.webp"), "200 150 WEBP");
  EXPECT_EQ(Identify(out_ / "Handy" / "IMG_0002.webp"), "150 200 WEBP");
  EXPECT_EQ(Identify(out_ / "thumbs" / "Handy" / "IMG_0002.webp"), "30 40 WEBP");
  // Upright: the red half of the stored picture is on top.
  const image::RgbBuffer upright = image::ReadImage(out_ / "Handy" / "IMG_0002.webp", image::kImageTypeWebp);
  EXPECT_GT(upright.pixel(75, 20)[0], 150);
  EXPECT_LT(upright.pixel(75, 20)[2], 100);
  EXPECT_GT(upright.pixel(75, 180)[2], 150);

  std::string pages;
  for (const auto& [name, text] : FilesBelow(out_ / "html")) pages += text;
  for (const std::string clone : {"IMG_0001", "IMG_0002", "web"}) {
    EXPECT_NE(pages.find("thumbs/Handy/" + clone + ".webp\""), std::string::npos) << clone;  // thumbnail pages
    EXPECT_NE(pages.find("Handy/" + clone + ".webp\""), std::string::npos) << clone;         // image pages
  }
}

TEST_F(PhoneFolderRun, AvifClonesAndWebpClonesUnderASizeLimit) {
  EXPECT_EQ(Run(1, {"/HEIF=1", "/GENERATE_CLONES=1", "/CLONE_PATH=" + out_.string(), "/CLONE_SELECTED_SIDE=1",
                    "/CLONE_SIZE=200", "/CLONE_FORMAT=AVIF", "/THUMBNAILS=0"}),
            kExitMessagesShown);
  EXPECT_EQ(Identify(out_ / "Handy" / "IMG_0002.avif").substr(0, 8), "150 200 ");
  fs::remove_all(out_);
  EXPECT_EQ(Run(1, {"/HEIF=1", "/GENERATE_CLONES=1", "/CLONE_PATH=" + out_.string(), "/CLONE_SELECTED_SIDE=0",
                    "/CLONE_FORMAT=WEBP", "/CLONE_MAXSIZE=1", "/CLONE_MAXSIZEBYTES=6000", "/CLONE_MINQUALITY=5",
                    "/THUMBNAILS=0"}),
            kExitMessagesShown);
  for (const char* clone : {"IMG_0001.webp", "IMG_0002.webp", "old.webp"}) {
    EXPECT_LE(fs::file_size(out_ / "Handy" / clone), 6000u) << clone;
  }
}

// Every sample file from phones and other programs in one run: each becomes
// a clone and a thumbnail, the broken one a message, and the run goes on.
TEST_F(BatchRun, RealPhoneAndWebFilesBecomeClonesOrAMessageEach) {
  const fs::path samples = fs::path(VELMORA_SOURCE_DIR) / ".." / "shared" / "samples" / "real";
  if (!fs::is_directory(samples / "heic")) GTEST_SKIP() << "no samples at " << samples;
  int pictures = 0;
  for (const char* folder : {"heic", "avif", "webp"}) {
    for (const auto& entry : fs::directory_iterator(samples / folder)) {
      fs::create_directories(base_ / "Real");
      fs::copy_file(entry.path(), base_ / "Real" / entry.path().filename());
      ++pictures;
    }
  }
  EXPECT_EQ(Run(1, {"/HEIF=1", "/AVIF=1", "/WEBP=1", "/GENERATE_CLONES=1", "/CLONE_PATH=" + out_.string(),
                    "/CLONE_SELECTED_SIDE=1", "/CLONE_SIZE=400", "/CLONE_FORMAT=WEBP", "/THUMB_FORMAT=WEBP"}),
            kExitMessagesShown);
  ASSERT_EQ(shown_.size(), 1u) << testing::PrintToString(Keys());
  EXPECT_NE(shown_[0].text.find("NegativeArraySizeException"), std::string::npos) << shown_[0].text;
  EXPECT_NE(shown_[0].text.find("unreadable HEIF file"), std::string::npos) << shown_[0].text;
  int clones = 0;
  for (const auto& entry : fs::directory_iterator(out_ / "Real")) {
    EXPECT_EQ(entry.path().extension(), ".webp");
    EXPECT_TRUE(fs::exists(out_ / "thumbs" / "Real" / entry.path().filename())) << entry.path();
    ++clones;
  }
  EXPECT_EQ(clones, pictures - 1);
}

}  // namespace
}  // namespace velmora::test
