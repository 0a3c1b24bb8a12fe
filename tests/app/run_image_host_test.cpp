// The run's image host: the numbering `dirinfo` and `imageinfo` see, the
// links they give from the page being written, and the metadata of the
// current image, read once and only while that image is current.
#include "app/run/run_image_host.h"

#include <gtest/gtest.h>

#include <ctime>

#include "app/run/run_outputs.h"
#include "script/builtins/date_text.h"
#include "script/script_runner.h"

namespace velmora::app {
namespace {

namespace fs = std::filesystem;
using script::ImageInfoItem;

RunImage Image(const std::string& name) {
  RunImage image;
  image.file.Original = {name, "jpg", 6, 1000, {}, 800, 600};
  image.file.Clone = {name + "_c", "jpg", 6, 300, {}, 400, 300};
  image.file.Thumb = {"t_" + name, "jpg", 6, 50, {}, 100, 75};
  image.page_name = name;
  image.source = fs::path("/fotos") / (name + ".jpg");
  return image;
}

RunDirectory Directory(const std::string& relative_path, std::vector<std::string> names) {
  RunDirectory directory;
  directory.name = relative_path;
  directory.relative_path = relative_path;
  for (const std::string& name : names) directory.images.push_back(Image(name));
  directory.image_count = static_cast<std::int32_t>(directory.images.size());
  return directory;
}

class RunImageHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    directories_ = {Directory(".", {"a1", "a2", "a3"}), Directory("Urlaub am See", {"b1", "b2"}),
                    Directory("Winter", {"c1"})};
    Show(true, true);
  }
  void Show(bool clones, bool image_pages) {
    const Cp1252Text base = Cp1252Text::Ascii("/fotos/Sommer");
    host_.SetDirectories(directories_, base,
                         RunImageFiles(RunOutputs(Cp1252Text::Ascii("/out"), Cp1252Text::Ascii("thumbs"), clones, true),
                                       base, "/out/html", image_pages, ".html"));
  }
  std::string TextOf(std::int32_t directory, std::int32_t image, ImageInfoItem item) {
    const auto value = host_.ImageInfo(directory, image, item);
    return value ? value->text : "<none>";
  }

  int reads_ = 0;
  std::vector<fs::path> read_;
  RunImageHost host_{[this](const fs::path& file) {
    ++reads_;
    read_.push_back(file);
    metadata::PhotoMetadata m;
    m.AddComment("Comment", file.filename().string());
    return m;
  }};
  std::vector<RunDirectory> directories_;
};

TEST_F(RunImageHostTest, ImagesCountThroughAllDirectoriesInRunOrder) {
  // The first directory holds three images: the fifth is the second of the second.
  EXPECT_EQ(TextOf(0, 5, ImageInfoItem::kFileName), "b2_c");
  EXPECT_EQ(TextOf(0, 1, ImageInfoItem::kFileName), "a1_c");
  EXPECT_EQ(TextOf(0, 3, ImageInfoItem::kFileName), "a3_c");
  EXPECT_EQ(TextOf(0, 4, ImageInfoItem::kFileName), "b1_c");
  EXPECT_EQ(TextOf(0, 6, ImageInfoItem::kFileName), "c1_c");
  EXPECT_EQ(TextOf(0, 7, ImageInfoItem::kFileName), "<none>");
  EXPECT_EQ(TextOf(0, 0, ImageInfoItem::kFileName), "<none>");
  EXPECT_EQ(TextOf(0, -1, ImageInfoItem::kFileName), "<none>");
  EXPECT_EQ(TextOf(2, 2, ImageInfoItem::kFileName), "b2_c");
  EXPECT_EQ(TextOf(2, 3, ImageInfoItem::kFileName), "<none>");
  EXPECT_EQ(TextOf(4, 1, ImageInfoItem::kFileName), "<none>");
}

TEST_F(RunImageHostTest, EmptyDirectoriesAreSteppedOver) {
  directories_.insert(directories_.begin() + 1, Directory("leer", {}));
  Show(true, true);
  EXPECT_EQ(TextOf(0, 4, ImageInfoItem::kFileName), "b1_c");
  EXPECT_EQ(TextOf(2, 1, ImageInfoItem::kFileName), "<none>");
  EXPECT_EQ(host_.Directory(2)->image_count, 0);
}

TEST_F(RunImageHostTest, DirectoriesByNumber) {
  EXPECT_EQ(host_.DirectoryCount(), 3);
  // The base directory shows its own name, as its pages do.
  EXPECT_EQ(host_.Directory(1)->name, "Sommer");
  EXPECT_EQ(host_.Directory(2)->name, "Urlaub am See");
  EXPECT_EQ(host_.Directory(2)->image_count, 2);
  EXPECT_FALSE(host_.Directory(0));
  EXPECT_FALSE(host_.Directory(4));
  host_.ClearDirectories();
  EXPECT_EQ(host_.DirectoryCount(), 0);
  EXPECT_FALSE(host_.Directory(1));
  EXPECT_EQ(TextOf(0, 1, ImageInfoItem::kFileName), "<none>");
}

