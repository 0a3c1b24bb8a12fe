// Entry point of every test binary. Before any test runs, HOME and the XDG
// folders point into a fresh temporary folder, so that no test can read or
// write the real user's configuration, profiles or trash.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "support/temp_dir.h"

int main(int argc, char** argv) {
  velmora::test::TempDir home;
  setenv("HOME", home.path().c_str(), 1);
  setenv("XDG_CONFIG_HOME", (home.path() / ".config").c_str(), 1);
  setenv("XDG_DATA_HOME", (home.path() / ".local/share").c_str(), 1);
  setenv("XDG_CACHE_HOME", (home.path() / ".cache").c_str(), 1);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
