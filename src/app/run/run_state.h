// What the run driver prepares for the generation run: the directories of
// the run with their images, the output locations and the run-wide totals.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/run/output_guard.h"
#include "platform/cp1252_text.h"
#include "image/rl_image_file.h"

namespace velmora::app {

class ClonePictures;

// One image of a run: the facts of its original, clone and thumbnail as the
// pipeline and the page writers share them, and where the original lies.
struct RunImage {
  image::RLImageFile file;
  std::filesystem::path source;  // the file system's own name
  std::string page_name;         // its image page's name without extension, unique in the page folder
};

struct RunDirectory {
  std::string name;           // "." for the base directory itself (Windows-1252)
  std::string relative_path;  // below the base directory, "/"-separated; "." for the base directory
  // Where the directory's thumbnail pages live below the HTML root in link
  // form: the parent directory's name at level 2, empty otherwise.
  std::string link_path;
  std::int32_t image_count = 0;
  std::vector<RunImage> images;
  std::int64_t byte_total = 0;
  int tree_node = -1;  // index of the directory's node in the selection tree, -1: none
  std::int32_t page_counter = 0;
};

struct RunState {
  bool Running = false;
  Cp1252Text BaseDir;   // as entered
  Cp1252Text CloneDir;  // equals BaseDir when clones are off
  std::int32_t DeleteFlags = 0;  // 64: old output goes to the trash
  std::vector<std::string> ImagePatterns;
  std::vector<RunDirectory> DirList;
  std::int32_t DirCount = 0;
  std::int32_t DirsWithImages = 0;
  std::int32_t ImageTotal = 0;
  std::int64_t ByteTotal = 0;
  bool OracleActive = false;
  OutputGuard Guard;  // set once the directories are known; every writer of the run asks it
  // The stamp and frame pictures the checks read, for the clones to use.
  std::shared_ptr<ClonePictures> Pictures;
};

inline constexpr std::int32_t kDeleteToTrash = 64;

}  // namespace velmora::app
