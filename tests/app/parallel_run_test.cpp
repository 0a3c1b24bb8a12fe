// The same tree run with one, two and four worker threads: every output file,
// the messages and the log (timestamps aside) must come out the same.
#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "photo_tree.h"
#include "run_fixture.h"
#include "support/required_tool.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

struct RunResult {
  int status = 0;
  std::map<std::string, std::string> files;  // path below the output -> bytes
  std::vector<std::string> messages;
  std::vector<std::string> log;
};

class ParallelRun : public BatchRun {
 protected:
  void SetUp() override {
    BatchRun::SetUp();
    UseHomeBelow(root_.path());
    VELMORA_REQUIRE_TOOL(std::system("command -v convert >/dev/null 2>&1") == 0, "ImageMagick's convert");
    // Several directories, photos of different sizes and types, one that
    // cannot be read in the middle of the run, and one whose clone would
    // need no work at all (already small enough).
    for (const char* album : {"Album A", "Album B", "Album C"}) {
      for (int i = 0; i < 4; ++i) {
        MakeImage(base_ / album / ("bild" + std::to_string(i) + ".jpg"), 320 + 40 * i, 240 + 20 * i);
      }
    }
    MakeImage(base_ / "Album B" / "grafik.png", 300, 200);
    // Two photos whose outputs would have the same names: the first pass
    // renames the later one's, the same way whatever the threads.
    MakeImage(base_ / "Album A" / "bild1.jpg", 1200, 900);
    MakeImage(base_ / "Album A" / "bild1.png", 60, 20);
    MakeImage(base_ / "Album C" / "klein.jpg", 90, 60);
    WriteFile(base_ / "Album B" / "kaputt.jpg", std::string("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00", 11));
  }

  void TearDown() override {
    unsetenv("VELMORA_THREADS");
    BatchRun::TearDown();
  }

  RunResult RunWith(const std::string& threads, const std::vector<std::string>& extra = {}) {
    setenv("VELMORA_THREADS", threads.c_str(), 1);
    fs::remove(root_ / "run.log");
    std::vector<std::string> overrides = {
        "/GENERATE_CLONES=1", "/CLONE_PATH=" + out_.string(), "/CLONE_SELECTED_SIDE=1", "/CLONE_SIZE=200",
        "/CLONE_SIZE_ORIGINAL=0", "/THUMBNAILS=1", "/THUMB_SIZE=48", "/THUMB_DENSITY=2", "/GENERATE_HTML=1",
        "/GENERATE_INDEX=1", "/GENERATE_FRAME=1", "/LAUNCH_BROWSER=0", "/PNG=1"};
    overrides.insert(overrides.end(), extra.begin(), extra.end());
    RunResult result;
    result.status = Run(1, overrides);
    for (const auto& message : shown_) result.messages.push_back(message.key + "|" + message.text);
    std::istringstream log(ReadFile(root_ / "run.log"));
    static const std::regex kStamp(R"(^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d )");
    // The summary names the run's duration.
    static const std::regex kSeconds(R"(\d+[.,]\d+ [sS])");
    for (std::string line; std::getline(log, line);) {
      result.log.push_back(std::regex_replace(std::regex_replace(line, kStamp, ""), kSeconds, "#"));
    }
    result.files = FilesBelow(out_);
    return result;
  }

  static void ExpectSame(const RunResult& expected, const RunResult& actual, const std::string& context) {
    EXPECT_EQ(actual.status, expected.status) << context;
    EXPECT_EQ(actual.messages, expected.messages) << context;
    EXPECT_EQ(actual.log, expected.log) << context;
    ASSERT_EQ(actual.files.size(), expected.files.size()) << context;
    for (const auto& [name, bytes] : expected.files) {
      const auto found = actual.files.find(name);
      ASSERT_NE(found, actual.files.end()) << context << ": " << name << " missing";
      EXPECT_TRUE(found->second == bytes) << context << ": " << name << " differs";
    }
  }
};

