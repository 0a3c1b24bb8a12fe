// The image host of a run: what the image and metadata built-ins see while
// the run's scripts run. The run names the current image (the scanned file
// for the image filter, the image being processed for `_clone`, stamp texts
// and its page templates); its metadata is read from the original once, when
// a script first asks, and dropped when the next image becomes current, so
// that no more than one image's metadata is ever held. The run's directory
// list answers `dirinfo` and `imageinfo`.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/run/run_image_files.h"
#include "app/run/run_state.h"
#include "metadata/photo_metadata.h"
#include "script/image_host.h"

namespace velmora::app {

class RunImageHost final : public script::ImageHost {
 public:
  using MetadataReader = std::function<metadata::PhotoMetadata(const std::filesystem::path&)>;
  // Reads with the metadata library unless a test hands in its own reader.
  explicit RunImageHost(MetadataReader reader = {});

  // The image the built-ins see from now on (its original's path), or none.
  void SetCurrentImage(const std::filesystem::path& original);
  void ClearCurrentImage();
  // The clone's pixels while `_clone` runs; nullptr when it has ended.
  void SetPixels(image::RgbBuffer* pixels) { pixels_ = pixels; }

  // The run's directories once their order and their images' order are
  // final (after the first pass), and where their outputs lie. The list is
  // the run state's and must stay in place until ClearDirectories.
  void SetDirectories(const std::vector<RunDirectory>& directories, Cp1252Text base_dir, RunImageFiles files);
  void ClearDirectories();
  // Links from `imageinfo` lead from a page in this folder; the HTML root
  // until the run names the page being written.
  void SetPageFolder(std::filesystem::path folder) { page_folder_ = std::move(folder); }

  const metadata::PhotoMetadata* CurrentMetadata() override;
  image::RgbBuffer* CurrentPixels() override { return pixels_; }
  const metadata::MetadataDefinition& Definitions() override;
  std::int32_t DirectoryCount() const override;
  std::optional<script::HostDirectoryInfo> Directory(std::int32_t number) const override;
  std::optional<script::ImageInfoValue> ImageInfo(std::int32_t directory, std::int32_t image,
                                                  script::ImageInfoItem item) const override;

 private:
  struct Located {
    const RunDirectory* directory;
    const RunImage* image;
  };
  std::optional<Located> Locate(std::int32_t directory, std::int32_t image) const;
  std::string LinkTo(const std::filesystem::path& file) const;

  MetadataReader reader_;
  std::optional<std::filesystem::path> current_;
  std::optional<metadata::PhotoMetadata> metadata_;
  image::RgbBuffer* pixels_ = nullptr;
  bool definitions_loaded_ = false;

  const std::vector<RunDirectory>* directories_ = nullptr;
  // images_before_[d]: images of the directories before d; one more entry
  // holds the run's total. Finds an image's directory without walking them.
  std::vector<std::int64_t> images_before_;
  Cp1252Text base_dir_;
  RunImageFiles files_;
  std::filesystem::path page_folder_;
};

// The drawing built-ins work on the clone while a script runs for it
// (`_clone`, a stamp text), and on nothing once it has ended: the buffer is
// the pipeline's.
class ClonePixelsInUse {
 public:
  ClonePixelsInUse(RunImageHost& host, image::RgbBuffer& clone) : host_(host) { host_.SetPixels(&clone); }
  ~ClonePixelsInUse() { host_.SetPixels(nullptr); }
  ClonePixelsInUse(const ClonePixelsInUse&) = delete;
  ClonePixelsInUse& operator=(const ClonePixelsInUse&) = delete;

 private:
  RunImageHost& host_;
};

}  // namespace velmora::app
