// A batch run of the real program in this process, over a photo tree that
// ImageMagick draws, with the messages it shows collected.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/log.h"
#include "platform/program_paths.h"
#include "app/startup.h"
#include "lang/messages.h"
#include "support/temp_dir.h"

namespace velmora::test {

class BatchRun : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
    setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
    std::filesystem::create_directories(base_);
    previous_ = lang::SetMessageObserver([this](const lang::ShownMessage& message) { shown_.push_back(message); });
  }
  void TearDown() override {
    ProgramLog().Close();
    lang::SetMessageObserver(previous_);
  }

  // Runs `velmora /Profile=Voreinstellung /Basedir=<base> /Level=<level>` with
  // the overrides; HTML is off unless an override switches it on.
  int Run(int level, std::vector<std::string> overrides) {
    std::vector<std::string> arguments = {"velmora", "/Profile=Voreinstellung", "/Basedir=" + base_.string(),
                                          "/Level=" + std::to_string(level), "/GENERATE_HTML=0",
                                          "/Logfile=" + (root_ / "run.log").string()};
    arguments.insert(arguments.end(), overrides.begin(), overrides.end());
    std::vector<char*> argv;
    for (auto& argument : arguments) argv.push_back(argument.data());
    shown_.clear();
    const int status = RunProgram(static_cast<int>(argv.size()), argv.data());
    ProgramLog().Close();
    return status;
  }

  std::vector<std::string> Keys() const {
    std::vector<std::string> keys;
    for (const auto& message : shown_) keys.push_back(message.key.empty() ? message.text : message.key);
    return keys;
  }

  // A picture drawn by ImageMagick; the format follows the extension.
  static void MakeImage(const std::filesystem::path& file, int width, int height) {
    std::filesystem::create_directories(file.parent_path());
    const std::string command = "convert -size " + std::to_string(width) + "x" + std::to_string(height) +
                                " plasma:fractal -seed 3 '" + file.string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }

  // "width height format" as ImageMagick's identify sees the file.
  static std::string Identify(const std::filesystem::path& file) {
    const std::string command = "identify -format '%w %h %m' '" + file.string() + "' 2>/dev/null";
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return {};
    char buffer[256] = {};
    const std::size_t n = std::fread(buffer, 1, sizeof buffer - 1, pipe);
    pclose(pipe);
    return std::string(buffer, n);
  }

  // Every file below `folder` with its bytes and modification time.
  static std::map<std::string, std::pair<std::string, std::int64_t>> Snapshot(const std::filesystem::path& folder) {
    std::map<std::string, std::pair<std::string, std::int64_t>> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
      if (!entry.is_regular_file()) continue;
      struct stat info {};
      stat(entry.path().c_str(), &info);
      files[entry.path().string()] = {ReadFile(entry.path()),
                                      info.st_mtim.tv_sec * 1'000'000'000LL + info.st_mtim.tv_nsec};
    }
    return files;
  }

  TempDir root_;
  std::filesystem::path base_ = root_ / "Fotos";
  std::filesystem::path out_ = root_ / "Galerie";
  std::vector<lang::ShownMessage> shown_;
  lang::MessageObserver previous_;
};

}  // namespace velmora::test
