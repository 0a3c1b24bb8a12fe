// What a profile's scripts may touch during a whole batch run: by default a
// filter that writes outside the clone folder and a template that reads a
// private file into a page are refused, the run goes on and the log names
// the paths; only the user widens that, on the command line or in the store.
#include <fstream>
#include <sstream>

#include "run_fixture.h"
#include "settings/user_settings.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

class ScriptAccessRun : public BatchRun {
 protected:
  void SetUp() override {
    BatchRun::SetUp();
    MakeImage(base_ / "A" / "p1.jpg", 64, 48);
    fs::create_directories(root_ / "privat");
    WriteFile(root_ / "privat" / "secret.txt", "GEHEIMNIS");
  }

  // A filter that writes a file outside the clone folder, one that climbs
  // out of it by "..", and one inside; a thumbnail page footer that reads
  // the private file.
  int RunHostileProfile(std::vector<std::string> extra = {}) {
    const std::string oracle = "/IMAGE_ORACLE=write(\"" + (root_ / "victim.txt").string() + "\", \"x\"); write(\"" +
                               (out_ / ".." / "victim2.txt").string() + "\", \"x\"); write(\"" +
                               (out_ / "ok.txt").string() + "\", \"ok\"); return @TRUE;";
    std::vector<std::string> overrides = {"/GENERATE_CLONES=1", "/CLONE_PATH=" + out_.string(), "/THUMBNAILS=1",
                                          "/GENERATE_HTML=1", oracle,
                                          "/HTML_THUMB_FOOTER=<p>{read(\"" +
                                              (root_ / "privat" / "secret.txt").string() + "\")}</p>"};
    overrides.insert(overrides.end(), extra.begin(), extra.end());
    return Run(1, overrides);
  }

  // True when any page below the HTML folder holds the text.
  bool PagesHold(std::string_view text) const {
    bool any_page = false;
    for (const auto& entry : fs::recursive_directory_iterator(out_ / "html")) {
      if (entry.path().extension() != ".html") continue;
      any_page = true;
      if (ReadFile(entry.path()).find(text) != std::string::npos) return true;
    }
    EXPECT_TRUE(any_page) << "no pages written";
    return false;
  }

  std::string Log() const { return ReadFile(root_ / "run.log"); }
};

TEST_F(ScriptAccessRun, ByDefaultScriptsReadAndWriteOnlyWhereTheRunAllows) {
  EXPECT_EQ(RunHostileProfile(), 0);
  EXPECT_FALSE(fs::exists(root_ / "victim.txt"));
  EXPECT_FALSE(fs::exists(root_ / "victim2.txt"));
  EXPECT_EQ(ReadFile(out_ / "ok.txt"), "ok");
  EXPECT_TRUE(fs::exists(out_ / "A" / "p1.jpg")) << "the filter's refused writes did not stop the run";
  EXPECT_FALSE(PagesHold("GEHEIMNIS"));
  const std::string log = Log();
  EXPECT_NE(log.find((root_ / "victim.txt").string() + " refused"), std::string::npos) << log;
  EXPECT_NE(log.find("secret.txt refused"), std::string::npos) << log;
  EXPECT_NE(log.find("Run script access read"), std::string::npos) << log;
}

TEST_F(ScriptAccessRun, TheUserWidensItForOneRunOnTheCommandLine) {
  EXPECT_EQ(RunHostileProfile({"/ScriptAccess=full"}), 0);
  EXPECT_TRUE(fs::exists(root_ / "victim.txt"));
  EXPECT_TRUE(PagesHold("<p>GEHEIMNIS</p>"));
  EXPECT_NE(Log().find("Run script access full"), std::string::npos);
  // Nothing was stored: the next run is restricted again.
  fs::remove(root_ / "victim.txt");
  EXPECT_EQ(RunHostileProfile(), 0);
  EXPECT_FALSE(fs::exists(root_ / "victim.txt"));
}

