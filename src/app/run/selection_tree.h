// The directory selection tree without a window: the directories below the
// base directory that hold images, with their counts, check flags and the
// status marks of a run, and the ".vls" file that remembers which
// directories the user switched off.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "app/run/listing_report.h"

namespace velmora::app {

class ImageScan;

inline constexpr std::string_view kMarkWaiting = "checked_rot";
inline constexpr std::string_view kMarkBusy = "checked_gelb";
inline constexpr std::string_view kMarkDone = "checked_gr\xFCn";
inline constexpr std::string_view kMarkNeutral = "checked_alle";

struct SelectionNode {
  std::string key;   // "K" and the full path (Windows-1252)
  std::string text;  // name (the full path for the root), " (", image count, ")"
  std::string tag;   // name relative to the parent
  std::int32_t image_count = 0;
  bool checked = true;
  bool expanded = true;
  bool sorted = true;
  bool bold = false;  // directory nodes below the root
  std::string mark;
  int parent = -1;
  std::vector<int> children;

  std::string_view full_path() const { return std::string_view(key).substr(1); }
};

// What decides the shape of the tree besides the file system.
struct TreeOptions {
  std::int32_t level = 0;
  int dir_sort = 1;
  int dir_sort_direction = 0;
  // Folder names never shown (thumbnail, decoration and HTML folders).
  std::vector<std::string> excluded_names;
  // Folders never shown, with everything below them, because the run writes
  // into them (a clone directory inside the base directory): its own output
  // must not become its input.
  std::vector<std::filesystem::path> excluded_paths;
};

class SelectionTree {
 public:
  // Rebuilds the tree for `base` (Windows-1252). The root is node 0.
  void Build(const std::string& base, const TreeOptions& options, const ImageScan& scan);

  const std::vector<SelectionNode>& nodes() const { return nodes_; }
  SelectionNode& node(int index) { return nodes_.at(static_cast<std::size_t>(index)); }
  const SelectionNode& node(int index) const { return nodes_.at(static_cast<std::size_t>(index)); }
  bool empty() const { return nodes_.empty(); }
  // -1 when no node has this key.
  int Find(std::string_view key) const;

  // Clears the check box of every node named by a line of the file; unknown
  // lines are ignored, an unreadable file changes nothing.
  void ApplyDeselection(const std::filesystem::path& file);
  // Deletes the file, then writes the full path of every unchecked
  // directory node when there is one. False when writing failed.
  bool WriteDeselection(const std::filesystem::path& file) const;

  void SetAllMarks(std::string_view mark);

  // What the listings of this tree and of the runs over it left out; each
  // folder or file is named once.
  ListingReport& listing_report() { return listing_report_; }

 private:
  int AddNode(int parent, const std::string& full_path, const std::string& tag, const std::string& shown,
              std::int32_t count);

  std::vector<SelectionNode> nodes_;
  ListingReport listing_report_;
};

// The name of the active profile as files and the user settings store know
// it (the language's default name for the default profile).
std::string ActiveProfileName();

// Builds the tree for the active profile: the image filter (messages as the
// run driver shows them), the sort and folder settings, the selection file
// when "profilelastselection" is 1, and the base directory remembered for
// the profile. False when the filter did not compile.
bool BuildSelectionTree(SelectionTree& tree, const std::string& base, std::int32_t level,
                        const std::filesystem::path& clone_dir = {});

// Writes the selection file of the base directory and active profile when
// "profilelastselection" is 1.
void SaveSelection(const SelectionTree& tree, const std::string& base);

// The ".vls" file of a base directory and profile.
std::filesystem::path SelectionFile(const std::string& base, const std::string& profile);

}  // namespace velmora::app
