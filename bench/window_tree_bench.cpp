// How long the main window takes to show the counts of a large photo tree:
// 20,000 images in 200 folders (small files; counting reads names and sizes
// only), from choosing the base directory to the tree on screen, and the
// longest pause of the window's event loop meanwhile. Off screen, in a
// temporary HOME:
//   build/bin/window_tree_bench [folders] [images per folder]
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/startup.h"
#include "ui/main_window.h"

namespace {

namespace fs = std::filesystem;

void MakeTree(const fs::path& base, int folders, int images) {
  for (int f = 0; f < folders; ++f) {
    const fs::path folder = base / ("Album " + std::to_string(f));
    fs::create_directories(folder);
    for (int i = 0; i < images; ++i) std::ofstream(folder / ("IMG_" + std::to_string(i) + ".jpg")) << "x";
  }
}

int Measure(const fs::path& base) {
  velmora::ui::MainWindow window(velmora::app::ProgramStartupState());
  window.SetLevel(1);
  window.show();
  QElapsedTimer clock;
  qint64 last = 0, longest = 0;
  QTimer ticker;
  ticker.setInterval(10);
  QObject::connect(&ticker, &QTimer::timeout, [&] {
    longest = std::max(longest, clock.elapsed() - last);
    last = clock.elapsed();
  });
  // Warm the file system cache once, as a second look at the same folder would.
  for (int round = 0; round < 2; ++round) {
    clock.start();
    last = 0;
    longest = 0;
    ticker.start();
    window.SetBaseDirectory(QString::fromStdString(base.string()));
    if (!QTest::qWaitFor([&window] { return !window.building(); }, 60000)) return 1;
    const qint64 shown = clock.elapsed();
    ticker.stop();
    std::printf("%s: %zu folders shown after %lld ms; longest pause of the window %lld ms\n",
                round == 0 ? "first look" : "second look", window.tree().nodes().size() - 1,
                static_cast<long long>(shown), static_cast<long long>(longest));
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const int folders = argc > 1 ? std::atoi(argv[1]) : 200;
  const int images = argc > 2 ? std::atoi(argv[2]) : 100;
  const fs::path root = fs::temp_directory_path() / ("velmora-window-bench-" + std::to_string(getpid()));
  setenv("HOME", root.c_str(), 1);
  setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
  setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);
  setenv("XDG_STATE_HOME", (root / "state").c_str(), 1);
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  MakeTree(root / "Fotos", folders, images);
  int program_argc = 1;
  const int status = velmora::RunProgram(program_argc, argv, [&](velmora::app::StartupState&) {
    QApplication application(argc, argv);
    return Measure(root / "Fotos");
  });
  fs::remove_all(root);
  return status;
}
