// The gallery test harness.
#include "gallery_harness.h"

#include "script/compiler.h"
#include "support/temp_dir.h"

namespace velmora::html::test {

GalleryHarness::GalleryHarness() = default;

void GalleryHarness::AddDirectory(const std::string& name, const std::string& relative, const std::string& link,
                                  int images, const std::string& prefix) {
  GalleryDirectory& d = directories.emplace_back();
  d.name = name;
  d.relative_path = relative;
  d.link_path = link;
  for (int i = 1; i <= images; ++i) d.image_pages.push_back(prefix + std::to_string(i));
}

bool GalleryHarness::Run() {
  script::Program program;
  auto text = [&](const char* name) { return program.RegisterContextVariable(name, script::ValueType::kString); };
  auto number = [&](const char* name) { return program.RegisterContextVariable(name, script::ValueType::kInteger); };
  script::ContextVariable file = text("file"), dim = text("dim"), src_ref = text("src_ref"), src_doc = text("src_doc"),
                          thumb_ref = text("thumb_ref"), pic_ref = text("pic_ref");
  script::ContextVariable size = number("size_byte"), tx = number("thumb_dimx"), ty = number("thumb_dimy");
  const std::pair<bool, PageKind> order[] = {{kinds.frame, PageKind::kFrame},
                                             {kinds.index, PageKind::kIndex},
                                             {kinds.thumb_pages, PageKind::kThumb},
                                             {kinds.image_pages, PageKind::kImage}};
  for (const auto& [on, kind] : order) {
    if (on && !CompilePageTemplates(program, settings, kind)) return false;
  }
  script::Machine machine(program);
  GalleryLayout layout(settings, temp_.path(), dir_level, directories);
  for (int d = 0; d < static_cast<int>(directories.size()); ++d) {
    std::filesystem::create_directories(layout.Native(layout.ThumbFolder(d)));
    if (kinds.image_pages) std::filesystem::create_directories(layout.Native(layout.ImageFolder(d)));
  }
  Gallery gallery(machine, settings, layout, kinds, std::string(kDate));
  for (int d = 0; d < static_cast<int>(directories.size()); ++d) {
    const PageSplit& split = layout.split(d);
    const auto& pages = directories[static_cast<std::size_t>(d)].image_pages;
    for (int i = 0; i < static_cast<int>(pages.size()); ++i) {
      if (kinds.thumb_pages && i % split.images_per_page == 0) gallery.BeginPage(d, split.PageOf(i));
      file.SetString(pages[static_cast<std::size_t>(i)]);
      dim.SetString("40 x 30");
      size.SetInteger(1234);
      tx.SetInteger(40);
      ty.SetInteger(30);
      src_ref.SetString(pages[static_cast<std::size_t>(i)] + ".html");
      src_doc.SetString(pages[static_cast<std::size_t>(i)]);
      thumb_ref.SetString("t.jpg");
      pic_ref.SetString("p.jpg");
      if (kinds.image_pages && !gallery.WriteImagePage(d, i)) return false;
      if (kinds.thumb_pages) gallery.WriteImageCell(d, i);
    }
  }
  if (kinds.index) gallery.WriteIndexPage();
  if (kinds.frame) gallery.WriteFramePage();
  written_ = gallery.html_written();
  start_ = gallery.start_document();
  return true;
}

std::string GalleryHarness::Page(const std::string& relative) const {
  return velmora::test::ReadFile(temp_.path() / relative);
}

std::string DefaultCell(const std::string& name, const std::string& src_ref) {
  return "<a href=\"" + src_ref +
         "\"><img src=\"t.jpg\" style=\"border-style:none\" width=\"40\" height=\"30\" alt=\"" + name + "\" title=\"" +
         name + "\"><br><font size=\"1\">" + name + "</font></a><br><font size=\"1\">40 x 30<br>1234 Bytes</font>";
}

}  // namespace velmora::html::test
