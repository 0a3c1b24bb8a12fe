// The look-ahead of the run's image workers: outcomes come back for the turn
// and input they were handed with, and stopping leaves only whole files.
#include "app/run/image_workers.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "app/run/thread_count.h"
#include "image/codecs/codec_registry.h"
#include "image/image_io.h"
#include "image/rgb_buffer.h"
#include "platform/temporary_files.h"
#include "support/temp_dir.h"

namespace velmora::app {
namespace {

namespace fs = std::filesystem;
using image::kImageTypeJpg;

class ImageWorkersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* sub : {"orig", "clone", "thumb"}) fs::create_directory(dir_ / sub);
    options_.clone.make = true;
    options_.clone.size = {.side = image::kSideLongest, .longest = 64};
    options_.clone.quality = 80;
    options_.thumb.make = true;
    options_.thumb.size = {.side = image::kSideLongest, .longest = 16};
    options_.thumb.quality = 80;
  }

  image::RLImageFile Photo(int number, int width = 160, int height = 120) {
    const std::string name = "p" + std::to_string(number);
    image::RgbBuffer pixels(width, height);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) pixels.pixel(x, y)[0] = static_cast<std::uint8_t>(x * 7 + y * number);
    }
    image::WriteImage(dir_ / "orig" / (name + ".jpg"), kImageTypeJpg, pixels);
    image::RLImageFile file;
    file.Original = {name, "jpg", kImageTypeJpg};
    file.Clone = {name, "jpg", kImageTypeJpg};
    file.Thumb = {name, "jpg", kImageTypeJpg};
    return file;
  }

  image::ImageFolders Folders() const {
    return {(dir_ / "orig").string(), (dir_ / "clone").string(), (dir_ / "thumb").string()};
  }

  const test::TempDir dir_;
  image::PipelineOptions options_;
};

TEST_F(ImageWorkersTest, OutcomesComeBackInTurnLikeTheImageMadeHere) {
  ImageWorkers workers(options_, 3);
  EXPECT_EQ(workers.Room(), 6u);
  std::vector<image::RLImageFile> photos;
  for (int i = 0; i < 6; ++i) {
    photos.push_back(Photo(i, 100 + 20 * i, 80));
    workers.Hand({static_cast<std::size_t>(i), photos.back(), Folders()});
  }
  EXPECT_EQ(workers.Room(), 0u);
  for (int i = 0; i < 6; ++i) {
    const auto outcome = workers.Take(static_cast<std::size_t>(i), photos[static_cast<std::size_t>(i)], Folders());
    ASSERT_TRUE(outcome.has_value()) << i;
    EXPECT_FALSE(outcome->error.has_value());
    EXPECT_TRUE(outcome->clone_made && outcome->thumb_made);
    EXPECT_EQ(outcome->file.Clone.Width, 64);
    EXPECT_EQ(outcome->file.Thumb.Width, 16);
    EXPECT_GT(outcome->file.Clone.Size, 0);
    // The same image made again here finds the workers' files up to date.
    image::PipelineOptions keep = options_;
    keep.clone.only_if_newer = true;
    const image::ImageOutcome again = image::RLImage(keep).DoIt(photos[static_cast<std::size_t>(i)], Folders());
    EXPECT_FALSE(again.clone_made || again.thumb_made);
    EXPECT_EQ(again.file.Clone.Size, outcome->file.Clone.Size);
  }
  EXPECT_EQ(workers.Room(), 6u);
}

TEST_F(ImageWorkersTest, AnotherInputOrTurnIsMadeByTheCaller) {
  ImageWorkers workers(options_, 2);
  const image::RLImageFile first = Photo(1);
  const image::RLImageFile second = Photo(2);
  const image::RLImageFile third = Photo(3);
  workers.Hand({0, first, Folders()});
  workers.Hand({1, second, Folders()});
  workers.Hand({3, third, Folders()});
  // The run skipped turn 0 at its turn: the image is finished and forgotten.
  image::RLImageFile changed = second;
  changed.Clone.Name = "anders";
  EXPECT_FALSE(workers.Take(1, changed, Folders()).has_value());
  EXPECT_TRUE(fs::exists(dir_ / "clone" / "p1.jpg"));
  // Turn 2 was never handed over; turn 3 still comes back.
  EXPECT_FALSE(workers.Take(2, third, Folders()).has_value());
  image::ImageFolders elsewhere = Folders();
  elsewhere.thumb += "/x";
  EXPECT_FALSE(workers.Take(3, third, elsewhere).has_value());
  EXPECT_FALSE(workers.Take(4, third, Folders()).has_value());
}

