// HEIF, AVIF and WebP through the image layer, held against libheif's and
// libwebp's own command-line tools: what we write they read, what they
// write we read, with transformations, deep samples, transparency and
// colour spaces as the files say, and damaged files refused with a reason.
#include <gtest/gtest.h>

#include <lcms2.h>
#include <libheif/heif.h>
#include <webp/mux.h>

#include <cmath>
#include <cstring>

#include "image/codecs/codec_registry.h"
#include "image/codecs/coder_quality.h"
#include "image/containers/container_signature.h"
#include "image/containers/embedded_metadata.h"
#include "image/containers/heif_objects.h"
#include "image/image_io.h"
#include "image/resize/resample_filter.h"
#include "image/resize/resize_image.h"
#include "image/stamps/pixel_support.h"
#include "magick_fixtures.h"
#include "photo_format_tools.h"
#include "support/required_tool.h"
#include "support/temp_dir.h"

namespace velmora::image {
namespace {

namespace fs = std::filesystem;
using test::Magick;
using test::Quoted;
using test::ReadBytes;
// Flat pictures and pixel access, as the stamp tests have them.
using test::At;
using test::Flat;

int Distance(Rgb a, Rgb b) {
  return std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
}

::testing::AssertionResult Near(Rgb actual, Rgb expected, int tolerance) {
  if (Distance(actual, expected) <= tolerance) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "(" << int(actual.r) << "," << int(actual.g) << "," << int(actual.b)
                                       << ") is not within " << tolerance << " of (" << int(expected.r) << ","
                                       << int(expected.g) << "," << int(expected.b) << ")";
}

class PhotoFormats : public ::testing::Test {
 protected:
  void SetUp() override {
    VELMORA_REQUIRE_TOOL(test::HaveHeifTools() && test::HaveWebpTools(), "heif-enc, heif-convert, cwebp or dwebp");
  }
  fs::path Path(const std::string& name) const { return dir_ / name; }
  // A PNG drawn by ImageMagick; `kind` forces its layout ("PNG32:").
  fs::path Png(const std::string& name, const std::string& drawing, const std::string& kind = "") {
    const fs::path png = Path(name);
    EXPECT_TRUE(Magick(drawing + " " + kind + Quoted(png))) << drawing;
    return png;
  }
  fs::path Photo(int width, int height) {
    const fs::path ppm = test::MakePhoto(dir_.path(), width, height);
    const fs::path png = Path("photo.png");
    EXPECT_TRUE(Magick(Quoted(ppm) + " " + Quoted(png)));
    return png;
  }
  // Smooth colour clouds and a few edges, without the sensor noise that
  // lossy coders are free to smooth away.
  RgbBuffer SmoothPicture(int width, int height) {
    const fs::path png = Png("smooth.png", "-seed 5 -size " + std::to_string(width) + "x" + std::to_string(height) +
                                               " plasma:fractal -blur 0x3 -fill black -draw 'rectangle 20,20 60,40'");
    return test::MagickDecode(png);
  }
  fs::path Written(const std::string& name, const EncodedImage& encoded) {
    test::WriteBytes(Path(name), encoded.file);
    return Path(name);
  }
  velmora::test::TempDir dir_;
};

// ---- WebP ----

TEST_F(PhotoFormats, WebpWeWriteIsReadByDwebpAndReportsItsQuality) {
  const RgbBuffer source = SmoothPicture(320, 200);
  const EncodedImage encoded = EncodeImage(kImageTypeWebp, source, {.quality = 90});
  EXPECT_EQ(encoded.quality, 90);
  const auto theirs = test::DwebpDecode(Written("ours.webp", encoded), dir_.path());
  ASSERT_TRUE(theirs);
  EXPECT_EQ(theirs->width(), 320);
  EXPECT_EQ(theirs->height(), 200);
  EXPECT_GE(test::Psnr(*theirs, source), 35.0);
  const RgbBuffer ours = ReadImage(encoded.file, kImageTypeWebp);
  EXPECT_LE(test::MaxDifference(ours, *theirs), 1);
}

TEST_F(PhotoFormats, WebpSizeLimitSearchesTheQualityDownToTheLowestAllowed) {
  const RgbBuffer source = test::MagickDecode(Photo(320, 200));
  const std::size_t at_100 = EncodeImage(kImageTypeWebp, source, {.quality = 100}).file.size();
  const std::int64_t limit = static_cast<std::int64_t>(at_100 / 3);
  const EncodedImage limited = EncodeImage(kImageTypeWebp, source, {.quality = 10, .max_bytes = limit});
  EXPECT_LE(static_cast<std::int64_t>(limited.file.size()), limit);
  EXPECT_LT(limited.quality, 100);
  EXPECT_GT(limited.quality, 10);
  // A limit no quality meets still gives a file, at the lowest quality.
  const EncodedImage tiny = EncodeImage(kImageTypeWebp, source, {.quality = 30, .max_bytes = 100});
  EXPECT_EQ(tiny.quality, 30);
  EXPECT_FALSE(tiny.file.empty());
}

TEST_F(PhotoFormats, WebpTransparencyIsLaidOverWhite) {
  // Left third opaque red, middle third half-transparent black, right third transparent.
  const fs::path png = Png("alpha.png",
                           "-size 90x30 xc:none -fill red -draw 'rectangle 0,0 29,29' "
                           "-fill 'rgba(0,0,0,0.5)' -draw 'rectangle 30,0 59,29'");
  ASSERT_TRUE(test::Run("cwebp -lossless " + Quoted(png) + " -o " + Quoted(Path("alpha.webp"))));
  const RgbBuffer ours = ReadImage(Path("alpha.webp"), kImageTypeWebp);
  EXPECT_TRUE(Near(At(ours, 10, 10), {255, 0, 0}, 0));
  EXPECT_TRUE(Near(At(ours, 45, 10), {128, 128, 128}, 1));
  EXPECT_TRUE(Near(At(ours, 80, 10), {255, 255, 255}, 0));
}

TEST_F(PhotoFormats, WebpAnimationGivesItsFirstFrameOnTheWholeCanvas) {
  const fs::path red = Png("red.png", "-size 40x30 xc:red");
  const fs::path blue = Png("blue.png", "-size 40x30 xc:blue");
  ASSERT_TRUE(test::Run("img2webp -lossless " + Quoted(red) + " " + Quoted(blue) + " -o " + Quoted(Path("a.webp"))));
  const ImageSize size = GetImageDims(Path("a.webp"), kImageTypeWebp);
  EXPECT_EQ(size.width, 40);
  EXPECT_EQ(size.height, 30);
  const RgbBuffer ours = ReadImage(Path("a.webp"), kImageTypeWebp);
  ASSERT_EQ(ours.width(), 40);
  EXPECT_TRUE(Near(At(ours, 20, 15), {255, 0, 0}, 0));
}

// ---- AVIF and HEIF ----

TEST_F(PhotoFormats, AvifWeWriteIsReadByHeifConvert) {
  const RgbBuffer source = SmoothPicture(320, 200);
  const EncodedImage encoded = EncodeImage(kImageTypeAvif, source, {.quality = 80});
  EXPECT_EQ(encoded.quality, 80);
  const fs::path file = Written("ours.avif", encoded);
  EXPECT_EQ(GuessImageType(encoded.file), kImageTypeAvif);
  const auto theirs = test::HeifConvertDecode(file, dir_.path());
  ASSERT_TRUE(theirs);
  EXPECT_EQ(theirs->width(), 320);
  EXPECT_EQ(theirs->height(), 200);
  EXPECT_GE(test::Psnr(*theirs, source), 35.0);
  EXPECT_GE(test::Psnr(ReadImage(file, kImageTypeAvif), *theirs), 38.0);
}

// Clones come in every size a resize gives: odd ones, tiny ones, long strips.
TEST(AvifAndWebpWriters, EverySizeIsWrittenAndReadBack) {
  for (const auto& [width, height] : {std::pair{1, 1}, std::pair{3, 5}, std::pair{17, 1}, std::pair{401, 301}}) {
    for (const int type : {kImageTypeAvif, kImageTypeWebp}) {
      SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height) + " type " + std::to_string(type));
      const RgbBuffer source = Flat(width, height, {30, 160, 90});
      const EncodedImage encoded = EncodeImage(type, source, {.quality = 90});
      const RgbBuffer back = ReadImage(encoded.file, type);
      ASSERT_EQ(back.width(), width);
      ASSERT_EQ(back.height(), height);
      EXPECT_TRUE(Near(At(back, width / 2, height / 2), {30, 160, 90}, 6));
    }
  }
}

