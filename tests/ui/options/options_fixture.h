// A fresh world for one options dialog test: own configuration and data
// folders, a program folder with one system profile, a user profile that is
// selected, an offscreen Qt application and a message presenter that records
// every message and answers as the test says.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <deque>
#include <filesystem>
#include <string>
#include <vector>

#include "settings/settings_table.h"
#include "support/temp_dir.h"
#include "ui/options/message_presenter.h"
#include "ui/options/options_dialog.h"

namespace velmora::ui::test {

class RecordingPresenter final : public MessagePresenter {
 public:
  std::vector<std::string> keys;
  std::vector<std::string> texts;
  std::deque<int> answers;                // for questions, in order; else the first button
  std::deque<QString> profile_names;      // answers to the profile name question; empty: cancel
  int name_questions = 0;

  std::optional<QString> AskProfileName(QWidget*, const QString&) override;

 protected:
  int Present(QWidget*, std::string_view, int style, std::string_view key, const std::string& text) override;
};

class OptionsTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::filesystem::path SystemDir() const { return root_.path() / "program" / "profiles"; }
  std::filesystem::path UserDir() const { return root_.path() / "user-profiles"; }
  std::filesystem::path UserProfile() const { return UserDir() / "Mein.vlp"; }

  // Reads a saved profile file back with the profile reader.
  static settings::SettingsTable ReadSettings(const std::filesystem::path& file);
  static std::vector<std::string> ReadCloneDescriptions(const std::filesystem::path& file);

  // The dialog's setup with the recording presenter.
  OptionsDialogSetup DialogSetup() {
    OptionsDialogSetup setup;
    setup.messages = &messages_;
    return setup;
  }

  velmora::test::TempDir root_;
  RecordingPresenter messages_;
};

// The one application of the test binary (offscreen platform).
QApplication& Application();

}  // namespace velmora::ui::test