TEST_F(ScriptAccessRun, TheUserSettingsStoreWidensItAndTheCommandLineCanNarrowItAgain) {
  settings::WriteUserSetting("Administration", "scriptaccess", "full");
  EXPECT_EQ(RunHostileProfile({"/ScriptAccess=restricted"}), 0);
  EXPECT_FALSE(fs::exists(root_ / "victim.txt"));
  EXPECT_EQ(RunHostileProfile(), 0);
  EXPECT_TRUE(fs::exists(root_ / "victim.txt"));
  EXPECT_TRUE(PagesHold("<p>GEHEIMNIS</p>"));

  // Single folders instead of everything.
  fs::remove(root_ / "victim.txt");
  settings::WriteUserSetting("Administration", "scriptaccess", "restricted");
  settings::WriteUserSetting("Administration", "scriptreadfolders", (root_ / "privat").string());
  EXPECT_EQ(RunHostileProfile(), 0);
  EXPECT_TRUE(PagesHold("<p>GEHEIMNIS</p>"));
  EXPECT_FALSE(fs::exists(root_ / "victim.txt"));
  settings::WriteUserSetting("Administration", "scriptwritefolders", "relativ; " + root_.path().string());
  EXPECT_EQ(RunHostileProfile(), 0);
  EXPECT_TRUE(fs::exists(root_ / "victim.txt"));
}

TEST_F(ScriptAccessRun, AnUnknownCommandLineValueIsReportedAndChangesNothing) {
  EXPECT_EQ(RunHostileProfile({"/ScriptAccess=alles"}), 3);
  EXPECT_EQ(Keys(), std::vector<std::string>{"ErrBatchScriptAccess"});
  EXPECT_FALSE(fs::exists(root_ / "victim.txt"));
}

// Once the run knows its photos, only they are protected: a template may
// write a file whose name looks like a photo beside the clones.
TEST_F(ScriptAccessRun, AFileNamedLikeAPhotoMayBeWrittenBesideTheOutputs) {
  const std::string footer = "/HTML_THUMB_FOOTER={write(\"" + (out_ / "A" / "karte.jpg").string() + "\", \"x\")}";
  EXPECT_EQ(Run(1, {"/GENERATE_CLONES=1", "/CLONE_PATH=" + out_.string(), "/GENERATE_HTML=1", footer}), 0)
      << testing::PrintToString(Keys());
  EXPECT_EQ(ReadFile(out_ / "A" / "karte.jpg"), "x");
}

// With clones off the run's outputs go into the photo folders, so even a
// script the user trusts fully must not replace a photo there: neither the
// filter during the scan nor a template during the run.
TEST_F(ScriptAccessRun, NoScriptReplacesAPhotoOfTheRunEvenWithFullAccess) {
  MakeImage(base_ / "A" / "p2.jpg", 64, 48);
  const std::string p1 = ReadFile(base_ / "A" / "p1.jpg");
  const std::string p2 = ReadFile(base_ / "A" / "p2.jpg");
  for (const char* access : {"/ScriptAccess=restricted", "/ScriptAccess=full"}) {
    const std::string oracle = "/IMAGE_ORACLE=write(\"" + (base_ / "A" / "p1.jpg").string() +
                               "\", \"x\"); write(\"" + (base_ / "A" / "notes.txt").string() +
                               "\", \"ok\"); return @TRUE;";
    const std::string footer = "/HTML_THUMB_FOOTER={write(\"" + (base_ / "A" / "P2.JPG").string() + "\", \"x\")}";
    EXPECT_EQ(Run(1, {"/GENERATE_CLONES=0", "/THUMBNAILS=1", "/GENERATE_HTML=1", oracle, footer, access}), 0)
        << access;
    EXPECT_EQ(ReadFile(base_ / "A" / "p1.jpg"), p1) << access;
    EXPECT_EQ(ReadFile(base_ / "A" / "p2.jpg"), p2) << access;
    EXPECT_FALSE(fs::exists(base_ / "A" / "P2.JPG")) << access;
    EXPECT_EQ(ReadFile(base_ / "A" / "notes.txt"), "ok") << access;
  }
}

}  // namespace
}  // namespace velmora::test
