// The small rules behind the window: time left, the recent base folders and
// the session the window keeps.
#include <gtest/gtest.h>

#include "settings/user_settings.h"
#include "ui/about_box.h"
#include "ui/window_progress.h"
#include "ui/window_session.h"

namespace velmora::ui {
namespace {

TEST(WindowProgress, TimeLeftFollowsThePaceSoFar) {
  EXPECT_EQ(SecondsLeft(0, 100, 5000), -1);
  EXPECT_EQ(SecondsLeft(10, 100, 500), -1) << "the first second promises nothing";
  EXPECT_EQ(SecondsLeft(25, 100, 10000), 30);
  EXPECT_EQ(SecondsLeft(100, 100, 10000), -1);
  EXPECT_EQ(SecondsLeft(150, 100, 10000), -1) << "more done than planned is no negative time";
}

TEST(WindowProgress, SnapshotsCountPicturesAndKeepTheSummary) {
  WindowProgress progress;
  EXPECT_FALSE(progress.Snapshot().started);
  progress.Start(2, 10, 1000);
  progress.Directory("A", 1);
  progress.Picture("/a/1.jpg", "/out/thumbs/A/1.jpg");
  progress.Picture("/a/2.jpg", "/out/thumbs/A/2.jpg");
  progress.Image(2, 200);
  progress.Summary("fertig");
  const ProgressSnapshot snapshot = progress.Snapshot();
  EXPECT_TRUE(snapshot.started);
  EXPECT_EQ(snapshot.picture_number, 2u);
  EXPECT_EQ(snapshot.picture, "/out/thumbs/A/2.jpg");
  EXPECT_EQ(snapshot.images_done, 2);
  EXPECT_EQ(snapshot.directory, "A");
  EXPECT_EQ(snapshot.summary, "fertig");
}

TEST(WindowSession, RecentFoldersPutTheLatestFirstWithoutRepeats) {
  EXPECT_EQ(WithRecent({"/a", "/b", "/c"}, "/b"), (std::vector<std::string>{"/b", "/a", "/c"}));
  EXPECT_EQ(WithRecent({"/a", "", "/a"}, ""), (std::vector<std::string>{"/a"}));
  std::vector<std::string> many;
  for (int i = 0; i < 20; ++i) many.push_back("/" + std::to_string(i));
  const auto cut = WithRecent(many, "/neu");
  ASSERT_EQ(cut.size(), kHistorySize);
  EXPECT_EQ(cut.front(), "/neu");
}

TEST(WindowSession, WrittenAndReadBackAndHostileNumbersIgnored) {
  WindowSession session;
  session.base = "/fotos/\xE4rger";
  session.history = {"/fotos/\xE4rger", "/alt"};
  session.level = 2;
  session.preview = false;
  session.width = 1024;
  session.height = 700;
  session.pane = 300;
  WriteWindowSession(session);
  const WindowSession read = ReadWindowSession();
  EXPECT_EQ(read.base, session.base);
  EXPECT_EQ(read.history, session.history);
  EXPECT_EQ(read.level, 2);
  EXPECT_FALSE(read.preview);
  EXPECT_EQ(read.width, 1024);
  EXPECT_EQ(read.pane, 300);
  settings::WriteUserSetting("Administration", "fwidth", "99999999999");
  settings::WriteUserSetting("Administration", "fheigth", "-5");
  settings::WriteUserSetting("LastSession", "dirlevel", "7");
  const WindowSession hostile = ReadWindowSession();
  EXPECT_EQ(hostile.width, 0);
  EXPECT_EQ(hostile.height, 0);
  EXPECT_FALSE(hostile.level.has_value());
  settings::DeleteUserSettingsSection("LastSession");
  settings::DeleteUserSettingsSection("LastSession\\basedirs");
}

TEST(AboutBox, NamesTheVersionAndTheLibraries) {
  const QString text = AboutText();
  EXPECT_TRUE(text.contains("Velmora Version 2.11")) << text.toStdString();
  EXPECT_TRUE(text.contains("Qt 6")) << text.toStdString();
  EXPECT_GT(text.count('\n'), 4) << "the image libraries are listed too";
}

}  // namespace
}  // namespace velmora::ui
