// Screenshots of the main window before, during and after a run over real
// camera photos, for people to look at (build/artifacts/ui/*.png). Taken
// only where the CTest entry that starts a real X server asks for them.
#include <QPixmap>
#include <QPushButton>
#include <cstdlib>

#include "ui/run_panel.h"
#include "ui/window_fixture.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

class Screenshots : public WindowTest {};

TEST_F(Screenshots, BeforeDuringAndAfterARun) {
  const char* folder = std::getenv("VELMORA_SCREENSHOT_DIR");
  if (folder == nullptr || *folder == '\0') GTEST_SKIP() << "screenshots are taken by the ui_screenshots test";
  const fs::path artifacts(folder);
  fs::create_directories(artifacts);
  const fs::path samples = "/work/shared/samples/real/jpg";
  int copied = 0;
  if (fs::is_directory(samples)) {
    for (const auto& entry : fs::directory_iterator(samples)) {
      if (entry.path().extension() != ".jpg" || copied >= 12) continue;
      const char* album = copied < 5 ? "Ostsee 2023" : copied < 9 ? "Harz im Herbst" : "Geburtstag";
      fs::create_directories(base_ / album);
      fs::copy_file(entry.path(), base_ / album / entry.path().filename());
      ++copied;
    }
  }
  if (copied == 0) {
    for (int i = 0; i < 6; ++i) MakePhoto(base_ / "Ostsee 2023" / ("bild" + std::to_string(i) + ".jpg"), 1600, 1200, i);
  }
  UseGallerySettings(out_);
  ui::MainWindow& window = OpenWindow(1);
  window.resize(1100, 700);
  QTest::qWait(200);
  ASSERT_TRUE(window.grab().save(QString::fromStdString((artifacts / "before.png").string())));
  window.StartOrStop();
  ASSERT_TRUE(QTest::qWaitFor([&window] { return window.run_panel()->PreviewNumber() >= 2 || !window.running(); },
                              60000));
  ASSERT_TRUE(window.grab().save(QString::fromStdString((artifacts / "during.png").string())));
  WaitForRunEnd();
  QTest::qWait(200);
  ASSERT_TRUE(window.grab().save(QString::fromStdString((artifacts / "after.png").string())));
}

}  // namespace
}  // namespace velmora::test
