// Unique image page names.
#include "app/run/image_page_names.h"

#include <map>
#include <string>

#include "app/run/gallery_page_writer.h"
#include "app/run/output_naming.h"
#include "html/gallery_layout.h"
#include "platform/native_path.h"
#include "settings/settings_table.h"

namespace velmora::app {

void NameImagePages(RunState& state, const settings::SettingsTable& settings, const PageKinds& kinds, bool clones,
                    int dir_level) {
  for (RunDirectory& directory : state.DirList) {
    for (RunImage& image : directory.images) {
      image.page_name = clones ? image.file.Clone.Name : image.file.Original.Name;
    }
  }
  if (!kinds.image_pages) return;
  const std::string extension = settings.Text("HTML_EXTENSION");
  const html::GalleryLayout layout(settings, ToNativePath(state.CloneDir), dir_level, GalleryDirectories(state));
  std::map<std::string, OutputNameSet> taken;  // per page folder
  for (const auto& [folder, name] : layout.OwnPages(kinds.thumb_pages, kinds.index, kinds.frame)) {
    taken[folder].Reserve(name + "." + extension);
  }
  for (std::size_t d = 0; d < state.DirList.size(); ++d) {
    OutputNameSet& names = taken[layout.ImageFolder(static_cast<int>(d))];
    for (RunImage& image : state.DirList[d].images) {
      image::ImageFileFacts page;
      page.Name = image.page_name;
      page.Extension = extension;
      names.Claim(page, image.file.Original);
      image.page_name = page.Name;
    }
  }
}

}  // namespace velmora::app
