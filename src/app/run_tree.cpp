// Building the selection tree for a run.
#include "app/run_tree.h"

#include <filesystem>

#include "app/run/run_checks.h"
#include "platform/native_path.h"
#include "settings/profile_data.h"

namespace velmora::app {

std::string AbsoluteBaseDir(const std::string& base) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(ToNativePath(Cp1252Text(base)), error);
  if (error) return base;
  std::string text = absolute.lexically_normal().string();
  while (text.size() > 1 && text.back() == '/') text.pop_back();
  return FromNativePath(text).value_or(Cp1252Text(base)).bytes();
}

TreeBuild BuildRunTree(SelectionTree& tree, const std::string& base, std::int32_t level) {
  tree = SelectionTree();
  std::error_code error;
  if (base.empty() || !std::filesystem::is_directory(ToNativePath(Cp1252Text(base)), error)) {
    return TreeBuild::kBaseUnavailable;
  }
  const settings::SettingsTable& settings = settings::WorkingSettings();
  const Cp1252Text clone_dir =
      settings.Flag("GENERATE_CLONES") ? CloneDirOf(settings, Cp1252Text(base)) : Cp1252Text();
  if (!BuildSelectionTree(tree, base, level, ToNativePath(clone_dir))) {
    tree = SelectionTree();
    return TreeBuild::kFilterFailed;
  }
  return TreeBuild::kBuilt;
}

}  // namespace velmora::app
