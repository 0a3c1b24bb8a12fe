// Entry point of the window tests: the program's own start-up runs first
// (languages, user settings store, profiles), exactly as when a user starts
// `velmora` without batch items, and the tests run where the window would.
// HOME and the XDG folders point into a fresh temporary folder, and without
// a named platform the windows are drawn off screen.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "app/startup.h"
#include "support/temp_dir.h"

int main(int argc, char** argv) {
  velmora::test::TempDir home;
  setenv("HOME", home.path().c_str(), 1);
  setenv("XDG_CONFIG_HOME", (home.path() / ".config").c_str(), 1);
  setenv("XDG_DATA_HOME", (home.path() / ".local/share").c_str(), 1);
  setenv("XDG_CACHE_HOME", (home.path() / ".cache").c_str(), 1);
  setenv("XDG_STATE_HOME", (home.path() / ".local/state").c_str(), 1);
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  testing::InitGoogleTest(&argc, argv);
  // Only the program's name is left for the program's command line.
  int program_argc = 1;
  return velmora::RunProgram(program_argc, argv, [&argc, argv](velmora::app::StartupState&) {
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
  });
}
