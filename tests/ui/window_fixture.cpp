// The window test fixture.
#include "ui/window_fixture.h"

#include <QSignalSpy>
#include <algorithm>

#include "app/run/stop_request.h"
#include "platform/native_path.h"
#include "settings/profile_data.h"
#include "settings/profile_files.h"
#include "settings/profile_management.h"
#include "settings/user_settings.h"
#include "settings/working_settings.h"
#include "support/temp_dir.h"

namespace velmora::test {

void MakePhoto(const std::filesystem::path& file, int width, int height, int seed) {
  std::filesystem::create_directories(file.parent_path());
  QImage image(width, height, QImage::Format_RGB32);
  std::uint32_t noise = static_cast<std::uint32_t>(seed) * 2654435761u + 1u;
  for (int y = 0; y < height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) {
      noise = noise * 1664525u + 1013904223u;
      line[x] = qRgb((x * 255 / width + seed * 40) & 0xFF, (y * 255 / height) & 0xFF,
                     static_cast<int>((noise >> 24) & 0x7F) + ((x ^ y) & 0x40));
    }
  }
  ASSERT_TRUE(image.save(QString::fromStdString(file.string()), "JPEG", 90)) << file;
}

std::vector<std::pair<std::string, std::string>> FilesBelow(const std::filesystem::path& folder) {
  std::vector<std::pair<std::string, std::string>> files;
  if (!std::filesystem::exists(folder)) return files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    if (!entry.is_regular_file()) continue;
    files.emplace_back(std::filesystem::relative(entry.path(), folder).string(), ReadFile(entry.path()));
  }
  std::sort(files.begin(), files.end());
  return files;
}

void WindowTest::SetUp() {
  std::filesystem::create_directories(base_);
  // Each test starts from the built-in default profile and a fresh session.
  settings::SelectProfile(nullptr);
  settings::DeleteUserSettingsSection("LastSession");
  settings::DeleteUserSettingsSection("LastSession\\basedirs");
  app::ClearStopRequest();
  previous_opener_ = ui::SetUrlOpener([this](const QUrl& url) {
    opened_.push_back(url);
    return true;
  });
}

void WindowTest::TearDown() {
  window_.reset();
  // The window's own presenter went with it; the headless way is back.
  lang::SetMessagePresenter({});
  ui::SetUrlOpener(previous_opener_);
  settings::SelectProfile(nullptr);
}

ui::MainWindow& WindowTest::OpenWindow(int level) {
  window_ = std::make_unique<ui::MainWindow>(app::ProgramStartupState());
  // The window shows its messages in boxes; a test answers them with the
  // default button (on whichever thread they come) and records them.
  lang::SetMessagePresenter([this](std::string_view title, int style, std::string_view text) {
    const std::lock_guard lock(mutex_);
    messages_.push_back(std::string(title) + ": " + std::string(text));
    return (style & 0x0F) == lang::kButtonsYesNo && (style & lang::kDefaultButton2) ? lang::kResultNo
                                                                                    : lang::kResultOk;
  });
  window_->show();
  window_->SetLevel(level);
  EXPECT_TRUE(window_->SetBaseDirectory(QString::fromStdString(base_.string())));
  WaitForTree();
  return *window_;
}

void WindowTest::WaitForTree() {
  ASSERT_TRUE(QTest::qWaitFor([this] { return !window_->building(); }, 20000));
  QCoreApplication::processEvents();
}

void WindowTest::WaitForRunEnd(int timeout_ms) {
  ASSERT_TRUE(QTest::qWaitFor([this] { return !window_->running(); }, timeout_ms));
  QCoreApplication::processEvents();
}

void WindowTest::UseGallerySettings(const std::filesystem::path& out) {
  for (const auto& [key, value] :
       std::vector<std::pair<std::string, std::string>>{{"GENERATE_CLONES", "1"},
                                                        {"CLONE_PATH", out.string()},
                                                        {"CLONE_SIZE", "480"},
                                                        {"THUMBNAILS", "1"},
                                                        {"THUMB_SIZE", "120"},
                                                        {"GENERATE_HTML", "1"},
                                                        {"GENERATE_INDEX", "1"}}) {
    ASSERT_TRUE(settings::SetStoredSettingByName(key, value)) << key;
  }
  settings::CopyStoredToWorking();
}

}  // namespace velmora::test