TEST_F(RunImageHostTest, LinksLeadFromThePageBeingWritten) {
  // A thumbnail page in the HTML root.
  EXPECT_EQ(TextOf(2, 1, ImageInfoItem::kRef), "../Urlaub%20am%20See/b1_c.jpg");
  EXPECT_EQ(TextOf(2, 1, ImageInfoItem::kDocRef), "Urlaub%20am%20See/b1.html");
  EXPECT_EQ(TextOf(2, 1, ImageInfoItem::kThumbRef), "../thumbs/Urlaub%20am%20See/t_b1.jpg");
  EXPECT_EQ(TextOf(1, 1, ImageInfoItem::kDocRef), "a1.html");
  // An image page in the directory's page folder.
  host_.SetPageFolder("/out/html/Urlaub am See");
  EXPECT_EQ(TextOf(2, 1, ImageInfoItem::kRef), "../../Urlaub%20am%20See/b1_c.jpg");
  EXPECT_EQ(TextOf(2, 1, ImageInfoItem::kDocRef), "b1.html");
  EXPECT_EQ(TextOf(3, 1, ImageInfoItem::kDocRef), "../Winter/c1.html");
}

TEST_F(RunImageHostTest, WithoutClonesOrImagePagesTheOriginalIsShown) {
  Show(false, false);
  EXPECT_EQ(TextOf(2, 1, ImageInfoItem::kFileName), "b1");
  EXPECT_EQ(TextOf(2, 1, ImageInfoItem::kRef), "../../fotos/Sommer/Urlaub%20am%20See/b1.jpg");
  EXPECT_EQ(TextOf(2, 1, ImageInfoItem::kDocRef), TextOf(2, 1, ImageInfoItem::kRef));
  EXPECT_EQ(host_.ImageInfo(2, 1, ImageInfoItem::kDimX)->integer, 800);
  EXPECT_EQ(host_.ImageInfo(2, 1, ImageInfoItem::kSize)->integer, 1000);
}

TEST_F(RunImageHostTest, NumbersAndDates) {
  directories_[0].images[0].file.Clone.Size = 5'000'000'000;
  std::tm taken{};
  taken.tm_year = 123;
  taken.tm_mon = 6;
  taken.tm_mday = 14;
  taken.tm_hour = 18;
  taken.tm_min = 30;
  taken.tm_sec = 5;
  taken.tm_isdst = -1;
  directories_[0].images[1].file.Original.DateTime = image::FileTime(std::chrono::seconds(std::mktime(&taken)));
  const auto size = host_.ImageInfo(1, 1, ImageInfoItem::kSize);
  EXPECT_EQ(size->kind, script::ImageInfoValue::Kind::kInteger);
  EXPECT_EQ(size->integer, 5'000'000'000);
  EXPECT_EQ(host_.ImageInfo(1, 1, ImageInfoItem::kDimY)->integer, 300);
  EXPECT_EQ(host_.ImageInfo(1, 1, ImageInfoItem::kThumbDimX)->integer, 100);
  EXPECT_EQ(TextOf(1, 1, ImageInfoItem::kThumbName), "t_a1");
  EXPECT_EQ(TextOf(1, 1, ImageInfoItem::kThumbType), "jpg");
  EXPECT_EQ(TextOf(1, 1, ImageInfoItem::kFileType), "jpg");
  // No date: an empty text, as the `date` variable gives.
  const auto none = host_.ImageInfo(1, 1, ImageInfoItem::kDate);
  EXPECT_EQ(none->kind, script::ImageInfoValue::Kind::kString);
  EXPECT_EQ(none->text, "");
  const auto date = host_.ImageInfo(1, 2, ImageInfoItem::kDate);
  ASSERT_EQ(date->kind, script::ImageInfoValue::Kind::kDate);
  EXPECT_EQ(script::FormatDatePattern(date->date, "yyyy-mm-dd hh:nn:ss"), "2023-07-14 18:30:05");
}

TEST_F(RunImageHostTest, MetadataIsReadOnceWhenAskedAndDroppedWithTheImage) {
  EXPECT_EQ(host_.CurrentMetadata(), nullptr);
  host_.SetCurrentImage("/fotos/a1.jpg");
  EXPECT_EQ(reads_, 0);
  const metadata::PhotoMetadata* first = host_.CurrentMetadata();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->comments.front().text, "a1.jpg");
  EXPECT_EQ(host_.CurrentMetadata(), first);
  EXPECT_EQ(reads_, 1);
  // An image no script asks about is never read.
  host_.SetCurrentImage("/fotos/a2.jpg");
  host_.SetCurrentImage("/fotos/a3.jpg");
  EXPECT_EQ(host_.CurrentMetadata()->comments.front().text, "a3.jpg");
  EXPECT_EQ(read_, (std::vector<fs::path>{"/fotos/a1.jpg", "/fotos/a3.jpg"}));
  host_.ClearCurrentImage();
  EXPECT_EQ(host_.CurrentMetadata(), nullptr);
  EXPECT_EQ(reads_, 2);
}

// The built-ins through the run's host: the numbering of the run, for a
// script.
TEST_F(RunImageHostTest, ScriptsSeeTheRunsNumbering) {
  script::test::ScriptRunner r;
  r.program.SetImageHost(&host_);
  EXPECT_EQ(r.RunBody("imageinfo(5, @FILENAME); \" \"; imageinfo(2, 2, @FILENAME); \" \"; dirinfo(3, @DIRNAME); "
                      "\" \"; dirinfo(1, @COUNT);"),
            "b2_c b2_c Winter 3");
  EXPECT_EQ(r.RunBody("imageinfo(5, @RED);"), "@error");
  EXPECT_EQ(r.Global("ERRN_LAST").integer(), 4);
  host_.SetCurrentImage("/fotos/b2.jpg");
  EXPECT_EQ(r.RunBody("imagecomment();"), "b2.jpg");
}

}  // namespace
}  // namespace velmora::app