TEST_F(PhotoFormats, HeicFromHeifEncIsReadLikeHeifConvertReadsIt) {
  ASSERT_TRUE(test::Run("heif-enc -q 85 " + Quoted(Photo(300, 200)) + " -o " + Quoted(Path("p.heic"))));
  const ImageSize size = GetImageDims(Path("p.heic"), kImageTypeHeif);
  EXPECT_EQ(size.width, 300);
  EXPECT_EQ(size.height, 200);
  const auto theirs = test::HeifConvertDecode(Path("p.heic"), dir_.path());
  ASSERT_TRUE(theirs);
  EXPECT_GE(test::Psnr(ReadImage(Path("p.heic"), kImageTypeHeif), *theirs), 38.0);
  // Either HEIF-family codec reads the other's files: the brands only name the coding.
  EXPECT_EQ(ReadImage(Path("p.heic"), kImageTypeAvif).width(), 300);
}

// A gallery thumbnail needs few pixels: a thumbnail the file holds serves
// when it covers the size asked for, as a JPEG decodes at a smaller scale.
TEST_F(PhotoFormats, HeifThumbnailServesSmallSizesAndThePictureLargerOnes) {
  const fs::path photo = Photo(400, 300);
  ASSERT_TRUE(test::Run("heif-enc -q 90 -t 80 " + Quoted(photo) + " -o " + Quoted(Path("t.heic"))));
  const RgbBuffer whole = ReadImage(Path("t.heic"), kImageTypeHeif);
  ASSERT_EQ(whole.width(), 400);
  const RgbBuffer small = ReadImage(Path("t.heic"), kImageTypeHeif, {.min_width = 60, .min_height = 45});
  ASSERT_EQ(small.width(), 80);
  ASSERT_EQ(small.height(), 60);
  EXPECT_GE(test::PsnrAtSize(small, ResizeImage(whole, 80, 60, kDefaultFilterCode), 80), 25.0);
  EXPECT_EQ(ReadImage(Path("t.heic"), kImageTypeHeif, {.min_width = 81, .min_height = 10}).width(), 400);
  EXPECT_EQ(ReadImage(Path("t.heic"), kImageTypeHeif, {.min_width = 10, .min_height = 61}).width(), 400);
}

