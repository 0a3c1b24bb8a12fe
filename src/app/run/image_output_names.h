// The first pass's naming: the clone and the thumbnail of every photo get
// their names, extensions and types before anything is written, so that the
// pages of the main pass can link to outputs of images not yet reached.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "app/run/output_types.h"
#include "app/run/run_state.h"
#include "image/rename/rename_name.h"

namespace velmora::settings {
class SettingsTable;
}

namespace velmora::app {

// How a run names each photo's outputs.
struct OutputNameRules {
  bool clones = false;
  bool thumbs = false;
  bool rename_clones = false;  // only when clones are made
  bool rename_thumbs = false;
  bool convert = false;  // every clone takes the type of `clone_output`
  OutputType clone_output;
  OutputType thumb_output;
  image::RenameSettings clone_mask;
  image::RenameSettings thumb_mask;

  static OutputNameRules Of(const settings::SettingsTable& settings);
};

// A photo left out because a mask or a find-and-replace turned its output's
// name into one no file system takes ("../../x", "a:b"): the photo below
// the base directory ("A/x.jpg") and the name that was made.
struct RefusedOutputName {
  std::string file;
  std::string name;
};
using RefusedOutputNameReport = std::function<void(const RefusedOutputName&)>;

// Names the outputs of the images of `directory`, in their order: a
// renamed output counts from 1 and sees `directory_name`; two outputs of a
// folder never share a name (OutputNameSet). A photo whose renamed name is
// refused is reported, taken out of the directory and out of the run's
// totals in `state`, so that no page links to it.
void NameImageOutputs(RunDirectory& directory, std::string_view directory_name, const OutputNameRules& rules,
                      RunState& state, const RefusedOutputNameReport& refused);

}  // namespace velmora::app
