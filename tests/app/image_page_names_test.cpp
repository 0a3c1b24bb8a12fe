// Image page names: unique in their page folder, never one of the run's own
// thumbnail, index or frame pages, and taken from the clone or the original.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/run/image_page_names.h"
#include "settings/settings_table.h"
#include "support/temp_dir.h"

namespace velmora::app {
namespace {

class ImagePageNames : public ::testing::Test {
 protected:
  void SetUp() override {
    settings_.Set("HTML_BASE", "html");
    settings_.Set("HTML_EXTENSION", "html");
    settings_.Set("HTML_DEFAULT", "default");
    settings_.Set("HTML_INDEX_FILENAME", "index");
    settings_.Set("HTML_FRAME_FILENAME", "frame");
    settings_.Set("HTML_INDEX_IN_BASEDIR", "0");
    settings_.Set("HTML_FRAME_IN_BASEDIR", "0");
    settings_.Set("HTML_SPLIT", "0");
    state_.CloneDir = Cp1252Text(dir_.path().string());
    kinds_.html = kinds_.image_pages = kinds_.thumb_pages = kinds_.index = true;
  }

  // A directory whose photos are named by `originals`; their clones get
  // the same names with "c_" before them.
  void Add(std::string relative_path, std::vector<std::string> originals) {
    RunDirectory& directory = state_.DirList.emplace_back();
    directory.name = directory.relative_path = std::move(relative_path);
    for (const std::string& name : originals) {
      RunImage& image = directory.images.emplace_back();
      image.file.Original = {name, "jpg"};
      image.file.Clone = {"c_" + name, "jpg"};
    }
  }

  std::vector<std::string> PageNames(std::size_t d) const {
    std::vector<std::string> names;
    for (const RunImage& image : state_.DirList[d].images) names.push_back(image.page_name);
    return names;
  }

  test::TempDir dir_;
  settings::SettingsTable settings_;
  RunState state_;
  PageKinds kinds_;
};

using Names = std::vector<std::string>;

TEST_F(ImagePageNames, PagesAreNamedAfterTheImageThePagesShow) {
  Add(".", {"a", "b"});
  NameImagePages(state_, settings_, kinds_, true, 0);
  EXPECT_EQ(PageNames(0), (Names{"c_a", "c_b"}));
  NameImagePages(state_, settings_, kinds_, false, 0);
  EXPECT_EQ(PageNames(0), (Names{"a", "b"}));
}

TEST_F(ImagePageNames, ANameTakenInTheSameFolderGetsASuffix) {
  // At level 0 the image pages lie beside the index and the thumbnail page.
  Add(".", {"index", "Default", "x", "X", "frame"});
  NameImagePages(state_, settings_, kinds_, false, 0);
  EXPECT_EQ(PageNames(0), (Names{"index_jpg", "Default_jpg", "x", "X_jpg", "frame"}));
  // A frame page that is written takes its name too.
  kinds_.frame = true;
  NameImagePages(state_, settings_, kinds_, false, 0);
  EXPECT_EQ(PageNames(0)[4], "frame_jpg");
  // Without thumbnail pages their names are free.
  kinds_.thumb_pages = false;
  NameImagePages(state_, settings_, kinds_, false, 0);
  EXPECT_EQ(PageNames(0)[1], "Default");
}

TEST_F(ImagePageNames, EachDirectoryHasAFolderOfItsOwn) {
  // At level 1 the index and the thumbnail pages ("A.html") lie in the
  // HTML folder, the image pages of A in html/A.
  Add("A", {"index", "A", "same"});
  Add("B", {"same"});
  NameImagePages(state_, settings_, kinds_, false, 1);
  EXPECT_EQ(PageNames(0), (Names{"index", "A", "same"}));
  EXPECT_EQ(PageNames(1), (Names{"same"}));
}

TEST_F(ImagePageNames, WithoutImagePagesNothingIsRenamed) {
  Add(".", {"index", "index"});
  kinds_.image_pages = false;
  NameImagePages(state_, settings_, kinds_, false, 0);
  EXPECT_EQ(PageNames(0), (Names{"index", "index"}));
}

}  // namespace
}  // namespace velmora::app
