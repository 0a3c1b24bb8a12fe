// The whole start-up from an argument vector: exit status, messages and log.
#include "app/startup.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/log.h"
#include "platform/program_paths.h"
#include "lang/messages.h"
#include "support/temp_dir.h"

namespace velmora {
namespace {

class Startup : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
    setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
    setenv("XDG_STATE_HOME", (root_ / "state").c_str(), 1);
    std::filesystem::create_directories(root_ / "program");
    SetProgramDirectory(root_ / "program");
    previous_ = lang::SetMessageObserver([this](const lang::ShownMessage& message) { shown_.push_back(message); });
  }
  void TearDown() override {
    ProgramLog().Close();
    lang::SetMessageObserver(previous_);
    SetProgramDirectory({});
  }

  int Run(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "velmora");
    std::vector<char*> argv;
    for (auto& argument : arguments) argv.push_back(argument.data());
    const int status = RunProgram(static_cast<int>(argv.size()), argv.data());
    ProgramLog().Close();
    return status;
  }

  test::TempDir root_;
  std::vector<lang::ShownMessage> shown_;
  lang::MessageObserver previous_;
};

TEST_F(Startup, SwitchWithoutValueShowsTheFixedTwoLanguageError) {
  EXPECT_EQ(Run({"/Basedir"}), kExitCommandLineError);
  ASSERT_EQ(shown_.size(), 1u);
  EXPECT_EQ(shown_[0].text, "Kommandozeile fehlerhaft\r\nError in Commandline\r\n\r\n\r\n/Basedir");
  EXPECT_FALSE(std::filesystem::exists(root_ / "state" / "velmora" / "Velmora.log"));
}

// The refusal names the argument in ASCII and says why in Windows-1252: the
// sharp s of "außerhalb" is one byte here, never the two of UTF-8.
TEST_F(Startup, ArgumentOutsideCp1252IsRefusedInBothLanguages) {
  EXPECT_EQ(Run({"/Basedir=/photos/\xE6\x9D\xB1"}), kExitCommandLineError);
  ASSERT_EQ(shown_.size(), 1u);
  EXPECT_EQ(shown_[0].text,
            "Kommandozeile fehlerhaft\r\nError in Commandline\r\n\r\n\r\n/Basedir=/photos/???\r\n"
            "(Zeichen au\xDF" "erhalb von Windows-1252 / characters outside Windows-1252)");
}

TEST_F(Startup, LogThatCannotBeCreatedEndsTheProgram) {
  EXPECT_EQ(Run({"/Logfile=/nonexistent-velmora-folder/x.log", "/Level=1"}), kExitCommandLineError);
  ASSERT_EQ(shown_.size(), 1u);
  EXPECT_EQ(shown_[0].text,
            "LOG-Datei kann nicht erzeugt werden\r\nUnable to create Logfile\r\n\r\n/nonexistent-velmora-folder/x.log");
}

// The program directory may be read-only: the default log goes to the
// user's state folder, which the first run creates.
TEST_F(Startup, EmptyLogNameWritesVelmoraLogIntoTheStateFolderWithReportAndBatchMessages) {
  // Without a base directory the run cannot start.
  EXPECT_EQ(Run({"/Logfile=", "/Level=7"}), kExitRunFailed);
  EXPECT_FALSE(std::filesystem::exists(root_ / "program" / "Velmora.log"));
  const std::string log = test::ReadFile(root_ / "state" / "velmora" / "Velmora.log");
  for (const char* line : {" Initialization START\r\n", " Determinating Versioninfo START\r\n",
                           " Velmora Version 2.11.0\r\n", " Determinating Versioninfo END\r\n",
                           " Load Languagefiles START\r\n", " Select Languagefile de START\r\n",
                           " Startdialog LOAD START\r\n",
                           " Message ErrBatchLevel Velmora: Auswerte-Level | 7 | nicht zul\xE4ssig\r\n",
                           " Startdialog LOAD END\r\n", " Initialization END\r\n"}) {
    EXPECT_NE(log.find(line), std::string::npos) << line;
  }
  EXPECT_LT(log.find("Initialization START"), log.find("Determinating Versioninfo START"));
  EXPECT_LT(log.find("Message ErrBatchLevel"), log.find("Initialization END"));
}

// A relative log name means the current directory, as for any command.
TEST_F(Startup, OnlyALogFileMeansInteractiveStartWithoutBatchMessages) {
  std::filesystem::create_directories(root_ / "here");
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(root_ / "here");
  const int status = Run({"/Logfile=start.log"});
  std::filesystem::current_path(previous);
  EXPECT_EQ(status, kExitOk);
  EXPECT_TRUE(shown_.empty());
  EXPECT_FALSE(std::filesystem::exists(root_ / "program" / "start.log"));
  const std::string log = test::ReadFile(root_ / "here" / "start.log");
  EXPECT_NE(log.find(" Startdialog LOAD Inquire Profiles\r\n"), std::string::npos);
}

TEST_F(Startup, CompleteBatchCommandLineRunsAndEndsNormally) {
  const auto album = root_ / "Meine Bilder" / "Urlaub";
  std::filesystem::create_directories(album);
  ASSERT_EQ(std::system(("convert -size 300x200 gradient:red-blue '" + (album / "a.jpg").string() + "'").c_str()), 0);
  EXPECT_EQ(Run({"/Profile=Voreinstellung", "/Basedir=" + (root_ / "Meine Bilder").string(), "/Level=1",
                 "/THUMB_SIZE=200", "/GENERATE_HTML=0"}),
            kExitOk);
  EXPECT_TRUE(shown_.empty());
  EXPECT_TRUE(std::filesystem::exists(root_ / "Meine Bilder" / "thumbs" / "Urlaub" / "a.jpg"));
}

TEST_F(Startup, VersionAndHelpAreAnsweredBeforeTheCommandLine) {
  EXPECT_EQ(Run({"/Basedir", "--version"}), kExitOk);
  EXPECT_EQ(Run({"--help", "/Basedir"}), kExitOk);
  EXPECT_TRUE(shown_.empty());
}

// A bug report needs the libraries that read and write the photos.
TEST_F(Startup, VersionListsTheImageLibrariesAndHelpTheNewFileTypes) {
  testing::internal::CaptureStdout();
  EXPECT_EQ(Run({"--version"}), kExitOk);
  const std::string version = testing::internal::GetCapturedStdout();
  EXPECT_EQ(version.rfind("velmora 2.11", 0), 0u) << version;
  for (const char* library : {"libjpeg-turbo ", "libpng ", "libheif 1.", "HEVC decoder", "AV1 encoder", "libwebp 1.",
                              "Little CMS 2."}) {
    EXPECT_NE(version.find(library), std::string::npos) << library << " in\n" << version;
  }
  testing::internal::CaptureStdout();
  EXPECT_EQ(Run({"--help"}), kExitOk);
  const std::string help = testing::internal::GetCapturedStdout();
  for (const char* key : {"/HEIF=1", "HEIF_EXT", "/WEBP=1", "/CLONE_FORMAT=WEBP", "/THUMB_FORMAT=WEBP"}) {
    EXPECT_NE(help.find(key), std::string::npos) << key;
  }
}

}  // namespace
}  // namespace velmora
