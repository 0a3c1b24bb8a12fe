// The first pass's naming of clones and thumbnails: names, formats, clashes
// within a folder and photos whose renamed name no file system takes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/run/image_output_names.h"
#include "image/codecs/codec_registry.h"
#include "settings/settings_table.h"

namespace velmora::app {
namespace {

RunImage Photo(std::string name, std::string extension, int type, std::int64_t bytes) {
  RunImage image;
  image.file.Original = {std::move(name), std::move(extension), type, bytes};
  return image;
}

// A directory "A" of the run with the photos, counted into `state` as the
// directory collection counts it.
RunDirectory& AddDirectory(RunState& state, std::vector<RunImage> images) {
  RunDirectory& directory = state.DirList.emplace_back();
  directory.name = directory.relative_path = "A";
  for (RunImage& image : images) {
    directory.byte_total += image.file.Original.Size;
    ++directory.image_count;
    directory.images.push_back(std::move(image));
  }
  state.ImageTotal += directory.image_count;
  state.ByteTotal += directory.byte_total;
  ++state.DirsWithImages;
  return directory;
}

std::string FileName(const image::ImageFileFacts& facts) { return facts.Name + "." + facts.Extension; }

OutputNameRules ClonesAndThumbs() {
  OutputNameRules rules;
  rules.clones = rules.thumbs = true;
  return rules;
}

TEST(ImageOutputNames, RulesFollowTheSettings) {
  settings::SettingsTable settings;
  settings.Set("GENERATE_CLONES", "0");
  settings.Set("THUMBNAILS", "1");
  settings.Set("CLONE_RENAME", "1");
  settings.Set("THUMB_RENAME", "1");
  settings.Set("CLONE_CONVERT", "0");
  settings.Set("CLONE_RENAME_MASK", "c_#");
  settings.Set("THUMB_RENAME_MASK", "t_$");
  OutputNameRules rules = OutputNameRules::Of(settings);
  // A rename of clones that are not made must not refuse photos.
  EXPECT_FALSE(rules.clones);
  EXPECT_FALSE(rules.rename_clones);
  EXPECT_TRUE(rules.thumbs);
  EXPECT_TRUE(rules.rename_thumbs);
  EXPECT_FALSE(rules.convert);
  EXPECT_EQ(rules.clone_mask.mask, "c_#");
  EXPECT_EQ(rules.thumb_mask.mask, "t_$");
  settings.Set("GENERATE_CLONES", "1");
  settings.Set("CLONE_CONVERT", "1");
  rules = OutputNameRules::Of(settings);
  EXPECT_TRUE(rules.rename_clones);
  EXPECT_TRUE(rules.convert);
}

TEST(ImageOutputNames, ClonesKeepTheirFormatUnlessConvertedAndThumbnailsAreJpegs) {
  RunState state;
  RunDirectory& directory = AddDirectory(state, {Photo("bloom", "png", image::kImageTypePng, 10)});
  OutputNameRules rules = ClonesAndThumbs();
  NameImageOutputs(directory, "A", rules, state, {});
  const image::RLImageFile& file = directory.images[0].file;
  EXPECT_EQ(FileName(file.Clone), "bloom.png");
  EXPECT_EQ(file.Clone.Type, image::kImageTypePng);
  EXPECT_EQ(FileName(file.Thumb), "bloom.jpg");
  EXPECT_EQ(file.Thumb.Type, image::kImageTypeJpg);

  rules.convert = true;
  NameImageOutputs(directory, "A", rules, state, {});
  EXPECT_EQ(FileName(directory.images[0].file.Clone), "bloom.jpg");
  EXPECT_EQ(directory.images[0].file.Clone.Type, image::kImageTypeJpg);
}

TEST(ImageOutputNames, MasksNumberThePhotosInTheirOrderAndThumbnailsFollowTheClone) {
  RunState state;
  RunDirectory& directory = AddDirectory(
      state, {Photo("x", "jpg", image::kImageTypeJpg, 1), Photo("y", "jpg", image::kImageTypeJpg, 1)});
  OutputNameRules rules = ClonesAndThumbs();
  rules.rename_clones = true;
  rules.clone_mask = image::RenameSettings::FromTexts("%_#", "2", "", "", "0");
  NameImageOutputs(directory, "Reise", rules, state, {});
  EXPECT_EQ(directory.images[0].file.Clone.Name, "Reise_01");
  EXPECT_EQ(directory.images[1].file.Clone.Name, "Reise_02");
  // Without a thumbnail mask the thumbnail is named like its clone...
  EXPECT_EQ(directory.images[1].file.Thumb.Name, "Reise_02");
  // ... and like the original when no clones are made.
  rules.clones = rules.rename_clones = false;
  NameImageOutputs(directory, "Reise", rules, state, {});
  EXPECT_EQ(directory.images[1].file.Thumb.Name, "y");
  rules.rename_thumbs = true;
  rules.thumb_mask = image::RenameSettings::FromTexts("t#", "1", "", "", "0");
  NameImageOutputs(directory, "Reise", rules, state, {});
  EXPECT_EQ(directory.images[1].file.Thumb.Name, "t2");
}

TEST(ImageOutputNames, TwoPhotosThatWouldShareAnOutputGetDifferentNames) {
  RunState state;
  RunDirectory& directory = AddDirectory(
      state, {Photo("a", "jpg", image::kImageTypeJpg, 1), Photo("A", "png", image::kImageTypePng, 1)});
  OutputNameRules rules = ClonesAndThumbs();
  rules.convert = true;
  NameImageOutputs(directory, "A", rules, state, {});
  EXPECT_EQ(FileName(directory.images[0].file.Clone), "a.jpg");
  EXPECT_EQ(FileName(directory.images[1].file.Clone), "A_png.jpg");
  EXPECT_EQ(FileName(directory.images[1].file.Thumb), "A_png.jpg");
  // Outputs that are not made claim no names.
  rules.clones = false;
  rules.thumbs = false;
  NameImageOutputs(directory, "A", rules, state, {});
  EXPECT_EQ(directory.images[1].file.Thumb.Name, "A");
}

TEST(ImageOutputNames, APhotoWhoseRenamedNameIsInvalidLeavesTheRunAndItsTotals) {
  RunState state;
  AddDirectory(state, {Photo("ok", "jpg", image::kImageTypeJpg, 100), Photo("b:d", "jpg", image::kImageTypeJpg, 30)});
  AddDirectory(state, {Photo("other", "jpg", image::kImageTypeJpg, 5)});
  OutputNameRules rules = ClonesAndThumbs();
  rules.rename_thumbs = true;
  rules.thumb_mask = image::RenameSettings::FromTexts("$", "1", "", "", "0");
  std::vector<RefusedOutputName> refused;
  NameImageOutputs(state.DirList[0], "A", rules, state, [&](const RefusedOutputName& r) { refused.push_back(r); });
  ASSERT_EQ(refused.size(), 1u);
  EXPECT_EQ(refused[0].file, "A/b:d.jpg");
  EXPECT_EQ(refused[0].name, "b:d");
  ASSERT_EQ(state.DirList[0].images.size(), 1u);
  EXPECT_EQ(state.DirList[0].images[0].file.Original.Name, "ok");
  EXPECT_EQ(state.DirList[0].image_count, 1);
  EXPECT_EQ(state.DirList[0].byte_total, 100);
  EXPECT_EQ(state.ImageTotal, 2);
  EXPECT_EQ(state.ByteTotal, 105);
  EXPECT_EQ(state.DirsWithImages, 2);

  // The last photo of a directory takes the directory out of the count.
  refused.clear();
  rules.rename_clones = true;
  rules.clone_mask = image::RenameSettings::FromTexts("../#", "1", "", "", "0");
  NameImageOutputs(state.DirList[0], "A", rules, state, [&](const RefusedOutputName& r) { refused.push_back(r); });
  ASSERT_EQ(refused.size(), 1u);
  EXPECT_EQ(refused[0].name, "../1");  // the clone's name is reported first
  EXPECT_TRUE(state.DirList[0].images.empty());
  EXPECT_EQ(state.ImageTotal, 1);
  EXPECT_EQ(state.ByteTotal, 5);
  EXPECT_EQ(state.DirsWithImages, 1);
}

TEST(ImageOutputNames, AThumbnailMaskCountsOnlyWhenThumbnailsAreMade) {
  RunState state;
  RunDirectory& directory = AddDirectory(state, {Photo("a|b", "jpg", image::kImageTypeJpg, 1)});
  OutputNameRules rules = ClonesAndThumbs();
  rules.thumbs = false;
  rules.rename_thumbs = true;
  rules.thumb_mask = image::RenameSettings::FromTexts("$", "1", "", "", "0");
  int reports = 0;
  NameImageOutputs(directory, "A", rules, state, [&](const RefusedOutputName&) { ++reports; });
  EXPECT_EQ(reports, 0);
  EXPECT_EQ(directory.images.size(), 1u);
}

}  // namespace
}  // namespace velmora::app
