// HEIC, HEIF, AVIF and WebP files from phones and other programs, each read
// by us and by the format's own tool (heif-convert, dwebp): the same size,
// and the same picture at the size of a gallery clone. A file the tool
// refuses must be refused by us too, with a reason; one it reads we must
// read. The samples live beside the checkout (../shared/samples).
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sstream>

#include "image/codecs/codec_registry.h"
#include "image/containers/embedded_metadata.h"
#include "image/image_error.h"
#include "image/image_io.h"
#include "magick_fixtures.h"
#include "photo_format_tools.h"
#include "support/required_tool.h"
#include "support/temp_dir.h"

namespace velmora::image {
namespace {

namespace fs = std::filesystem;

constexpr double kLeastPsnr = 35.0;
constexpr int kCloneSide = 1600;

fs::path SamplesFolder() { return fs::path(VELMORA_SOURCE_DIR) / ".." / "shared" / "samples" / "real"; }

struct SampleFolder {
  const char* folder;
  int type;
  bool heif_family;
};
constexpr SampleFolder kFolders[] = {
    {"heic", kImageTypeHeif, true}, {"avif", kImageTypeAvif, true}, {"webp", kImageTypeWebp, false}};

TEST(RealPhotoFormats, EachIsReadLikeItsOwnToolReadsItOrRefusedWithAReason) {
  const fs::path root = SamplesFolder();
  if (!fs::is_directory(root)) GTEST_SKIP() << "no sample folder at " << root << " (it lives beside the checkout)";
  VELMORA_REQUIRE_TOOL(test::HaveHeifTools() && test::HaveWebpTools(), "heif-convert or dwebp");
  const velmora::test::TempDir work;
  int files = 0, refused = 0;
  for (const SampleFolder& folder : kFolders) {
    if (!fs::is_directory(root / folder.folder)) continue;
    for (const auto& entry : fs::directory_iterator(root / folder.folder)) {
      const fs::path& file = entry.path();
      SCOPED_TRACE(file.string());
      ++files;
      const auto theirs = folder.heif_family ? test::HeifConvertDecode(file, work.path())
                                             : test::DwebpDecode(file, work.path());
      const std::string name = fs::relative(file, root).string();
      try {
        // The type a run gives the file by its extension, and the one its bytes say.
        const RgbBuffer ours = ReadImage(file, folder.type);
        const ImageSize size = GetImageDims(file, kImageTypeUnknown);
        EXPECT_EQ(size.width, ours.width());
        EXPECT_EQ(size.height, ours.height());
        ASSERT_TRUE(theirs) << "we read a file the format's own tool refuses";
        EXPECT_EQ(ours.width(), theirs->width());
        EXPECT_EQ(ours.height(), theirs->height());
        const double psnr = test::PsnrAtSize(ours, *theirs, kCloneSide);
        std::printf("%-60s %dx%d  %.1f dB\n", name.c_str(), ours.width(), ours.height(), psnr);
        EXPECT_GE(psnr, kLeastPsnr);
      } catch (const ImageError& e) {
        ++refused;
        std::printf("%-60s refused: %s\n", name.c_str(), e.what());
        EXPECT_FALSE(theirs) << "refused, though the format's own tool reads it: " << e.what();
        EXPECT_FALSE(e.detail().empty());
      }
    }
  }
  EXPECT_GT(files, 0);
  EXPECT_LT(refused, files);
}

// The phones' EXIF and XMP items, as exiftool finds them.
TEST(RealPhotoFormats, ExifAndXmpItemsAreFoundWhereExiftoolFindsThem) {
  const fs::path root = SamplesFolder();
  if (!fs::is_directory(root)) GTEST_SKIP() << "no sample folder at " << root;
  VELMORA_REQUIRE_TOOL(test::Run("command -v exiftool"), "exiftool");
  int checked = 0;
  for (const char* folder : {"heic", "webp", "avif"}) {
    if (!fs::is_directory(root / folder)) continue;
    for (const auto& entry : fs::directory_iterator(root / folder)) {
      const fs::path& file = entry.path();
      SCOPED_TRACE(file.string());
      // One line per tag: "[IFD0]  Make  : Apple", "[XMP-x]  XMPToolkit  : ...".
      std::istringstream lines(test::CommandOutput("exiftool -s -G1 -EXIF:Make -XMP:All " + test::Quoted(file) +
                                                   " 2>/dev/null"));
      std::string make;
      bool xmp = false;
      for (std::string line; std::getline(lines, line);) {
        xmp = xmp || line.starts_with("[XMP");
        if (line.starts_with("[IFD0]") && line.find(" Make ") != std::string::npos) make = line.substr(line.find(": ") + 2);
      }
      const EmbeddedMetadata found = ReadEmbeddedMetadata(test::ReadBytes(file));
      const std::string exif(found.exif.begin(), found.exif.end());
      if (!make.empty()) {
        ++checked;
        EXPECT_NE(exif.find(make), std::string::npos) << make;
      }
      EXPECT_EQ(xmp, !found.xmp.empty());
    }
  }
  EXPECT_GT(checked, 0);
}

}  // namespace
}  // namespace velmora::image
