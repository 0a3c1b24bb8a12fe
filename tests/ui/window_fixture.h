// A main window over a generated photo tree, with every message answered by
// its default button and recorded, and the desktop's URL handler replaced.
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <QUrl>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "app/startup_state.h"
#include "lang/messages.h"
#include "ui/main_window.h"
#include "ui/url_opener.h"
#include "support/temp_dir.h"

namespace velmora::test {

// A JPEG photo with enough detail that clones take a moment to make.
void MakePhoto(const std::filesystem::path& file, int width, int height, int seed);

// Every file below `folder` with its bytes, by path relative to it.
std::vector<std::pair<std::string, std::string>> FilesBelow(const std::filesystem::path& folder);

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A window over `base_` at `level`, its tree shown.
  ui::MainWindow& OpenWindow(int level);
  void WaitForTree();
  // Starts (or stops) with the button and waits until the run has ended.
  void WaitForRunEnd(int timeout_ms = 120000);
  // The working settings of a run with clones, thumbnails and pages into `out`.
  static void UseGallerySettings(const std::filesystem::path& out);

  TempDir root_;
  std::filesystem::path base_ = root_ / "Fotos";
  std::filesystem::path out_ = root_ / "Galerie";
  std::unique_ptr<ui::MainWindow> window_;
  std::mutex mutex_;
  std::vector<std::string> messages_;  // keys, or texts of keyless messages
  std::vector<QUrl> opened_;
  ui::UrlOpener previous_opener_;
};

}  // namespace velmora::test
