// The units the generation run is made of, each on its own: settings to
// pipeline options, output locations checked by the guard, unique output
// names, context variables and the report of a failed image.
#include <gtest/gtest.h>

#include "app/run/image_error_report.h"
#include "app/run/output_naming.h"
#include "app/run/pipeline_settings.h"
#include "app/run/run_context_writer.h"
#include "app/run/run_outputs.h"
#include "image/codecs/codec.h"
#include "lang/messages.h"
#include "platform/native_path.h"
#include "settings/settings_table.h"
#include "support/temp_dir.h"

namespace velmora::app {
namespace {

namespace fs = std::filesystem;

Cp1252Text Text(const fs::path& path) { return FromNativePathOrBytes(path); }
const Cp1252Text kThumbs = Cp1252Text::Ascii("thumbs");

TEST(PipelineSettings, SizesQualityAndTheThumbnailSourceFollowTheProfile) {
  settings::SettingsTable settings;
  for (const auto& [key, value] :
       {std::pair{"GENERATE_CLONES", "1"}, {"CLONE_SELECTED_SIDE", "4"}, {"CLONE_SIZE", "1600"},
        {"CLONE_WIDTH", "1200"}, {"CLONE_HEIGHT", "900"}, {"CLONE_QUALITY", "85"}, {"CLONE_MINQUALITY", "40"},
        {"THUMBNAILS", "1"}, {"THUMB_SELECTED_SIDE", "2"}, {"THUMB_SIZE", "150"}, {"THUMB_WIDTH", "210"},
        {"THUMB_HEIGHT", "140"}, {"THUMB_CLONE", "1"}, {"CLONE_ONLY_IF_NEWER", "1"}, {"CLONE_PRESERVE_DATE", "1"},
        {"CLONE_METADATA", "1"}}) {
    settings.Set(settings::SettingKey::Require(key), value);
  }
  image::PipelineOptions options = PipelineOptionsOf(settings, true);
  EXPECT_TRUE(options.clone.make);
  EXPECT_TRUE(options.clone.apply_clone_list);
  EXPECT_EQ(options.clone.size.side, image::kSideFitInside);
  EXPECT_EQ(options.clone.size.longest, 1600);
  EXPECT_EQ(options.clone.size.width, 1200);
  EXPECT_EQ(options.clone.size.height, 900);
  EXPECT_EQ(options.clone.quality, 85);
  EXPECT_EQ(options.clone.max_bytes, 0);
  EXPECT_EQ(options.thumb.size.side, image::kSideWidth);
  EXPECT_EQ(options.thumb.size.longest, 150);
  EXPECT_EQ(options.thumb.size.width, 210);
  EXPECT_EQ(options.thumb.size.height, 140);
  EXPECT_TRUE(options.thumb.from_clone);
  EXPECT_TRUE(options.clone.only_if_newer);
  EXPECT_TRUE(options.keep_date);
  EXPECT_TRUE(options.copy_metadata);
  EXPECT_EQ(options.hooks, nullptr);

  // A size limit makes the minimum quality the search's floor.
  settings.Set("CLONE_MAXSIZE", "1");
  settings.Set("CLONE_MAXSIZEBYTES", "300000");
  options = PipelineOptionsOf(settings, false);
  EXPECT_EQ(options.clone.max_bytes, 300000);
  EXPECT_EQ(options.clone.quality, 40);
  EXPECT_FALSE(options.clone.apply_clone_list);
  // Without clones of this run a thumbnail comes from the original.
  settings.Set("GENERATE_CLONES", "0");
  EXPECT_FALSE(PipelineOptionsOf(settings, false).thumb.from_clone);
}

// A run over base/A with its photos, as the run driver sets the guard up.
class RunOutputsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(base_ / "A");
    directory_.name = "A";
    directory_.relative_path = "A";
  }
  OutputGuard Guard(const fs::path& clone_dir) const { return OutputGuard(clone_dir, {base_, base_ / "A"}, {"*.JPG"}); }

  test::TempDir root_;
  fs::path base_ = root_ / "base";
  RunDirectory directory_;
};

