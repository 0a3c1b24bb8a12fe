// Building the selection tree and reading and writing selection files.
#include "app/run/selection_tree.h"

#include <algorithm>
#include <fstream>

#include "platform/log.h"
#include "platform/native_path.h"
#include "platform/path_join.h"
#include "app/run/directory_listing.h"
#include "app/run/image_scan.h"
#include "app/run/listing_report.h"
#include "app/run/output_cleaning.h"
#include "app/run/run_scripts.h"
#include "app/run/script_access.h"
#include "app/startup_state.h"
#include "html/sorting.h"
#include "lang/messages.h"
#include "settings/profile_data.h"
#include "settings/profile_files.h"
#include "settings/user_settings.h"

namespace velmora::app {
namespace {

struct CountedDirectory {
  std::string name;
  std::filesystem::path path;
  std::int64_t last_write = 0;
  std::int32_t count = 0;
};

bool Excluded(const DirectoryEntry& entry, const TreeOptions& options) {
  if (std::find(options.excluded_names.begin(), options.excluded_names.end(), entry.name) !=
      options.excluded_names.end()) {
    return true;
  }
  if (options.excluded_paths.empty()) return false;
  std::error_code error;
  const std::filesystem::path canonical = std::filesystem::weakly_canonical(entry.path, error);
  if (error) return false;
  for (const auto& path : options.excluded_paths) {
    if (PathWithin(canonical, path)) {
      WriteLog("Selection-Tree BUILD Skipped output folder " + entry.path.string());
      return true;
    }
  }
  return false;
}

// The subdirectories of `directory` that may be shown, counted and sorted.
std::vector<CountedDirectory> CountedSubdirectories(const std::filesystem::path& directory,
                                                    const TreeOptions& options, const ImageScan& scan) {
  std::vector<CountedDirectory> found;
  ListingReport* report = scan.report();
  const auto listed = report != nullptr
                          ? ListSubdirectories(directory, report->SkippedFolders(), report->UnreadableFolders())
                          : ListSubdirectories(directory);
  for (const DirectoryEntry& entry : listed) {
    if (Excluded(entry, options)) continue;
    std::int64_t bytes = 0;
    const auto count = static_cast<std::int32_t>(scan.Scan(entry.path, bytes).size());
    found.push_back({entry.name, entry.path, entry.last_write, count});
  }
  std::vector<html::DirectorySortKey> keys;
  keys.reserve(found.size());
  for (const auto& entry : found) keys.push_back({entry.name, entry.last_write, entry.count});
  const auto order = html::SortDirectories(keys, options.dir_sort, options.dir_sort_direction);
  html::ApplyOrder(found, order);
  return found;
}

std::string Shown(std::string_view name, std::int32_t count) {
  return std::string(name) + " (" + std::to_string(count) + ")";
}

}  // namespace

int SelectionTree::AddNode(int parent, const std::string& full_path, const std::string& tag,
                           const std::string& shown, std::int32_t count) {
  SelectionNode node;
  node.key = "K" + full_path;
  node.text = Shown(shown, count);
  node.tag = tag;
  node.image_count = count;
  node.bold = parent >= 0;
  node.parent = parent;
  nodes_.push_back(std::move(node));
  const int index = static_cast<int>(nodes_.size()) - 1;
  if (parent >= 0) nodes_[static_cast<std::size_t>(parent)].children.push_back(index);
  return index;
}

void SelectionTree::Build(const std::string& base, const TreeOptions& options, const ImageScan& scan) {
  nodes_.clear();
  const std::filesystem::path native = ToNativePath(Cp1252Text(base));
  if (options.level == 0) {
    std::int64_t bytes = 0;
    const auto count = static_cast<std::int32_t>(scan.Scan(native, bytes).size());
    AddNode(-1, base, base, base, count);
    return;
  }
  const int root = AddNode(-1, base, base, base, 0);
  std::int32_t total = 0;
  for (const CountedDirectory& sub : CountedSubdirectories(native, options, scan)) {
    const std::string sub_path = Join(base, sub.name);
    if (options.level == 1) {
      if (sub.count < 1) continue;
      AddNode(root, sub_path, sub.name, sub.name, sub.count);
      WriteLog("Selection-Tree BUILD SubPath " + sub.name);
      total += sub.count;
      continue;
    }
    int parent = -1;
    std::int32_t sub_total = 0;
    for (const CountedDirectory& subsub : CountedSubdirectories(sub.path, options, scan)) {
      if (subsub.count < 1) continue;
      if (parent < 0) parent = AddNode(root, sub_path, sub.name, sub.name, 0);
      AddNode(parent, Join(sub_path, subsub.name), subsub.name, subsub.name, subsub.count);
      WriteLog("Selection-Tree BUILD SubSubPath " + subsub.name);
      sub_total += subsub.count;
    }
    if (parent >= 0) {
      node(parent).image_count = sub_total;
      node(parent).text = Shown(sub.name, sub_total);
      total += sub_total;
    }
  }
  node(root).image_count = total;
  node(root).text = Shown(base, total);
}

int SelectionTree::Find(std::string_view key) const {
  for (std::size_t i = 0; i < nodes_.size(); ++i) {
    if (nodes_[i].key == key) return static_cast<int>(i);
  }
  return -1;
}

void SelectionTree::ApplyDeselection(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return;
  std::string line;
  while (std::getline(in, line)) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
    if (line.empty()) continue;
    const int index = Find("K" + line);
    if (index >= 0) node(index).checked = false;
  }
}

