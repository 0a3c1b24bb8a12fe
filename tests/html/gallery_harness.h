// Drives the gallery pages the way the generation run does, over a small
// made-up tree, so that tests can compare whole pages.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "html/gallery.h"
#include "script/machine.h"
#include "script/symbols.h"
#include "settings/settings_table.h"
#include "support/temp_dir.h"

namespace velmora::html::test {

inline constexpr std::string_view kDate = "06.12.2026";

class GalleryHarness {
 public:
  GalleryHarness();

  settings::SettingsTable settings;
  GalleryKinds kinds{false, false, true, true};
  int dir_level = 0;
  std::vector<GalleryDirectory> directories;

  // Adds a directory with images named <prefix>1 .. <prefix>n.
  void AddDirectory(const std::string& name, const std::string& relative, const std::string& link, int images,
                    const std::string& prefix);
  // Compiles the switched-on kinds and writes every page; false when a compilation failed.
  bool Run();

  std::string Page(const std::string& relative) const;  // a page below the clone directory
  const std::filesystem::path& clone_dir() const { return temp_.path(); }
  int html_written() const { return written_; }
  std::filesystem::path start_document() const { return start_; }

 private:
  velmora::test::TempDir temp_;
  int written_ = 0;
  std::filesystem::path start_;
};

// The cell the harness's image variables give with the default picture snippet.
std::string DefaultCell(const std::string& name, const std::string& src_ref);

}  // namespace velmora::html::test
