// Files written by cameras and other programs, each read by us and by
// ImageMagick and GraphicsMagick. A picture we read must look like what one
// of them reads (compared at a small size, where differences in chroma
// upsampling or rounding no longer count); a file we refuse must be refused
// by one of them too, or come from the bmpsuite's folder of broken files,
// and the refusal must say why. Where both of them read a file other than it
// says, a table below names the reason. The samples live beside the
// checkout (../shared/samples), not in it; without them the test is skipped.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>

#include "image/codecs/codec_registry.h"
#include "image/image_error.h"
#include "image/image_io.h"
#include "magick_fixtures.h"
#include "support/required_tool.h"

namespace velmora::image {
namespace {

namespace fs = std::filesystem;

constexpr double kLeastPsnr = 28.0;
constexpr int kCompareSide = 64;

fs::path SamplesFolder() { return fs::path(VELMORA_SOURCE_DIR) / ".." / "shared" / "samples" / "real"; }

// The formats this test covers, by sample folder.
struct SampleFolder {
  const char* folder;
  int type;
};
constexpr SampleFolder kFolders[] = {{"bmp", kImageTypeBmp},
                                     {"pcx", kImageTypePcx},
                                     {"tga", kImageTypeTga},
                                     {"psd", kImageTypePsd},
                                     {"jpg", kImageTypeJpg}};

// Files that ImageMagick and GraphicsMagick both read other than the file
// says. Where the bmpsuite holds the same picture in a plainer form, that
// twin is the reference; the bit-field cases are checked value by value in
// the bit-field test.
struct KnownDifference {
  const char* file;
  const char* twin;  // nullptr: none
  const char* why;
};
constexpr KnownDifference kBothOthersDiffer[] = {
    {"bmp/bmpsuite/q/rgb16-231.bmp", nullptr, "they shift 2- and 1-bit channels up instead of widening them"},
    {"bmp/bmpsuite/q/rgba16-1924.bmp", nullptr, "they shift 1- and 2-bit channels up instead of widening them"},
    {"bmp/bmpsuite/q/rgba16-5551.bmp", nullptr, "they take a set 1-bit alpha for half transparent"},
    {"bmp/bmpsuite/q/rgb32fakealpha.bmp", "bmp/bmpsuite/g/rgb32.bmp",
     "they take the unused fourth byte of a plain 32-bit bitmap for transparency"},
    {"bmp/bmpsuite/q/pal8os2v2.bmp", "bmp/bmpsuite/g/pal8os2.bmp",
     "they look for the palette of a 64-byte OS/2 header in the wrong place"},
};

const KnownDifference* FindKnownDifference(const fs::path& relative) {
  for (const KnownDifference& known : kBothOthersDiffer) {
    if (relative == known.file) return &known;
  }
  return nullptr;
}

std::string Quote(const std::string& text) { return "'" + text + "'"; }

// A binary PPM (P6, or P5 from a grey picture) as 8-bit RGB; nothing for
// anything else, such as the empty output of a reader that refused the file.
std::optional<RgbBuffer> FromPpm(const std::string& ppm) {
  std::istringstream in(ppm);
  std::string magic;
  int width = 0, height = 0, max = 0;
  in >> magic >> width >> height >> max;
  in.get();
  if ((magic != "P6" && magic != "P5") || max != 255 || width <= 0 || height <= 0) return std::nullopt;
  const std::size_t channels = magic == "P6" ? 3 : 1;
  const std::size_t start = static_cast<std::size_t>(in.tellg());
  RgbBuffer image(width, height);
  if (ppm.size() < start + image.size() / 3 * channels) return std::nullopt;
  for (std::size_t i = 0; i < image.size() / 3; ++i) {
    for (std::size_t c = 0; c < 3; ++c) {
      image.data()[3 * i + c] = static_cast<std::uint8_t>(ppm[start + i * channels + (channels == 3 ? c : 0)]);
    }
  }
  return image;
}

// The first picture of the file as the tool reads it, transparency laid over white.
std::optional<RgbBuffer> ImageMagickReads(const fs::path& file) {
  return FromPpm(test::CommandOutput("convert " + Quote(file.string() + "[0]") +
                                     " -background white -alpha remove -alpha off -colorspace sRGB -depth 8 ppm:- "
                                     "2>/dev/null"));
}
std::optional<RgbBuffer> GraphicsMagickReads(const fs::path& file) {
  return FromPpm(test::CommandOutput("gm convert " + Quote(file.string() + "[0]") +
                                     " -background white -flatten -colorspace RGB -depth 8 ppm:- 2>/dev/null"));
}

// Box averages over squares, so that the longer side has at most kCompareSide pixels.
RgbBuffer Small(const RgbBuffer& image) {
  const int factor = std::max(1, (std::max(image.width(), image.height()) + kCompareSide - 1) / kCompareSide);
  const int width = (image.width() + factor - 1) / factor, height = (image.height() + factor - 1) / factor;
  RgbBuffer small(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      unsigned sum[3] = {}, count = 0;
      for (int sy = y * factor; sy < std::min(image.height(), (y + 1) * factor); ++sy) {
        for (int sx = x * factor; sx < std::min(image.width(), (x + 1) * factor); ++sx, ++count) {
          for (int c = 0; c < 3; ++c) sum[c] += image.pixel(sx, sy)[c];
        }
      }
      for (int c = 0; c < 3; ++c) small.pixel(x, y)[c] = static_cast<std::uint8_t>((sum[c] + count / 2) / count);
    }
  }
  return small;
}

double SmallPsnr(const RgbBuffer& ours, const std::optional<RgbBuffer>& theirs) {
  if (!theirs || theirs->width() != ours.width() || theirs->height() != ours.height()) return 0.0;
  return test::Psnr(Small(ours), Small(*theirs));
}

double FullPsnr(const RgbBuffer& ours, const std::optional<RgbBuffer>& theirs) {
  return theirs ? test::Psnr(ours, *theirs) : 0.0;
}

std::string Describe(const std::optional<RgbBuffer>& image) {
  return image ? std::to_string(image->width()) + "x" + std::to_string(image->height()) : "refused";
}

TEST(RealSamples, EachIsReadLikeImageMagickOrGraphicsMagickReadsItOrRefusedWithAReason) {
  const fs::path root = SamplesFolder();
  if (!fs::is_directory(root)) GTEST_SKIP() << "no sample folder at " << root << " (it lives beside the checkout)";
  VELMORA_REQUIRE_TOOL(test::HaveConvert() && test::Run("gm version"), "ImageMagick or GraphicsMagick");
  int files = 0;
  for (const SampleFolder& folder : kFolders) {
    if (!fs::is_directory(root / folder.folder)) continue;
    for (const auto& entry : fs::recursive_directory_iterator(root / folder.folder)) {
      if (!entry.is_regular_file()) continue;
      const fs::path& file = entry.path();
      const bool known_broken = file.parent_path().filename() == "b";  // the bmpsuite's broken files
      SCOPED_TRACE(file.string());
      ++files;
      const auto im = ImageMagickReads(file);
      const auto gm = GraphicsMagickReads(file);
      const fs::path relative = fs::relative(file, root);
      try {
        const RgbBuffer ours = ReadImage(file, folder.type);
        double psnr = std::max(SmallPsnr(ours, im), SmallPsnr(ours, gm));
        const KnownDifference* known = FindKnownDifference(relative);
        if (known != nullptr && known->twin != nullptr) psnr = SmallPsnr(ours, ImageMagickReads(root / known->twin));
        std::printf("%-55s ours %dx%d  ImageMagick %s  GraphicsMagick %s  %.1f dB%s\n", relative.c_str(),
                    ours.width(), ours.height(), Describe(im).c_str(), Describe(gm).c_str(), psnr,
                    known != nullptr ? (std::string("  (") + known->why + ")").c_str() : "");
        // A broken file may read as anything; nothing to compare with when both refuse.
        const bool compared = (im || gm) && (known == nullptr || known->twin != nullptr);
        if (compared && !known_broken) {
          EXPECT_GE(psnr, kLeastPsnr);
        }
        // The bmpsuite's good files are read exactly as the others read them.
        if (file.parent_path().filename() == "g") {
          EXPECT_EQ(std::max(FullPsnr(ours, im), FullPsnr(ours, gm)), 99.0);
        }
      } catch (const ImageError& e) {
        std::printf("%-55s ours refused (%s)  ImageMagick %s  GraphicsMagick %s\n", relative.c_str(),
                    e.detail().c_str(), Describe(im).c_str(), Describe(gm).c_str());
        EXPECT_FALSE(e.detail().empty());
        EXPECT_TRUE(known_broken || !im || !gm) << "refused, though both others read it: " << e.what();
      }
    }
  }
  EXPECT_GT(files, 0);
}

}  // namespace
}  // namespace velmora::image