TEST_F(PhotoFormats, HeifTransparencyIsLaidOverWhite) {
  // PNG32: heif-enc reads no palette or grey PNG with transparency.
  const fs::path png =
      Png("alpha.png", "-size 64x32 xc:none -fill red -draw 'rectangle 0,0 31,31'", "PNG32:");
  ASSERT_TRUE(test::Run("heif-enc -q 95 " + Quoted(png) + " -o " + Quoted(Path("alpha.heic"))));
  const RgbBuffer ours = ReadImage(Path("alpha.heic"), kImageTypeHeif);
  EXPECT_TRUE(Near(At(ours, 8, 16), {255, 0, 0}, 12));
  EXPECT_TRUE(Near(At(ours, 56, 16), {255, 255, 255}, 8));
}

// Ten-bit samples are rounded, not cut, to eight bits: v * 255 / 1023 to
// the nearest whole number, from the samples libheif decodes.
TEST_F(PhotoFormats, TenBitSamplesAreRoundedToEightBits) {
  const fs::path ramp = Png("ramp.png", "-size 1024x8 gradient:black-white -depth 16", "PNG48:");
  ASSERT_TRUE(test::Run("heif-enc -q 90 -b 10 " + Quoted(ramp) + " -o " + Quoted(Path("deep.heic"))));
  const std::vector<std::uint8_t> file = ReadBytes(Path("deep.heic"));
  heif::OpenedFile opened;
  std::string error;
  ASSERT_TRUE(heif::Open(file, opened, error)) << error;
  ASSERT_EQ(heif_image_handle_get_luma_bits_per_pixel(opened.primary.get()), 10);
  heif_image* raw = nullptr;
  ASSERT_EQ(heif_decode_image(opened.primary.get(), &raw, heif_colorspace_RGB, heif_chroma_interleaved_RRGGBB_LE,
                              nullptr).code,
            heif_error_Ok);
  const heif::Image deep(raw);
  int stride = 0;
  const std::uint8_t* plane = heif_image_get_plane_readonly(deep.get(), heif_channel_interleaved, &stride);
  const RgbBuffer ours = ReadImage(file, kImageTypeHeif);
  int rounded_up = 0;
  for (int y = 0; y < ours.height(); ++y) {
    for (int x = 0; x < ours.width(); ++x) {
      for (int c = 0; c < 3; ++c) {
        const std::uint8_t* sample = plane + y * stride + (x * 3 + c) * 2;
        const int ten = sample[0] | sample[1] << 8;
        const int expected = static_cast<int>(std::lround(ten * 255.0 / 1023.0));
        ASSERT_EQ(ours.pixel(x, y)[c], expected) << x << "," << y << " from " << ten;
        rounded_up += expected > ten / 4;
      }
    }
  }
  EXPECT_GT(rounded_up, 1000);  // the ramp holds values that cutting would get wrong
}

// ---- transformations and colours, written with libheif itself ----