TEST_F(ImageWorkersTest, AFailureComesBackWithItsImage) {
  ImageWorkers workers(options_, 2);
  image::RLImageFile broken = Photo(1);
  test::WriteFile(dir_ / "orig" / "p1.jpg", std::string("\xFF\xD8\xFF\xE0", 4));
  workers.Hand({0, broken, Folders()});
  const auto outcome = workers.Take(0, broken, Folders());
  ASSERT_TRUE(outcome.has_value());
  ASSERT_TRUE(outcome->error.has_value());
  EXPECT_NE(outcome->error->path().find("p1.jpg"), std::string::npos);
  EXPECT_FALSE(outcome->clone_made);
}

TEST_F(ImageWorkersTest, AFailureHoldsBackTheLaterImagesFilesUntilItsTurnIsOver) {
  image::RLImageFile broken = Photo(1);
  test::WriteFile(dir_ / "orig" / "p1.jpg", std::string("\xFF\xD8\xFF\xE0", 4));
  const image::RLImageFile good = Photo(2);
  const image::RLImageFile later = Photo(3);
  {
    ImageWorkers workers(options_, 2);
    workers.Hand({0, broken, Folders()});
    workers.Hand({1, good, Folders()});
    // However long the workers have, the later photo waits for the run to
    // get past the failed one: the user may still cancel there.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_FALSE(fs::exists(dir_ / "clone" / "p2.jpg"));
    ASSERT_TRUE(workers.Take(0, broken, Folders())->error.has_value());
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_FALSE(fs::exists(dir_ / "clone" / "p2.jpg"));
    // The user cancelled: the photo made ahead is dropped unwritten.
    workers.Stop();
  }
  EXPECT_FALSE(fs::exists(dir_ / "clone" / "p2.jpg"));
  EXPECT_FALSE(fs::exists(dir_ / "thumb" / "p2.jpg"));

  // Without a Cancel the run goes on to the next turn, which writes.
  ImageWorkers workers(options_, 2);
  workers.Hand({0, broken, Folders()});
  workers.Hand({1, later, Folders()});
  ASSERT_TRUE(workers.Take(0, broken, Folders())->error.has_value());
  const auto outcome = workers.Take(1, later, Folders());
  ASSERT_TRUE(outcome.has_value());
  EXPECT_TRUE(outcome->clone_made && outcome->thumb_made);
  EXPECT_TRUE(fs::exists(dir_ / "clone" / "p3.jpg"));
}

TEST_F(ImageWorkersTest, StopLeavesEveryOutputWholeOrAbsent) {
  std::vector<image::RLImageFile> photos;
  for (int i = 0; i < 8; ++i) photos.push_back(Photo(i, 1200, 900));
  {
    ImageWorkers workers(options_, 2);
    for (int i = 0; i < 8; ++i) workers.Hand({static_cast<std::size_t>(i), photos[static_cast<std::size_t>(i)], Folders()});
    workers.Stop();
    EXPECT_FALSE(workers.Take(0, photos[0], Folders()).has_value());
  }
  int whole = 0;
  for (const char* sub : {"clone", "thumb"}) {
    for (const auto& entry : fs::directory_iterator(dir_ / sub)) {
      EXPECT_FALSE(IsTemporaryTwinName(entry.path().filename().string())) << entry.path();
      image::RgbBuffer read = image::ReadImage(entry.path(), kImageTypeJpg);
      EXPECT_EQ(read.width(), std::string(sub) == "clone" ? 64 : 16) << entry.path();
      ++whole;
    }
  }
  // Not all eight were made: the ones no worker had begun were dropped.
  EXPECT_LT(whole, 16);
}

TEST(ThreadCount, AcceptsWholeNumbersFromOneUp) {
  EXPECT_EQ(ParseThreadCount("4"), 4);
  EXPECT_EQ(ParseThreadCount(" 2\t"), 2);
  EXPECT_EQ(ParseThreadCount("1"), 1);
  EXPECT_EQ(ParseThreadCount("500"), 64);
  EXPECT_EQ(ParseThreadCount("99999999999999999999"), 64);
  for (const char* bad : {"", " ", "0", "-2", "-99999999999999999999", "3x", "x3", "2.5", "+"}) {
    EXPECT_FALSE(ParseThreadCount(bad).has_value()) << '"' << bad << '"';
  }
}

TEST(ThreadCount, EnvironmentBeforeStoreBeforeCores) {
  const test::TempDir root;
  test::UseHomeBelow(root.path());
  unsetenv("VELMORA_THREADS");
  EXPECT_EQ(RunThreadCount(), std::min(HardwareThreads(), 64));
  test::WriteFile(root / "config" / "velmora" / "velmora.ini", "[Administration]\nthreads=3\n");
  EXPECT_EQ(RunThreadCount(), 3);
  setenv("VELMORA_THREADS", "5", 1);
  EXPECT_EQ(RunThreadCount(), 5);
  // A value that makes no sense is passed over, not taken as 0 or 1.
  setenv("VELMORA_THREADS", "viele", 1);
  EXPECT_EQ(RunThreadCount(), 3);
  unsetenv("VELMORA_THREADS");
}

}  // namespace
}  // namespace velmora::app
