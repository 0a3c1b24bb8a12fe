#include "metadata/photo_metadata.h"

#include <gtest/gtest.h>

namespace velmora::metadata {
namespace {

TEST(PhotoMetadataTest, RepeatedIptcDatasetsAreJoinedInFileOrder) {
  PhotoMetadata m;
  m.AddIptc(25, "a");
  m.AddIptc(120, "caption");
  m.AddIptc(25, "b");
  ASSERT_EQ(m.iptc.size(), 2u);
  EXPECT_EQ(m.FindIptc(25)->text, "a,b");
  EXPECT_EQ(m.FindIptc(120)->text, "caption");
  EXPECT_EQ(m.FindIptc(5), nullptr);
}

TEST(PhotoMetadataTest, ASecondCommentWithTheSameKeyReplacesTheText) {
  PhotoMetadata m;
  m.AddComment("Comment", "first");
  m.AddComment("Title", "t");
  m.AddComment("Comment", "second");
  ASSERT_EQ(m.comments.size(), 2u);
  EXPECT_EQ(m.comments[0].text, "second");
}

TEST(PhotoMetadataTest, OrientationIsOneUnlessTheMainDirectoryNamesOneToEight) {
  PhotoMetadata m;
  EXPECT_FALSE(m.HasExif());
  EXPECT_EQ(m.Orientation(), 1);
  m.Section(ExifSection::kThumbnail).push_back({274, TiffType::kShort, 1, {"6"}, 0});
  EXPECT_TRUE(m.HasExif());
  EXPECT_EQ(m.Orientation(), 1);
  m.Section(ExifSection::kMain).push_back({274, TiffType::kShort, 1, {"9"}, 0});
  EXPECT_EQ(m.Orientation(), 1);
  m.Section(ExifSection::kMain).front().values = {"6"};
  EXPECT_EQ(m.Orientation(), 6);
}

}  // namespace
}  // namespace velmora::metadata