// A lossless AVIF of `image` with libheif's own options.
std::vector<std::uint8_t> LosslessAvif(const RgbBuffer& image, heif_orientation orientation,
                                       const std::vector<std::uint8_t>& icc = {}, int primaries = 1) {
  heif::Context context(heif_context_alloc());
  heif_encoder* raw_encoder = nullptr;
  EXPECT_EQ(heif_context_get_encoder_for_format(context.get(), heif_compression_AV1, &raw_encoder).code,
            heif_error_Ok);
  const heif::Encoder encoder(raw_encoder);
  heif_encoder_set_lossless(encoder.get(), 1);
  heif_encoder_set_parameter_string(encoder.get(), "chroma", "444");
  heif_image* raw = nullptr;
  heif_image_create(image.width(), image.height(), heif_colorspace_RGB, heif_chroma_interleaved_RGB, &raw);
  const heif::Image picture(raw);
  heif_image_add_plane(picture.get(), heif_channel_interleaved, image.width(), image.height(), 8);
  int stride = 0;
  std::uint8_t* plane = heif_image_get_plane(picture.get(), heif_channel_interleaved, &stride);
  for (int y = 0; y < image.height(); ++y) std::memcpy(plane + y * stride, image.row(y), image.stride());
  const heif::Nclx nclx(heif_nclx_color_profile_alloc());
  heif_nclx_color_profile_set_color_primaries(nclx.get(), static_cast<std::uint16_t>(primaries));
  nclx->transfer_characteristics = heif_transfer_characteristic_IEC_61966_2_1;
  nclx->matrix_coefficients = heif_matrix_coefficients_RGB_GBR;
  nclx->full_range_flag = 1;
  if (icc.empty()) {
    heif_image_set_nclx_color_profile(picture.get(), nclx.get());
  } else {
    heif_image_set_raw_color_profile(picture.get(), "prof", icc.data(), icc.size());
  }
  const heif::EncodingOptions options(heif_encoding_options_alloc());
  options->output_nclx_profile = nclx.get();
  options->image_orientation = orientation;
  EXPECT_EQ(heif_context_encode_image(context.get(), picture.get(), encoder.get(), options.get(), nullptr).code,
            heif_error_Ok);
  std::vector<std::uint8_t> file;
  heif_writer writer{1, [](heif_context*, const void* data, std::size_t size, void* out) {
                       auto* bytes = static_cast<std::vector<std::uint8_t>*>(out);
                       bytes->insert(bytes->end(), static_cast<const std::uint8_t*>(data),
                                     static_cast<const std::uint8_t*>(data) + size);
                       return heif_error{heif_error_Ok, heif_suberror_Unspecified, ""};
                     }};
  EXPECT_EQ(heif_context_write(context.get(), &writer, &file).code, heif_error_Ok);
  return file;
}

// Left half red, right half blue; a green stripe along the top.
RgbBuffer Asymmetric() {
  RgbBuffer image = Flat(64, 32, {255, 0, 0});
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 64; ++x) {
      std::uint8_t* p = image.pixel(x, y);
      if (x >= 32) p[0] = 0, p[2] = 255;
      if (y < 4) p[0] = 0, p[1] = 255, p[2] = 0;
    }
  }
  return image;
}

TEST_F(PhotoFormats, PictureIsTurnedAndMirroredAsTheFileSays) {
  const std::vector<std::uint8_t> turned = LosslessAvif(Asymmetric(), heif_orientation_rotate_90_cw);
  const ImageSize size = GetImageDims(turned, kImageTypeAvif);
  EXPECT_EQ(size.width, 32);
  EXPECT_EQ(size.height, 64);
  const RgbBuffer upright = ReadImage(turned, kImageTypeAvif);
  ASSERT_EQ(upright.width(), 32);
  ASSERT_EQ(upright.height(), 64);
  // Turned clockwise: the red left half is on top, the green top stripe on the right.
  EXPECT_TRUE(Near(At(upright, 10, 10), {255, 0, 0}, 0));
  EXPECT_TRUE(Near(At(upright, 10, 50), {0, 0, 255}, 0));
  EXPECT_TRUE(Near(At(upright, 30, 20), {0, 255, 0}, 0));

  const RgbBuffer mirrored = ReadImage(LosslessAvif(Asymmetric(), heif_orientation_flip_horizontally), kImageTypeAvif);
  ASSERT_EQ(mirrored.width(), 64);
  EXPECT_TRUE(Near(At(mirrored, 10, 20), {0, 0, 255}, 0));
  EXPECT_TRUE(Near(At(mirrored, 50, 20), {255, 0, 0}, 0));
}

