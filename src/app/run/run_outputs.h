// Where a run's clones and thumbnails go: the clone and thumbnail folder of
// each directory and the two files each image gets. Whether they may be
// written there is the output guard's answer alone; this unit only asks it.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/run/output_guard.h"
#include "app/run/run_state.h"
#include "image/rl_image_file.h"
#include "platform/cp1252_text.h"

namespace velmora::app {

class RunOutputs {
 public:
  RunOutputs() = default;
  // `clone_dir`: the run's clone folder; `thumb_dirname`: the thumbnail
  // folder's name below it. Only the switched-on kinds of output count.
  // `thumb_density` 2 to 4 adds each thumbnail's high-density copy.
  RunOutputs(Cp1252Text clone_dir, const Cp1252Text& thumb_dirname, bool clones, bool thumbs, int thumb_density = 0);

  bool clones() const { return clones_; }
  bool thumbs() const { return thumbs_; }
  const Cp1252Text& thumb_root() const { return thumb_root_; }
  Cp1252Text CloneFolder(const RunDirectory& directory) const;
  Cp1252Text ThumbFolder(const RunDirectory& directory) const;
  // The folder of the high-density thumbnail copies, or nothing when the
  // run writes none.
  std::optional<Cp1252Text> DenseThumbFolder(const RunDirectory& directory) const;

  // The first output folder of `directories` that is a folder the run
  // reads photos from (a clone folder pointing back into the photos);
  // such a run must not start.
  std::optional<std::filesystem::path> FolderHoldingPhotos(const OutputGuard& guard,
                                                           const std::vector<RunDirectory>& directories) const;

  // The first of the image's output files that the guard refuses (one that
  // would replace a photo or leave the clone folder); that image is skipped.
  std::optional<std::filesystem::path> RefusedFile(const OutputGuard& guard, const RunDirectory& directory,
                                                   const image::RLImageFile& file) const;

 private:
  std::vector<std::filesystem::path> Folders(const RunDirectory& directory) const;

  Cp1252Text clone_dir_;
  Cp1252Text thumb_root_;
  bool clones_ = false;
  bool thumbs_ = false;
  int thumb_density_ = 0;
};

}  // namespace velmora::app
