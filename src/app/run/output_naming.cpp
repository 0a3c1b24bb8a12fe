// Unique output names within a folder.
#include "app/run/output_naming.h"

#include "app/run/run_paths.h"
#include "platform/log.h"
#include "lang/keyed_collection.h"

namespace velmora::app {

void OutputNameSet::Reserve(const std::string& file_name) { taken_.insert(lang::FoldCase(file_name)); }

void OutputNameSet::Claim(image::ImageFileFacts& output, const image::ImageFileFacts& original) {
  if (taken_.insert(lang::FoldCase(FileNameOf(output))).second) return;
  output.Name += "_" + original.Extension;
  for (int n = 2; !taken_.insert(lang::FoldCase(FileNameOf(output))).second; ++n) {
    output.Name += "_" + std::to_string(n);
  }
  WriteLog("Output name taken, " + FileNameOf(original) + " becomes " + output.Name);
}

}  // namespace velmora::app