TEST_F(RunOutputsTest, AnOutputFolderThatIsAPhotoFolderRefusesTheRun) {
  // Clones into the base folder itself land in the photo folder A.
  const RunOutputs into_photos(Text(base_), kThumbs, true, true);
  EXPECT_EQ(into_photos.CloneFolder(directory_).bytes(), (base_ / "A").string());
  EXPECT_EQ(into_photos.ThumbFolder(directory_).bytes(), (base_ / "thumbs" / "A").string());
  EXPECT_EQ(into_photos.FolderHoldingPhotos(Guard(base_), {directory_}), base_ / "A");
  // The same folder through a symbolic link is the same folder.
  fs::create_directories(root_ / "out");
  fs::create_directory_symlink(base_, root_ / "out" / "base");
  const RunOutputs through_link(Text(root_ / "out" / "base"), kThumbs, true, false);
  EXPECT_TRUE(through_link.FolderHoldingPhotos(Guard(root_ / "out"), {directory_}));

  // Thumbnails only: the base folder holds only their own folder.
  EXPECT_FALSE(RunOutputs(Text(base_), kThumbs, false, true).FolderHoldingPhotos(Guard(base_), {directory_}));
  EXPECT_FALSE(RunOutputs(Text(root_ / "out"), kThumbs, true, true)
                   .FolderHoldingPhotos(Guard(root_ / "out"), {directory_}));
}

TEST_F(RunOutputsTest, AnImageWhoseOutputWouldReplaceAPhotoIsRefused) {
  image::RLImageFile file;
  file.Clone = {"IMG_1", "jpg"};
  file.Thumb = {"IMG_1", "jpg"};
  const RunOutputs thumbs_only(Text(base_), kThumbs, false, true);
  EXPECT_FALSE(thumbs_only.RefusedFile(Guard(base_), directory_, file));
  // A thumbnail folder named like the photo folder puts the thumbnail
  // beside the photos, where it would replace IMG_1.jpg.
  const RunOutputs beside_photos(Text(base_), Cp1252Text::Ascii("."), false, true);
  EXPECT_EQ(beside_photos.RefusedFile(Guard(base_), directory_, file), base_ / "A" / "IMG_1.jpg");
  // A page-like name there is no photo and may be written.
  file.Thumb = {"IMG_1", "html"};
  EXPECT_FALSE(beside_photos.RefusedFile(Guard(base_), directory_, file));
  // Outside the clone folder nothing goes.
  file.Clone = {"../../x", "jpg"};
  EXPECT_EQ(RunOutputs(Text(base_ / "thumbs"), Cp1252Text::Ascii("t"), true, false)
                .RefusedFile(Guard(base_ / "thumbs"), directory_, file),
            base_ / "thumbs" / "A" / "../../x.jpg");
}

// The high-density thumbnail copies lie in "2x" below each thumbnail folder
// and pass the same guard: where that folder is one the run reads photos
// from, the copy would replace a photo and the image is skipped.
TEST_F(RunOutputsTest, DenseThumbnailCopiesAreOutputsLikeTheThumbnails) {
  EXPECT_FALSE(RunOutputs(Text(base_), Cp1252Text::Ascii("t"), false, true, 0).DenseThumbFolder(directory_));
  EXPECT_FALSE(RunOutputs(Text(base_), Cp1252Text::Ascii("t"), false, true, 1).DenseThumbFolder(directory_));
  EXPECT_FALSE(RunOutputs(Text(base_), Cp1252Text::Ascii("t"), false, false, 2).DenseThumbFolder(directory_));
  const RunOutputs dense(Text(base_), Cp1252Text::Ascii("t"), false, true, 2);
  EXPECT_EQ(dense.DenseThumbFolder(directory_), Text(base_ / "t" / "A" / "2x"));

  const fs::path photos = base_ / "t" / "A" / "2x";
  fs::create_directories(photos);
  const OutputGuard guard(base_, {base_, base_ / "A", photos}, {"*.JPG"});
  image::RLImageFile file;
  file.Thumb = {"IMG_1", "jpg"};
  EXPECT_FALSE(RunOutputs(Text(base_), Cp1252Text::Ascii("t"), false, true, 0).RefusedFile(guard, directory_, file));
  EXPECT_EQ(dense.RefusedFile(guard, directory_, file), photos / "IMG_1.jpg");
  EXPECT_EQ(dense.FolderHoldingPhotos(guard, {directory_}), photos);
}

