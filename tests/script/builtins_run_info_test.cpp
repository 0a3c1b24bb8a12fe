// `dirinfo` and `imageinfo` against a fake host: argument checks, error
// codes and how the numbers reach the host (the run's numbering itself is
// tested with the run's host in tests/app).
#include <gtest/gtest.h>

#include "builtins_support.h"
#include "fake_image_host.h"

namespace velmora::script {
namespace {

class RunInfoBuiltinsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host.directories = {{3, "Berge"}, {2, "Urlaub"}};
    host.answers[{1, 2, ImageInfoItem::kFileName}] = {ImageInfoValue::Kind::kString, 0, 0, "b"};
    host.answers[{0, 5, ImageInfoItem::kFileName}] = {ImageInfoValue::Kind::kString, 0, 0, "e"};
    host.answers[{0, 5, ImageInfoItem::kSize}] = {ImageInfoValue::Kind::kInteger, 5'000'000'000, 0, ""};
    host.answers[{0, 5, ImageInfoItem::kDimX}] = {ImageInfoValue::Kind::kInteger, 640, 0, ""};
    host.answers[{0, 5, ImageInfoItem::kDate}] = {ImageInfoValue::Kind::kDate, 0, 45121.75, ""};
    r.program.SetImageHost(&host);
  }

  test::BuiltinRunner r;
  test::FakeImageHost host;
};

TEST_F(RunInfoBuiltinsTest, DirectoriesByNumber) {
  EXPECT_EQ(r.Eval("dirinfo(1, @COUNT); \" \"; dirinfo(2, @DIRNAME); \" \"; type(dirinfo(2, @COUNT));"),
            "3 Urlaub @integer");
  EXPECT_EQ(r.FailCode("dirinfo(3, @COUNT);"), 20);
  EXPECT_EQ(r.ErrorText(), "dirinfo: (20) Verzeichnis nicht vorhanden");
  EXPECT_EQ(r.FailCode("dirinfo(0, @COUNT);"), 20);
  EXPECT_EQ(r.FailCode("dirinfo(1, @REF);"), 4);
  EXPECT_EQ(r.FailCode("dirinfo(\"1\", @COUNT);"), 3);
  EXPECT_EQ(r.FailCode("dirinfo(1, \"count\");"), 3);
}

TEST_F(RunInfoBuiltinsTest, ImagesWithAndWithoutTheirDirectory) {
  EXPECT_EQ(r.Eval("imageinfo(1, 2, @FILENAME); imageinfo(5, @FILENAME);"), "be");
  // Without a directory the host counts through all of them: directory 0.
  ASSERT_EQ(host.asked.size(), 2u);
  EXPECT_EQ(host.asked[0], std::make_pair(1, 2));
  EXPECT_EQ(host.asked[1], std::make_pair(0, 5));
  EXPECT_EQ(r.Eval("imageinfo(5, @DIMX); \" \"; imageinfo(5, @SIZE); \" \"; type(imageinfo(5, @DATE));"),
            "640 5000000000.0 @date");
}

TEST_F(RunInfoBuiltinsTest, ImageErrors) {
  // An item symbol outside the list.
  EXPECT_EQ(r.FailCode("imageinfo(5, @RED);"), 4);
  EXPECT_EQ(r.FailCode("imageinfo(1, 1, @COUNT);"), 4);
  EXPECT_EQ(r.FailCode("imageinfo(1, 9, @REF);"), 21);
  EXPECT_EQ(r.ErrorText(), "imageinfo: (21) Bild nicht vorhanden");
  // A directory number names one of the run's directories; 0 is none.
  EXPECT_EQ(r.FailCode("imageinfo(3, 1, @REF);"), 20);
  EXPECT_EQ(r.FailCode("imageinfo(0, 1, @REF);"), 20);
  EXPECT_TRUE(host.asked.size() == 1u);
  EXPECT_EQ(r.FailCode("imageinfo(\"1\", @REF);"), 3);
  EXPECT_EQ(r.FailCode("imageinfo(1.0, 1, @REF);"), 3);
  EXPECT_EQ(r.FailCode("imageinfo(1, \"ref\");"), 3);
}

TEST_F(RunInfoBuiltinsTest, OutsideARunThereAreNoDirectoriesOrImages) {
  r.program.SetImageHost(nullptr);
  EXPECT_EQ(r.FailCode("dirinfo(1, @COUNT);"), 20);
  EXPECT_EQ(r.FailCode("imageinfo(1, @REF);"), 21);
  EXPECT_EQ(r.FailCode("imageinfo(1, 1, @REF);"), 21);
}

}  // namespace
}  // namespace velmora::script