bool SelectionTree::WriteDeselection(const std::filesystem::path& file) const {
  std::error_code error;
  std::filesystem::remove(file, error);
  std::string text;
  for (std::size_t i = 1; i < nodes_.size(); ++i) {
    if (!nodes_[i].checked) text += std::string(nodes_[i].full_path()) + "\r\n";
  }
  if (text.empty()) return true;
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << text;
  return static_cast<bool>(out.flush());
}

void SelectionTree::SetAllMarks(std::string_view mark) {
  for (auto& node : nodes_) node.mark = mark;
}

std::string ActiveProfileName() {
  const settings::RLProfil& profile = settings::CurrentProfile();
  return profile.IsDefault() ? lang::GetText("Global", "ProfileDefaultname") : profile.Name;
}

std::filesystem::path SelectionFile(const std::string& base, const std::string& profile) {
  return ToNativePath(Join(Cp1252Text(base), Cp1252Text(profile + ".vls")));
}

bool BuildSelectionTree(SelectionTree& tree, const std::string& base, std::int32_t level,
                        const std::filesystem::path& clone_dir) {
  WriteLog("Selection-Tree BUILD START");
  WriteLog("Selection-Tree BUILD BasePath " + base);
  const settings::SettingsTable& working = settings::WorkingSettings();
  RunScripts scripts;
  // The image filter runs during this scan already, under the run's policy.
  const std::filesystem::path native_base = ToNativePath(Cp1252Text(base));
  scripts.SetFileAccess(RunScriptAccess(native_base, clone_dir, ProgramStartupState().ScriptAccess));
  bool oracle_active = false;
  const std::string& oracle = working.Text("IMAGE_ORACLE");
  if (oracle.find_first_not_of(" \t\r\n") != std::string::npos) {
    if (!scripts.CompileModules() || !scripts.CompileOracle(oracle, oracle_active)) return false;
  }
  tree = SelectionTree();
  const ImageScan scan(working, oracle_active ? &scripts : nullptr, &tree.listing_report());
  ProtectPhotoNames(scripts.program().file_access(), scan.patterns());
  TreeOptions options;
  options.level = level;
  options.dir_sort = static_cast<int>(working.Int("DIR_SORT"));
  options.dir_sort_direction = static_cast<int>(working.Int("DIR_SORTDIRECTION"));
  options.excluded_names = {working.Text("THUMB_DIRNAME"), working.Text("DECO_PATH"), working.Text("HTML_BASE")};
  std::error_code error;
  if (!clone_dir.empty()) {
    // Only a clone directory placed inside the photo tree can be mistaken
    // for photos; one beside or above the base directory is never listed.
    const auto canonical = std::filesystem::weakly_canonical(clone_dir, error);
    const auto base_canonical = std::filesystem::weakly_canonical(native_base, error);
    if (!error && canonical != base_canonical && PathWithin(canonical, base_canonical)) {
      options.excluded_paths.push_back(canonical);
    }
  }
  tree.Build(base, options, scan);

  const std::string profile = ActiveProfileName();
  const std::filesystem::path file = SelectionFile(base, profile);
  if (settings::ReadUserSetting("LastSession", "profilelastselection", "0") == "1" &&
      std::filesystem::exists(file, error)) {
    WriteLog("Selection-Tree Deselection START");
    tree.ApplyDeselection(file);
    WriteLog("Selection-Tree Deselection END");
  }
  settings::WriteUserSetting("ProfilesLastData", profile, base);
  WriteLog("Selection-Tree BUILD END");
  return true;
}

void SaveSelection(const SelectionTree& tree, const std::string& base) {
  if (settings::ReadUserSetting("LastSession", "profilelastselection", "0") != "1") return;
  tree.WriteDeselection(SelectionFile(base, ActiveProfileName()));
}

}  // namespace velmora::app