TEST(OutputNaming, ClashesAreFoundWithoutRegardToLetterCase) {
  OutputNameSet names;
  names.Reserve("Index.html");
  const auto claim = [&](std::string name, std::string extension, std::string original_extension) {
    image::ImageFileFacts output{name, extension};
    names.Claim(output, {name, original_extension});
    return output.Name;
  };
  EXPECT_EQ(claim("a", "jpg", "jpg"), "a");
  EXPECT_EQ(claim("a", "jpg", "png"), "a_png");
  // "A.JPG" would replace "a.jpg" on a file system that folds case.
  EXPECT_EQ(claim("A", "JPG", "png"), "A_png_2");
  EXPECT_EQ(claim("A", "jpg", "Tif"), "A_Tif");
  EXPECT_EQ(claim("b", "jpg", "jpg"), "b");
  EXPECT_EQ(claim("INDEX", "html", "jpg"), "INDEX_jpg");
}

TEST(RunContextWriter, CountersRowsAndLinksOfAnImage) {
  script::Program program;
  RunContext context;
  context.Build(program);
  ContextLayout layout;
  layout.base_dir = Cp1252Text::Ascii("/photos");
  layout.thumbs_per_line = 3;
  layout.page_extension = ".html";
  layout.clones = true;
  layout.kinds.html = layout.kinds.image_pages = true;
  RunContextWriter writer(context, layout);

  RunDirectory directory;
  directory.name = directory.relative_path = "Reise";
  directory.images.resize(8);
  directory.image_count = 8;
  writer.SetImageCounters(directory, 7, 4, 20);
  EXPECT_EQ(context.Get(Ctx::count_cur_all_files).integer(), 21);
  EXPECT_EQ(context.Get(Ctx::count_cur_file).integer(), 8);
  EXPECT_EQ(context.Get(Ctx::count_prev_file).integer(), 7);
  EXPECT_EQ(context.Get(Ctx::count_cur_row).integer(), 2);
  EXPECT_EQ(context.Get(Ctx::count_cur_file_in_row).integer(), 2);
  EXPECT_EQ(context.Get(Ctx::count_cur_file_in_page).integer(), 5);

  DirectoryPages pages;
  pages.directory = &directory;
  pages.html_folder = "/gallery/html";
  pages.image_folder = "/gallery/html/Reise";
  pages.images_per_page = 6;
  pages.page_count = 2;
  writer.SetPage(directory, pages, 2);
  EXPECT_EQ(context.Get(Ctx::count_page_files).integer(), 2);
  EXPECT_EQ(context.Get(Ctx::count_prev_page).integer(), 1);

  RunImage image;
  image.file.Clone = {"Strand am Meer", "jpg"};
  image.file.Thumb = {"Strand am Meer", "jpg"};
  image.page_name = "Strand am Meer";
  writer.SetImageLinks(image, directory, pages, Cp1252Text::Ascii("/gallery/thumbs/Reise"),
                       Cp1252Text::Ascii("/gallery/Reise"));
  EXPECT_EQ(context.Get(Ctx::thumb_ref).text(), "../thumbs/Reise/Strand%20am%20Meer.jpg");
  EXPECT_EQ(context.Get(Ctx::pic_ref).text(), "../../Reise/Strand%20am%20Meer.jpg");
  EXPECT_EQ(context.Get(Ctx::src_ref).text(), "Reise/Strand%20am%20Meer.html");
  EXPECT_EQ(context.Get(Ctx::src_doc).text(), "Strand am Meer");
}

TEST(ImageErrorReport, TheMessageNamesTheFileAndTheReason) {
  std::vector<lang::ShownMessage> shown;
  const lang::MessageObserver previous =
      lang::SetMessageObserver([&](const lang::ShownMessage& message) { shown.push_back(message); });
  image::ImageError write_error(1001, "WriteImage", "IS_OpenFileDest", "No space left on device");
  write_error.set_path("/gallery/Reise/Strand.jpg");
  EXPECT_FALSE(ReportImageError(write_error));  // without a terminal the default button: OK
  image::ImageError vectors(image::kImageErrorBase + image::kCodecNoPicture, "ReadImage", "IS_ReadWMF");
  vectors.set_path("/photos/plan.wmf");
  ReportImageError(vectors);
  lang::SetMessageObserver(previous);

  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].text, "Image-Error 1001\r\n\r\nWriteImage\r\nIS_OpenFileDest\r\n/gallery/Reise/Strand.jpg\r\n"
                           "No space left on device");
  EXPECT_EQ(shown[1].key, "ErrMetafileWithoutPicture");
  EXPECT_NE(shown[1].text.find("/photos/plan.wmf"), std::string::npos);
}

}  // namespace
}  // namespace velmora::app
