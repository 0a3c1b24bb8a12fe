// When the pipeline makes a clone again although an up-to-date one is
// there: the clone list may have changed since (another stamp, another
// border), so it is applied anew, unless the user asked for new originals
// only.
#include <gtest/gtest.h>

#include <filesystem>

#include "image/codecs/codec_registry.h"
#include "image/image_io.h"
#include "image/rl_image.h"
#include "support/temp_dir.h"

namespace velmora::image {
namespace {

namespace fs = std::filesystem;

// A clone list that leaves the pixels as they are and counts its runs.
class CountingCloneList : public CloneHooks {
 public:
  bool HasCloneFunction() const override { return false; }
  void RunCloneFunction(RgbBuffer&) override {}
  void ApplyCloneList(RgbBuffer&) override { ++runs; }
  int runs = 0;
};

TEST(PipelineRemake, AnUpToDateCloneGetsTheCloneListAgain) {
  const velmora::test::TempDir dir;
  for (const char* sub : {"orig", "clone", "thumb"}) fs::create_directory(dir / sub);
  WriteImage(dir / "orig" / "p.jpg", kImageTypeJpg, RgbBuffer(64, 48));
  CountingCloneList list;
  PipelineOptions options;
  options.clone.make = true;
  options.clone.size = {.side = kSideLongest, .longest = 32};
  options.clone.quality = 80;
  options.clone.apply_clone_list = true;
  options.hooks = &list;
  RLImageFile file;
  file.Original = {"p", "jpg", kImageTypeJpg};
  file.Clone = {"p", "jpg", kImageTypeJpg};
  const ImageFolders folders{(dir / "orig").string(), (dir / "clone").string(), (dir / "thumb").string()};
  const auto clone_made = [&] { return RLImage(options).DoIt(file, folders).clone_made; };

  ASSERT_TRUE(clone_made());
  EXPECT_TRUE(clone_made());
  EXPECT_EQ(list.runs, 2);
  options.clone.only_if_newer = true;
  EXPECT_FALSE(clone_made());
  // Without a clone list the clone is kept as well.
  options.clone.only_if_newer = false;
  options.clone.apply_clone_list = false;
  EXPECT_FALSE(clone_made());
  EXPECT_EQ(list.runs, 2);
}

}  // namespace
}  // namespace velmora::image
