// The order of a directory's images: each sort mode reads its own fact of
// the photo, and sorting by dimension reads the sizes it does not know yet.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/run/image_order.h"
#include "html/sorting.h"
#include "image/codecs/codec_registry.h"
#include "image/image_io.h"
#include "support/temp_dir.h"

namespace velmora::app {
namespace {

namespace fs = std::filesystem;

RunImage Photo(std::string name, std::string extension, std::int64_t bytes, std::int64_t seconds, int width) {
  RunImage image;
  image.file.Original.Name = std::move(name);
  image.file.Original.Extension = std::move(extension);
  image.file.Original.Type = image::kImageTypeJpg;
  image.file.Original.Size = bytes;
  image.file.Original.DateTime = image::FileTime(std::chrono::seconds(seconds));
  image.file.Original.Width = image.file.Original.Height = width;
  return image;
}

std::vector<std::string> Names(const RunDirectory& directory) {
  std::vector<std::string> names;
  for (const RunImage& image : directory.images) names.push_back(image.file.Original.Name);
  return names;
}

// Name, size, date and dimension each put the three photos in another order.
RunDirectory Crosswise() {
  RunDirectory directory;
  directory.images.push_back(Photo("b", "jpg", 300, 20, 40));
  directory.images.push_back(Photo("c", "jpg", 100, 30, 60));
  directory.images.push_back(Photo("a", "jpg", 200, 10, 50));
  return directory;
}

TEST(ImageOrder, EachModeSortsByItsOwnFact) {
  const auto sorted = [](int mode, int direction) {
    RunDirectory directory = Crosswise();
    SortDirectoryImages(directory, mode, direction, false);
    return Names(directory);
  };
  using V = std::vector<std::string>;
  EXPECT_EQ(sorted(html::kSortName, html::kAscending), (V{"a", "b", "c"}));
  EXPECT_EQ(sorted(html::kSortName, html::kDescending), (V{"c", "b", "a"}));
  EXPECT_EQ(sorted(html::kSortBytes, html::kAscending), (V{"c", "a", "b"}));
  EXPECT_EQ(sorted(html::kSortDate, html::kAscending), (V{"a", "b", "c"}));
  EXPECT_EQ(sorted(html::kSortDate, html::kDescending), (V{"c", "b", "a"}));
  EXPECT_EQ(sorted(html::kSortDimension, html::kAscending), (V{"b", "a", "c"}));
  EXPECT_EQ(sorted(html::kSortNone, html::kAscending), (V{"b", "c", "a"}));
}

TEST(ImageOrder, TheExtensionBreaksATieOfNames) {
  RunDirectory directory;
  directory.images.push_back(Photo("a", "png", 1, 1, 1));
  directory.images.push_back(Photo("a", "jpg", 1, 1, 1));
  SortDirectoryImages(directory, html::kSortName, html::kAscending, false);
  EXPECT_EQ(directory.images[0].file.Original.Extension, "jpg");
}

TEST(ImageOrder, SortingByDimensionReadsOnlyTheSizesNotYetKnown) {
  const test::TempDir dir;
  const auto write = [&](const char* name, int side) {
    const fs::path file = dir / name;
    image::WriteImage(file, image::kImageTypeJpg, image::RgbBuffer(side, side));
    return file;
  };
  RunDirectory directory;
  directory.images.push_back(Photo("big", "jpg", 1, 1, 0));
  directory.images.back().source = write("big.jpg", 30);
  directory.images.push_back(Photo("known", "jpg", 1, 1, 20));
  directory.images.back().source = write("known.jpg", 5);  // the size known before wins
  directory.images.push_back(Photo("broken", "jpg", 1, 1, 0));
  directory.images.back().source = dir / "missing.jpg";
  directory.images.push_back(Photo("small", "jpg", 1, 1, 0));
  directory.images.back().source = write("small.jpg", 10);

  SortDirectoryImages(directory, html::kSortDimension, html::kAscending, false);
  EXPECT_EQ(Names(directory), (std::vector<std::string>{"broken", "small", "known", "big"}));
  EXPECT_EQ(directory.images[3].file.Original.Width, 30);
  EXPECT_EQ(directory.images[3].file.Original.Height, 30);
  EXPECT_EQ(directory.images[2].file.Original.Width, 20);
  EXPECT_EQ(directory.images[0].file.Original.Width, 0);

  // Other modes leave unknown sizes to the main pass.
  RunDirectory by_name;
  by_name.images.push_back(Photo("x", "jpg", 1, 1, 0));
  by_name.images.back().source = write("x.jpg", 8);
  SortDirectoryImages(by_name, html::kSortName, html::kAscending, false);
  EXPECT_EQ(by_name.images[0].file.Original.Width, 0);
}

}  // namespace
}  // namespace velmora::app
