// What a start does to the user settings store and how it finds the
// profile it is given: the store is written once, a killed write's leftover
// goes, and the default profile answers to its name in every language.
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <string>

#include "run_fixture.h"
#include "settings/user_settings.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

// Counts how often the store file is put in place (each atomic write is one
// rename onto its name) while `run` runs.
template <typename Run>
int StoreWrites(const fs::path& folder, Run run) {
  fs::create_directories(folder);
  const int watch = inotify_init1(IN_NONBLOCK);
  EXPECT_GE(watch, 0);
  inotify_add_watch(watch, folder.c_str(), IN_MOVED_TO);
  run();
  int writes = 0;
  alignas(inotify_event) char buffer[64 * 1024];
  for (ssize_t got; (got = read(watch, buffer, sizeof buffer)) > 0;) {
    for (char* at = buffer; at < buffer + got;) {
      const auto* event = reinterpret_cast<const inotify_event*>(at);
      if (event->len > 0 && std::string(event->name) == "velmora.ini") ++writes;
      at += sizeof(inotify_event) + event->len;
    }
  }
  close(watch);
  return writes;
}

TEST_F(BatchRun, StartUpWritesTheStoreOnceAndAnUnchangedStartNotAtAll) {
  MakeImage(base_ / "A" / "x.jpg", 60, 40);
  const fs::path store = root_ / "config" / "velmora";
  const std::vector<std::string> clones = {"/GENERATE_CLONES=1", "/CLONE_PATH=" + out_.string()};
  // Start-up and the base folder remembered for the profile.
  EXPECT_LE(StoreWrites(store, [&] { EXPECT_EQ(Run(1, clones), kExitOk); }), 2);
  // Only the time of the start has changed, if anything.
  EXPECT_LE(StoreWrites(store, [&] { EXPECT_EQ(Run(1, clones), kExitOk); }), 1);
  EXPECT_NE(settings::ReadUserSetting("Administration", "lastuseddatetime"), "");
}

TEST_F(BatchRun, LeftoversOfAKilledStoreWriteGoAndNothingElse) {
  MakeImage(base_ / "A" / "x.jpg", 60, 40);
  const fs::path store = root_ / "config" / "velmora";
  const std::vector<std::string> leftovers = {".velmora-0123456789abcdef.999999999-0.tmp",
                                              ".velmora.ini.999999999-3.tmp"};
  const std::vector<std::string> kept = {"notes.txt", ".velmora.ini.tmp", ".velmora-0123456789abcdef." +
                                                                              std::to_string(getpid()) + "-0.tmp"};
  for (const auto& name : leftovers) WriteFile(store / name, "[Administ");
  for (const auto& name : kept) WriteFile(store / name, "mine");
  EXPECT_EQ(Run(1, {"/GENERATE_CLONES=1", "/CLONE_PATH=" + out_.string()}), kExitOk);
  for (const auto& name : leftovers) EXPECT_FALSE(fs::exists(store / name)) << name;
  for (const auto& name : kept) EXPECT_EQ(ReadFile(store / name), "mine") << name;
}

// The README's own example names the default profile in German; with
// English chosen it must still be the default profile, and the English
// name works with German chosen.
TEST_F(BatchRun, DefaultProfileAnswersToItsNameInEveryLanguage) {
  MakeImage(base_ / "A" / "x.jpg", 60, 40);
  const std::vector<std::string> clones = {"/GENERATE_CLONES=1", "/CLONE_PATH=" + out_.string()};
  for (const char* language : {"en", "de"}) {
    settings::WriteUserSetting("Administration", "language", language);
    for (const char* name : {"/Profile=Voreinstellung", "/Profile=Default", "/Profile=voreinstellung"}) {
      std::vector<std::string> arguments = clones;
      arguments.push_back(name);  // the later switch replaces the fixture's
      EXPECT_EQ(Run(1, arguments), kExitOk) << language << " " << name << testing::PrintToString(Keys());
      EXPECT_TRUE(std::none_of(shown_.begin(), shown_.end(),
                               [](const auto& message) { return message.key == "ErrBatchProfileCollection"; }));
    }
  }
  std::vector<std::string> arguments = clones;
  arguments.push_back("/Profile=Nirgends");
  EXPECT_EQ(Run(1, arguments), kExitMessagesShown);
  EXPECT_EQ(Keys(), std::vector<std::string>{"ErrBatchProfileCollection"});
}

}  // namespace
}  // namespace velmora::test
