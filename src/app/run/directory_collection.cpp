// Directory collection of the run driver.
#include "app/run/directory_collection.h"

#include "platform/native_path.h"
#include "platform/path_join.h"
#include "app/run/image_scan.h"
#include "app/run/selection_tree.h"

namespace velmora::app {
namespace {

void AddDirectory(RunDirectory directory, const ImageScan& scan, const std::string& base, RunState& state) {
  const Cp1252Text folder = Join(Cp1252Text(base), Cp1252Text(directory.relative_path));
  directory.images = scan.Scan(ToNativePath(folder), directory.byte_total);
  directory.image_count = static_cast<std::int32_t>(directory.images.size());
  if (directory.image_count == 0) return;
  ++state.DirsWithImages;
  state.ImageTotal += directory.image_count;
  state.ByteTotal += directory.byte_total;
  state.DirList.push_back(std::move(directory));
}

}  // namespace

void CollectDirectories(const SelectionTree& tree, std::int32_t level, const ImageScan& scan, RunState& state) {
  state.DirList.clear();
  state.DirsWithImages = state.ImageTotal = state.DirCount = 0;
  state.ByteTotal = 0;
  if (tree.empty()) return;
  std::string base = state.BaseDir.bytes();
  while (base.size() > 1 && base.back() == '/') base.pop_back();
  if (level == 0) {
    RunDirectory directory;
    directory.name = directory.relative_path = ".";
    directory.tree_node = 0;
    AddDirectory(std::move(directory), scan, base, state);
  } else {
    for (const int child : tree.node(0).children) {
      const SelectionNode& sub = tree.node(child);
      if (level == 1) {
        if (!sub.checked) continue;
        RunDirectory directory;
        directory.name = directory.relative_path = sub.tag;
        directory.tree_node = child;
        AddDirectory(std::move(directory), scan, base, state);
        continue;
      }
      for (const int grandchild : sub.children) {
        const SelectionNode& subsub = tree.node(grandchild);
        if (!subsub.checked) continue;
        RunDirectory directory;
        directory.name = subsub.tag;
        directory.relative_path = sub.tag + "/" + subsub.tag;
        directory.link_path = sub.tag;
        directory.tree_node = grandchild;
        AddDirectory(std::move(directory), scan, base, state);
      }
    }
  }
  state.DirCount = static_cast<std::int32_t>(state.DirList.size());
}

OutputGuard GuardOf(const RunState& state) {
  const std::filesystem::path base = ToNativePath(state.BaseDir);
  std::vector<std::filesystem::path> sources = {base};
  for (const RunDirectory& directory : state.DirList) {
    if (directory.relative_path != ".") sources.push_back(base / ToNativePath(Cp1252Text(directory.relative_path)));
  }
  return OutputGuard(ToNativePath(state.CloneDir), sources, state.ImagePatterns);
}

}  // namespace velmora::app
