// Which files of a directory are images of the run: the name patterns of the
// switched-on types, then the image filter script when one is active. The
// selection tree counts with it and the run driver collects with it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

#include "app/run/file_patterns.h"
#include "app/run/run_state.h"

namespace velmora::settings {
class SettingsTable;
}

namespace velmora::app {

class ListingReport;
class RunScripts;

// The switched-on image types in their fixed order (BMP, EMF, GIF, JPG, JP2,
// PCD, PCX, PNG, PSD, RAW, TGA, TIF) with their extension lists.
std::vector<EnabledImageType> EnabledImageTypes(const settings::SettingsTable& settings);

class ImageScan {
 public:
  // `oracle`: the compiled scripts whose `_oracle` decides per file; null
  // when no filter is active. `report` hears of the files and folders the
  // listings leave out; null keeps them quiet.
  ImageScan(const settings::SettingsTable& settings, RunScripts* oracle, ListingReport* report = nullptr);

  const std::vector<std::string>& patterns() const { return patterns_; }
  ListingReport* report() const { return report_; }

  // The images of `directory` in listing order, their byte sum in `bytes`.
  std::vector<RunImage> Scan(const std::filesystem::path& directory, std::int64_t& bytes) const;

 private:
  bool FilterTakes(RunImage& image) const;

  std::vector<EnabledImageType> types_;
  std::vector<std::string> patterns_;
  RunScripts* oracle_;
  ListingReport* report_;
  int pcd_format_;
  bool auto_orient_;
};

}  // namespace velmora::app
