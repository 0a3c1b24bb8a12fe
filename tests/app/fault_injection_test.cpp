// Fault injection on whole runs of the real program over a small photo tree:
// a disk that fills up after fewer and fewer bytes, and SIGKILL at random
// moments. Afterwards every photo is byte for byte what it was, and every
// output is either absent or complete: byte for byte the output of an
// undisturbed run, whose pictures ImageMagick decodes and whose pages end
// with their closing tag. A temporary twin that a kill leaves behind is the
// only other file allowed, and the next run removes it.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "app/photo_tree.h"
#include "platform/temporary_files.h"
#include "support/program_run.h"
#include "support/temp_dir.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

class FaultInjection : public ::testing::Test {
 protected:
  void SetUp() override {
    UseHomeBelow(root_.path());
    MakePhoto(base_ / "Berg" / "b1.jpg", 400, 300);
    MakePhoto(base_ / "Berg" / "b2.jpg", 300, 400);
    MakePhoto(base_ / "Berg" / "b3.png", 200, 150);
    MakePhoto(base_ / "See" / "s1.jpg", 640, 480);
    MakePhoto(base_ / "See" / "s2.tif", 240, 180);
    sources_ = FilesBelow(base_);

    // The undisturbed run: what every output must be, if it is there at all.
    const auto started = Clock::now();
    const ProgramResult result = RunVelmora(arguments_, Options());
    duration_ = Clock::now() - started;
    ASSERT_EQ(result.status, 0) << result.errors;
    reference_ = FilesBelow(out_);
    ASSERT_GT(reference_.size(), 20u);
    for (const auto& [name, bytes] : reference_) {
      reference_bytes_ += bytes.size();
      if (name.ends_with(".html")) {
        EXPECT_TRUE(IsCompletePage(bytes)) << name;
      }
      if (name.ends_with(".jpg") || name.ends_with(".png") || name.ends_with(".tif")) {
        EXPECT_TRUE(DecodesCleanly(out_ / name)) << name;
      }
    }
    fs::remove_all(out_);
  }

  ProgramOptions Options(std::vector<std::string> environment = {}) const {
    ProgramOptions options;
    options.stderr_file = root_ / "stderr.txt";
    options.environment = std::move(environment);
    return options;
  }

  // Photos untouched; every output complete or absent; temporary twins only
  // where `twins_allowed`.
  void ExpectNoDamage(bool twins_allowed, const std::string& context) {
    EXPECT_TRUE(FilesBelow(base_) == sources_) << context;
    for (const auto& [name, bytes] : FilesBelow(out_)) {
      const std::string file = fs::path(name).filename().string();
      if (IsTemporaryTwinName(file)) {
        EXPECT_TRUE(twins_allowed) << context << ": " << name;
        continue;
      }
      const auto expected = reference_.find(name);
      ASSERT_NE(expected, reference_.end()) << context << ": unexpected " << name;
      EXPECT_EQ(bytes.size(), expected->second.size()) << context << ": " << name;
      EXPECT_TRUE(bytes == expected->second) << context << ": " << name << " differs";
    }
  }

  TempDir root_;
  fs::path base_ = root_ / "Fotos";
  fs::path out_ = root_ / "Galerie";
  std::vector<std::string> arguments_ = {
      "/Profile=Voreinstellung", "/Basedir=" + base_.string(), "/Level=1", "/GENERATE_CLONES=1",
      "/CLONE_PATH=" + out_.string(), "/CLONE_SIZE=200", "/THUMBNAILS=1", "/THUMB_SIZE=50", "/GENERATE_HTML=1",
      "/GENERATE_INDEX=1", "/GENERATE_FRAME=1", "/LAUNCH_BROWSER=0", "/PNG=1", "/TIF=1"};
  std::map<std::string, std::string> sources_;
  std::map<std::string, std::string> reference_;
  std::size_t reference_bytes_ = 0;
  Clock::duration duration_{};
};

TEST_F(FaultInjection, ShrinkingDiskLeavesEveryOutputAbsentOrComplete) {
  for (const std::size_t sixteenths : {15, 12, 8, 4, 2, 1, 0}) {
    const std::size_t quota = reference_bytes_ * sixteenths / 16;
    const std::string context = "quota " + std::to_string(quota) + " of " + std::to_string(reference_bytes_);
    fs::remove_all(out_);
    const ProgramResult result =
        RunVelmora(arguments_, Options({"LD_PRELOAD=" VELMORA_FAKE_FULL_DISK,
                                        "VELMORA_FAKE_DISK_BYTES=" + std::to_string(quota),
                                        "ASAN_OPTIONS=verify_asan_link_order=0:detect_leaks=0"}));
    EXPECT_EQ(result.status, 3) << context << "\n" << result.errors;
    EXPECT_NE(result.errors.find("No space left on device"), std::string::npos) << context << "\n" << result.errors;
    ExpectNoDamage(false, context);
  }
}

TEST_F(FaultInjection, KillsAtRandomMomentsLeaveEveryOutputAbsentOrComplete) {
  const unsigned seed = std::random_device{}();
  std::mt19937 random(seed);
  const auto longest = std::chrono::duration_cast<std::chrono::microseconds>(duration_ * 5 / 4);
  std::uniform_int_distribution<long> delay(0, std::max<long>(1, longest.count()));
  for (int kill_number = 1; kill_number <= 6; ++kill_number) {
    const long after = delay(random);
    const std::string context =
        "seed " + std::to_string(seed) + ", kill " + std::to_string(kill_number) + " after " + std::to_string(after) + " us";
    const pid_t pid = StartVelmora(arguments_, Options());
    std::this_thread::sleep_for(std::chrono::microseconds(after));
    kill(pid, SIGKILL);
    WaitForExit(pid);
    ExpectNoDamage(true, context);
  }
  // The next run finishes the gallery and removes what the killed ones left.
  const ProgramResult result = RunVelmora(arguments_, Options());
  EXPECT_EQ(result.status, 0) << result.errors;
  EXPECT_TRUE(FilesBelow(out_) == reference_) << "seed " << seed;
  EXPECT_TRUE(FilesBelow(base_) == sources_);
  for (const auto& [name, bytes] : FilesBelow(root_ / "config")) {
    EXPECT_FALSE(IsTemporaryTwinName(fs::path(name).filename().string())) << name;
  }
}

}  // namespace
}  // namespace velmora::test
