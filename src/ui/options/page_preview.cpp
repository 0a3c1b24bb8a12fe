// Page previews.
#include "ui/options/page_preview.h"

#include <QDesktopServices>
#include <QUrl>
#include <cstdlib>
#include <utility>
#include <vector>

#include "app/run/gallery_page_writer.h"
#include "app/run/progress_line.h"
#include "app/run/run_driver.h"
#include "app/run/selection_tree.h"
#include "app/startup_state.h"
#include "platform/native_path.h"
#include "settings/profile_data.h"
#include "settings/working_settings.h"

namespace velmora::ui {
namespace {

// Puts the preview's values into the working copy and the user's back
// when it ends, with the change marks as they were.
class WorkingOverrides {
 public:
  WorkingOverrides() : saved_(settings::WorkingSettings()), changed_(settings::SettingsChanged()) {}
  ~WorkingOverrides() {
    settings::WorkingSettings() = saved_;
    settings::SetSettingsChanged(changed_);
  }
  WorkingOverrides(const WorkingOverrides&) = delete;
  WorkingOverrides& operator=(const WorkingOverrides&) = delete;
  void Set(settings::SettingKey key, std::string value) { settings::WorkingSettings().Set(key, std::move(value)); }

 private:
  settings::SettingsTable saved_;
  bool changed_;
};

bool HasExtension(const std::filesystem::path& file, const std::string& extension) {
  std::string own = file.extension().string();
  if (!own.empty()) own.erase(0, 1);
  return own == extension;
}

}  // namespace

std::filesystem::path RenderPagePreview(PreviewPageKind kind, const std::filesystem::path& folder,
                                        const std::filesystem::path& output) {
  const auto base = FromNativePath(folder.string());
  const auto clone_dir = FromNativePath(output.string());
  if (!base || !clone_dir) return {};
  std::string thumb_page_name;
  std::string extension;
  {
    WorkingOverrides overrides;
    // Every output below the preview folder, small and quick; the user's
    // folder gets nothing, not even thumbnails.
    overrides.Set("GENERATE_CLONES", "1");
    overrides.Set("CLONE_PATH", clone_dir->bytes());
    overrides.Set("CLONE_APPEND_BASENAME", "0");
    overrides.Set("CLONE_CONVERT", "1");
    overrides.Set("CLONE_FORMAT", "JPG");
    overrides.Set("CLONE_SELECTED_SIDE", "1");
    overrides.Set("CLONE_SIZE", "800");
    overrides.Set("CLONE_MAXSIZE", "0");
    overrides.Set("CLONE_RENAME", "0");
    overrides.Set("CLONE_ONLY_IF_NEWER", "0");
    overrides.Set("CLONE_DIRCLEAN", "0");
    overrides.Set("THUMBNAILS", "1");
    overrides.Set("THUMBDIR_CLEAN", "0");
    overrides.Set("GENERATE_HTML", "1");
    overrides.Set("HTML_DIRCLEAN", "0");
    overrides.Set("GENERATE_THUMBPAGES", "1");
    overrides.Set("GENERATE_PICPAGE", kind == PreviewPageKind::kImagePage ? "1" : "0");
    overrides.Set("GENERATE_INDEX", "0");
    overrides.Set("GENERATE_FRAME", "0");
    overrides.Set("LAUNCH_BROWSER", "0");
    thumb_page_name = settings::WorkingSettings().Text("HTML_DEFAULT");
    extension = settings::WorkingSettings().Text("HTML_EXTENSION");

    app::StartupState startup;
    app::SelectionTree tree;
    if (!app::BuildSelectionTree(tree, base->bytes(), 0, output)) return {};
    app::SilentProgress progress;
    app::GalleryPageWriter pages(startup);
    app::RunDriver driver(startup, tree, pages, progress);
    pages.Follow(driver.state());
    if (driver.StartOrStop(*base) != app::DriverResult::kFinished) return {};
  }
  // The thumbnail page of level 0 carries the default name; an image page is
  // any other page of the HTML folder.
  std::vector<std::filesystem::path> found;
  std::error_code error;
  for (auto it = std::filesystem::recursive_directory_iterator(output, error);
       !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
    if (it->is_regular_file() && HasExtension(it->path(), extension)) found.push_back(it->path());
  }
  std::sort(found.begin(), found.end());
  for (const auto& page : found) {
    const bool thumbnail_page = page.stem().string().rfind(thumb_page_name, 0) == 0;
    if (thumbnail_page == (kind == PreviewPageKind::kThumbnailPage)) return page;
  }
  return {};
}

bool OpenPagePreview(PreviewPageKind kind, const std::filesystem::path& folder) {
  std::string pattern = (std::filesystem::temp_directory_path() / "velmora-preview-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) return false;
  const std::filesystem::path page = RenderPagePreview(kind, folder, pattern);
  if (page.empty()) return false;
  return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(page.string())));
}

}  // namespace velmora::ui