// Display P3 to sRGB by the published matrix, independent of any colour library.
Rgb P3ToSrgb(Rgb p3) {
  auto linear = [](int v) {
    const double c = v / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  auto encoded = [](double c) {
    c = std::clamp(c, 0.0, 1.0);
    const double v = c <= 0.0031308 ? c * 12.92 : 1.055 * std::pow(c, 1 / 2.4) - 0.055;
    return static_cast<std::uint8_t>(std::lround(v * 255.0));
  };
  const double r = linear(p3.r), g = linear(p3.g), b = linear(p3.b);
  return {encoded(1.2249 * r - 0.2247 * g), encoded(-0.0420 * r + 1.0419 * g),
          encoded(-0.0197 * r - 0.0786 * g + 1.0979 * b)};
}

std::vector<std::uint8_t> DisplayP3Profile() {
  const cmsCIExyY d65 = {0.3127, 0.3290, 1.0};
  const cmsCIExyYTRIPLE p3 = {{0.680, 0.320, 1.0}, {0.265, 0.690, 1.0}, {0.150, 0.060, 1.0}};
  const cmsFloat64Number srgb_curve[5] = {2.4, 1.0 / 1.055, 0.055 / 1.055, 1.0 / 12.92, 0.04045};
  cmsToneCurve* curve = cmsBuildParametricToneCurve(nullptr, 4, srgb_curve);
  cmsToneCurve* curves[3] = {curve, curve, curve};
  cmsHPROFILE profile = cmsCreateRGBProfile(&d65, &p3, curves);
  cmsUInt32Number size = 0;
  cmsSaveProfileToMem(profile, nullptr, &size);
  std::vector<std::uint8_t> bytes(size);
  cmsSaveProfileToMem(profile, bytes.data(), &size);
  cmsCloseProfile(profile);
  cmsFreeToneCurve(curve);
  return bytes;
}

TEST_F(PhotoFormats, DisplayP3ColoursAreBroughtToSrgbFromAProfileOrCodedPrimaries) {
  const Rgb p3 = {200, 90, 60};
  const Rgb expected = P3ToSrgb(p3);
  ASSERT_GT(Distance(expected, p3), 10);  // the test means something
  const RgbBuffer from_profile = ReadImage(LosslessAvif(Flat(16, 16, p3), heif_orientation_normal,
                                                        DisplayP3Profile()), kImageTypeAvif);
  EXPECT_TRUE(Near(At(from_profile, 8, 8), expected, 2));
  const RgbBuffer from_primaries =
      ReadImage(LosslessAvif(Flat(16, 16, p3), heif_orientation_normal, {}, heif_color_primaries_SMPTE_EG_432_1),
                kImageTypeAvif);
  EXPECT_TRUE(Near(At(from_primaries, 8, 8), expected, 2));
  // sRGB's own primaries leave every value as it is.
  const RgbBuffer as_is = ReadImage(LosslessAvif(Flat(16, 16, p3), heif_orientation_normal), kImageTypeAvif);
  EXPECT_TRUE(Near(At(as_is, 8, 8), p3, 0));
}

TEST_F(PhotoFormats, WebpIccProfileIsAppliedToo) {
  const Rgb p3 = {200, 90, 60};
  const RgbBuffer source = Flat(16, 16, p3);
  test::WritePpm(source, Path("p3.ppm"));
  ASSERT_TRUE(test::Run("cwebp -lossless -exact " + Quoted(Path("p3.ppm")) + " -o " + Quoted(Path("plain.webp"))));
  test::WriteBytes(Path("p3.icc"), DisplayP3Profile());
  ASSERT_TRUE(test::Run("webpmux -set icc " + Quoted(Path("p3.icc")) + " " + Quoted(Path("plain.webp")) + " -o " +
                        Quoted(Path("p3.webp"))));
  EXPECT_TRUE(Near(At(ReadImage(Path("p3.webp"), kImageTypeWebp), 8, 8), P3ToSrgb(p3), 2));
  EXPECT_TRUE(Near(At(ReadImage(Path("plain.webp"), kImageTypeWebp), 8, 8), p3, 0));
}

// ---- metadata carried into clones and found again ----

class CarriedMetadata : public PhotoFormats {
 protected:
  void SetUp() override {
    PhotoFormats::SetUp();
    VELMORA_REQUIRE_TOOL(test::Run("command -v exiftool"), "exiftool");
    const fs::path jpeg = Path("tagged.jpg");
    ASSERT_TRUE(Magick("-size 64x48 gradient:red-blue " + Quoted(jpeg)));
    ASSERT_TRUE(test::Run("exiftool -overwrite_original -Make=Velmora-Kamera -XMP-dc:Title=Hafenabend " +
                          Quoted(jpeg)));
    pixels_ = ReadImage(jpeg, kImageTypeJpg, {.metadata = &metadata_});
  }
  std::string ExifTool(const fs::path& file, const std::string& tag) {
    return test::CommandOutput("exiftool -s3 -" + tag + " " + Quoted(file));
  }
  ImageMetadata metadata_;
  RgbBuffer pixels_;
};

TEST_F(CarriedMetadata, WebpAndAvifClonesKeepExifAndXmpForExiftoolAndForUs) {
  for (const auto& [type, name] : {std::pair{kImageTypeWebp, "clone.webp"}, std::pair{kImageTypeAvif, "clone.avif"}}) {
    SCOPED_TRACE(name);
    const EncodedImage encoded = EncodeImage(type, pixels_, {.quality = 80, .metadata = &metadata_});
    const fs::path file = Written(name, encoded);
    EXPECT_EQ(ExifTool(file, "Make"), "Velmora-Kamera\n");
    EXPECT_EQ(ExifTool(file, "Title"), "Hafenabend\n");
    const EmbeddedMetadata found = ReadEmbeddedMetadata(encoded.file);
    ASSERT_GE(found.exif.size(), 8u);
    EXPECT_TRUE(std::memcmp(found.exif.data(), "II*\0", 4) == 0 || std::memcmp(found.exif.data(), "MM\0*", 4) == 0);
    EXPECT_NE(std::string(found.exif.begin(), found.exif.end()).find("Velmora-Kamera"), std::string::npos);
    EXPECT_NE(found.xmp.find("Hafenabend"), std::string::npos);
    // Without metadata asked for, none is written.
    EXPECT_TRUE(ReadEmbeddedMetadata(EncodeImage(type, pixels_, {.quality = 80}).file).empty());
  }
}

TEST(CarriedBlocks, SplitIccProfileIsJoinedInOrderAndDroppedWhenIncomplete) {
  const std::vector<std::uint8_t> icc = DisplayP3Profile();
  const std::size_t half = icc.size() / 2;
  auto segment = [&](int sequence, std::size_t from, std::size_t to) {
    JpegMarker m{kJpegApp0Marker + 2, {}};
    const char prefix[] = "ICC_PROFILE";
    m.data.assign(prefix, prefix + sizeof prefix);
    m.data.push_back(static_cast<std::uint8_t>(sequence));
    m.data.push_back(2);
    m.data.insert(m.data.end(), icc.begin() + static_cast<std::ptrdiff_t>(from),
                  icc.begin() + static_cast<std::ptrdiff_t>(to));
    return m;
  };
  const RgbBuffer picture = Flat(16, 16, {200, 90, 60});
  ImageMetadata both;
  both.jpeg_markers = {segment(2, half, icc.size()), segment(1, 0, half)};  // out of order
  // The carried profile reaches the WebP file whole: its colours read back as sRGB.
  const EncodedImage with = EncodeImage(kImageTypeWebp, picture, {.quality = 100, .metadata = &both});
  EXPECT_TRUE(Near(At(ReadImage(with.file, kImageTypeWebp), 8, 8), P3ToSrgb({200, 90, 60}), 4));
  ImageMetadata one;
  one.jpeg_markers = {segment(1, 0, half)};
  const EncodedImage without = EncodeImage(kImageTypeWebp, picture, {.quality = 100, .metadata = &one});
  EXPECT_TRUE(Near(At(ReadImage(without.file, kImageTypeWebp), 8, 8), {200, 90, 60}, 4));
}

// The JPEG quality of the settings becomes a coder quality that looks alike:
// the same at both ends, between them as measured, never lower for a higher
// setting.
TEST(CoderQuality, JpegQualitiesBecomeCoderQualitiesThatLookAlike) {
  for (const auto quality_for : {&WebpQualityFor, &AvifQualityFor}) {
    EXPECT_EQ(quality_for(100), 100);
    EXPECT_EQ(quality_for(1), 1);
    EXPECT_EQ(quality_for(0), 1);
    EXPECT_EQ(quality_for(250), 100);
    for (int q = 2; q <= 100; ++q) EXPECT_GE(quality_for(q), quality_for(q - 1)) << q;
  }
  EXPECT_EQ(WebpQualityFor(75), 84);
  EXPECT_EQ(WebpQualityFor(50), 65);  // halfway between the points 40 and 60
  EXPECT_EQ(AvifQualityFor(75), 66);
}

// ---- what the containers say about themselves ----

std::vector<std::uint8_t> Ftyp(const std::string& major, const std::vector<std::string>& compatible) {
  std::vector<std::uint8_t> box = {0, 0, 0, static_cast<std::uint8_t>(16 + 4 * compatible.size())};
  box.insert(box.end(), {'f', 't', 'y', 'p'});
  box.insert(box.end(), major.begin(), major.end());
  box.insert(box.end(), {0, 0, 0, 0});
  for (const std::string& brand : compatible) box.insert(box.end(), brand.begin(), brand.end());
  box.resize(box.size() + 64, 0);  // the rest of a file
  return box;
}

TEST(ContainerSignature, BrandsDecideBetweenHeifAndAvifAndOtherIsoFilesAreNeither) {
  EXPECT_EQ(ContainerOfFile(Ftyp("heic", {"mif1", "heic"})), PhotoContainer::kHeif);
  EXPECT_EQ(ContainerOfFile(Ftyp("avif", {"mif1", "miaf"})), PhotoContainer::kAvif);
  EXPECT_EQ(ContainerOfFile(Ftyp("mif1", {"mif1", "heic"})), PhotoContainer::kHeif);
  EXPECT_EQ(ContainerOfFile(Ftyp("mif1", {"avif", "mif1"})), PhotoContainer::kAvif);
  EXPECT_EQ(ContainerOfFile(Ftyp("mif1", {})), PhotoContainer::kHeif);
  EXPECT_EQ(ContainerOfFile(Ftyp("crx ", {"crx ", "isom"})), PhotoContainer::kNone);  // a Canon raw file
  EXPECT_EQ(ContainerOfFile(Ftyp("isom", {"isom", "mp41"})), PhotoContainer::kNone);  // a video
  std::vector<std::uint8_t> huge_box = Ftyp("mif1", {"avif"});
  huge_box[0] = 0x7F;  // a box larger than the file: the brands read stay within it
  EXPECT_EQ(ContainerOfFile(huge_box), PhotoContainer::kNone);
  std::vector<std::uint8_t> short_file = Ftyp("heic", {});
  short_file.resize(15);
  EXPECT_EQ(ContainerOfFile(short_file), PhotoContainer::kNone);
  const std::string riff("RIFF\x10\0\0\0WEBPVP8 ", 16);
  EXPECT_EQ(ContainerOfFile({reinterpret_cast<const std::uint8_t*>(riff.data()), riff.size()}),
            PhotoContainer::kWebp);
  const std::string wave("RIFF\x10\0\0\0WAVEfmt ", 16);
  EXPECT_EQ(ContainerOfFile({reinterpret_cast<const std::uint8_t*>(wave.data()), wave.size()}),
            PhotoContainer::kNone);
  EXPECT_EQ(GuessImageType(Ftyp("heic", {"mif1"})), kImageTypeHeif);
  EXPECT_EQ(GuessImageType(Ftyp("avif", {})), kImageTypeAvif);
}

std::vector<std::uint8_t> WebpWithChunk(const char* fourcc, const std::string& content) {
  const EncodedImage still = EncodeImage(kImageTypeWebp, Flat(8, 8, {10, 20, 30}), {});
  const WebPData image = {still.file.data(), still.file.size()};
  WebPMux* mux = WebPMuxCreate(&image, 1);
  const WebPData chunk = {reinterpret_cast<const std::uint8_t*>(content.data()), content.size()};
  WebPMuxSetChunk(mux, fourcc, &chunk, 1);
  WebPData assembled = {nullptr, 0};
  WebPMuxAssemble(mux, &assembled);
  std::vector<std::uint8_t> file(assembled.bytes, assembled.bytes + assembled.size);
  WebPDataClear(&assembled);
  WebPMuxDelete(mux);
  return file;
}

TEST(EmbeddedMetadata, WebpExifIsTakenFromItsTiffHeaderWithOrWithoutAJpegPrefix) {
  const std::string tiff("MM\0*\0\0\0\x08\0\0", 10);
  EXPECT_EQ(ReadEmbeddedMetadata(WebpWithChunk("EXIF", tiff)).exif.size(), tiff.size());
  EXPECT_EQ(ReadEmbeddedMetadata(WebpWithChunk("EXIF", std::string("Exif\0\0", 6) + tiff)).exif.size(), tiff.size());
  EXPECT_TRUE(ReadEmbeddedMetadata(WebpWithChunk("EXIF", "no tiff header here")).exif.empty());
  EXPECT_EQ(ReadEmbeddedMetadata(WebpWithChunk("XMP ", "<x:xmpmeta/>")).xmp, "<x:xmpmeta/>");
}

TEST_F(CarriedMetadata, HeifExifOffsetIsFollowedAndAWrongOneDoesNotLoseTheBlock) {
  std::vector<std::uint8_t> file = EncodeImage(kImageTypeAvif, pixels_, {.metadata = &metadata_}).file;
  const std::string bytes(file.begin(), file.end());
  // The item: the offset of the TIFF header past these four bytes (0 as
  // libheif writes it), then the TIFF block.
  std::size_t tiff = bytes.find(std::string("II*\0", 4));
  if (tiff == std::string::npos) tiff = bytes.find(std::string("MM\0*", 4));
  ASSERT_NE(tiff, std::string::npos);
  ASSERT_GE(tiff, 4u);
  const std::size_t item = tiff - 4;
  ASSERT_EQ(bytes.substr(item, 4), std::string(4, '\0'));
  const std::vector<std::uint8_t> right = ReadEmbeddedMetadata(file).exif;
  ASSERT_FALSE(right.empty());
  for (const std::uint8_t wrong : {0x01, 0x20, 0xFF}) {
    std::vector<std::uint8_t> damaged = file;
    damaged[item] = wrong, damaged[item + 1] = wrong, damaged[item + 3] = wrong;
    EXPECT_EQ(ReadEmbeddedMetadata(damaged).exif, right) << int(wrong);
  }
}

TEST(EmbeddedMetadata, OtherAndDamagedFilesGiveNothing) {
  const EncodedImage jpeg = EncodeImage(kImageTypeJpg, Flat(8, 8, {1, 2, 3}), {});
  EXPECT_TRUE(ReadEmbeddedMetadata(jpeg.file).empty());
  EXPECT_TRUE(ReadEmbeddedMetadata({}).empty());
  std::vector<std::uint8_t> cut = WebpWithChunk("EXIF", std::string("II*\0\x08\0\0\0", 8));
  cut.resize(cut.size() - 3);
  EXPECT_TRUE(ReadEmbeddedMetadata(cut).exif.empty());
  EXPECT_TRUE(ReadEmbeddedMetadata(Ftyp("heic", {"mif1"})).empty());
}

// ---- damage ----

TEST_F(PhotoFormats, DamagedFilesAreRefusedWithTheirReason) {
  const RgbBuffer source = test::MagickDecode(Photo(200, 150));
  const std::vector<std::uint8_t> avif = EncodeImage(kImageTypeAvif, source, {}).file;
  const std::vector<std::uint8_t> webp = EncodeImage(kImageTypeWebp, source, {}).file;
  ASSERT_TRUE(test::Run("heif-enc " + Quoted(Path("photo.png")) + " -o " + Quoted(Path("p.heic"))));
  const std::vector<std::uint8_t> heic = ReadBytes(Path("p.heic"));
  // A RIFF header and a lossy chunk that holds no frame.
  const std::string chunk = std::string("RIFF\x54\x02\0\0WEBPVP8 \x48\x02\0\0", 20) + std::string(584, '\x5A');
  const std::vector<std::uint8_t> garbage(chunk.begin(), chunk.end());
  struct Case {
    const char* name;
    std::vector<std::uint8_t> bytes;
    int type;
    int number;  // 0: any
  };
  const Case cases[] = {
      {"HEIC cut in half", {heic.begin(), heic.begin() + static_cast<std::ptrdiff_t>(heic.size() / 2)}, kImageTypeHeif, 0},
      {"AVIF cut after its header", {avif.begin(), avif.begin() + 40}, kImageTypeAvif, 1003},
      {"HEIC header only", Ftyp("heic", {"mif1"}), kImageTypeHeif, 1003},
      {"WebP cut after its header", {webp.begin(), webp.begin() + 20}, kImageTypeWebp, 1002},
      {"WebP of garbage", garbage, kImageTypeWebp, 0},
      {"empty file", {}, kImageTypeWebp, 1002},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (const bool size_only : {true, false}) {
      try {
        if (size_only) {
          GetImageDims(c.bytes, c.type);
        } else {
          ReadImage(c.bytes, c.type);
        }
        ADD_FAILURE() << "read";
      } catch (const ImageError& e) {
        if (c.number != 0) {
          EXPECT_EQ(e.number(), c.number) << e.what();
        }
        EXPECT_EQ(e.description(), size_only ? "IS_GetXXXDims" : "IS_ReadXXX");
        EXPECT_FALSE(e.detail().empty());
      }
    }
  }
  // Damage inside the coded data may still decode to some picture; it must
  // never crash or throw anything but the image error.
  for (std::size_t at = 100; at < heic.size(); at += heic.size() / 23) {
    std::vector<std::uint8_t> damaged = heic;
    damaged[at] ^= 0xA5;
    try {
      ReadImage(damaged, kImageTypeHeif);
    } catch (const ImageError& e) {
      EXPECT_FALSE(e.detail().empty()) << at;
    }
  }
}

}  // namespace
}  // namespace velmora::image
