// A fresh world for one profile test: own configuration and data folders, an
// own program folder for system profiles, an existing user profile folder,
// the default profile selected and every shown message recorded.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "lang/messages.h"
#include "support/temp_dir.h"

namespace velmora::settings::test {

class ProfileTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::filesystem::path SystemDir() const { return root_ / "program" / "profiles"; }
  std::filesystem::path UserDir() const { return root_ / "user-profiles"; }
  std::filesystem::path ConfigFile() const { return root_ / "config" / "velmora" / "velmora.ini"; }

  // Keys of the messages shown since the last call, in order.
  std::vector<std::string> TakeMessageKeys();
  const std::vector<lang::ShownMessage>& Messages() const { return messages_; }

  velmora::test::TempDir root_;

 private:
  std::vector<lang::ShownMessage> messages_;
};

}  // namespace velmora::settings::test