TEST_F(ParallelRun, OneTwoAndFourThreadsWriteTheSameRun) {
  const RunResult one = RunWith("1");
  // The tree gives the run something to write and something to report.
  ASSERT_GT(one.files.size(), 40u);
  ASSERT_EQ(one.messages.size(), 1u);
  EXPECT_NE(one.messages[0].find("kaputt.jpg"), std::string::npos);
  for (const char* threads : {"2", "4"}) {
    fs::remove_all(out_);
    ExpectSame(one, RunWith(threads), std::string(threads) + " threads");
  }
}

TEST_F(ParallelRun, UpToDateOutputsAreKeptAlikeWithThreads) {
  // A second run over finished outputs remakes nothing, with or without
  // workers; its log and summary say the same.
  RunWith("1");
  const RunResult again_one = RunWith("1", {"/CLONE_ONLY_IF_NEWER=1"});
  const RunResult again_four = RunWith("4", {"/CLONE_ONLY_IF_NEWER=1"});
  ExpectSame(again_one, again_four, "up to date, 4 threads");
}

TEST_F(ParallelRun, CloneScriptGivesTheSameRunWithThreads) {
  // `_clone` keeps the clones on the main thread; the outputs must still
  // agree with a run on one thread.
  const fs::path script = root_ / "bild.rls";
  WriteFile(script,
            "!*Bild\r\n!+function _clone() {\r\n!+  drawline(0, 0, 20, 20, rgb(255, 0, 0));\r\n!+}\r\n");
  const std::vector<std::string> with_script = {"/RILOSCRIPT_FILE=" + script.string()};
  const RunResult one = RunWith("1", with_script);
  ASSERT_EQ(one.messages.size(), 1u) << testing::PrintToString(one.messages);
  fs::remove_all(out_);
  ExpectSame(one, RunWith("3", with_script), "_clone, 3 threads");
}

TEST_F(ParallelRun, AStopLetsTheImagesInFlightFinishWhole) {
  // A folder of its own, big enough that the stop comes in the middle.
  const TempDir tree;
  base_ = tree / "Fotos";
  MakeImage(base_ / "Serie" / "p00.jpg", 1600, 1200);
  constexpr int kPhotos = 24;
  for (int n = 1; n < kPhotos; ++n) {
    fs::copy_file(base_ / "Serie" / "p00.jpg", base_ / "Serie" / ("p" + std::to_string(100 + n) + ".jpg"));
  }
  std::atomic<bool> done{false};
  std::thread stopper([&] {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    while (!done && !fs::exists(out_ / "Serie" / "p00.jpg") && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (!done) kill(getpid(), SIGTERM);
  });
  setenv("VELMORA_THREADS", "4", 1);
  const int status = Run(1, {"/GENERATE_CLONES=1", "/CLONE_PATH=" + out_.string(), "/CLONE_SIZE_ORIGINAL=0",
                             "/CLONE_SELECTED_SIDE=1", "/CLONE_SIZE=800", "/THUMBNAILS=1", "/LAUNCH_BROWSER=0"});
  done = true;
  stopper.join();
  EXPECT_EQ(status, 130);
  std::vector<std::string> outputs;
  for (const auto& [name, bytes] : FilesBelow(out_)) {
    EXPECT_NE(fs::path(name).filename().string().front(), '.') << name << " left behind";
    outputs.push_back((out_ / name).string());
  }
  EXPECT_LT(outputs.size(), 2u * kPhotos) << "the run was not stopped";
  // What the workers finished after the stop is whole: every file decodes.
  std::string command = "identify -regard-warnings";
  for (const std::string& output : outputs) command += " '" + output + "'";
  EXPECT_EQ(std::system((command + " >/dev/null 2>&1").c_str()), 0);
  // The summary counts the images whose turn came, never more than were made.
  const std::string log = ReadFile(root_ / "run.log");
  const std::size_t at = log.find("Clones erzeugt: ");
  ASSERT_NE(at, std::string::npos);
  const int counted = std::atoi(log.c_str() + at + 16);
  EXPECT_GE(counted, 1);
  EXPECT_LE(static_cast<std::size_t>(counted), outputs.size() / 2);
}

}  // namespace
}  // namespace velmora::test
