// Tests that need an outside program (ImageMagick, GraphicsMagick) as an
// independent writer or reader of images. On a developer's machine without
// it they skip; in CI (the environment variable CI set, as .ci/run does) they
// fail, so that a setup that lost the tool cannot pass as a green suite.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>

namespace velmora::test {

inline bool InContinuousIntegration() {
  const char* ci = std::getenv("CI");
  return ci != nullptr && *ci != '\0';
}

}  // namespace velmora::test

// Use at the top of a test body or SetUp(): ends the test unless `available`.
#define VELMORA_REQUIRE_TOOL(available, what)                                       \
  do {                                                                              \
    if (!(available)) {                                                             \
      if (::velmora::test::InContinuousIntegration()) {                             \
        GTEST_FAIL() << what << " is missing, and CI needs every test to run";     \
      }                                                                             \
      GTEST_SKIP() << what << " is not installed";                                  \
    }                                                                               \
  } while (false)
