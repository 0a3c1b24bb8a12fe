#include "metadata/metadata_definition.h"
#include "metadata/metadata_reader.h"

namespace velmora::metadata {

double LookupFocalMultiplier(std::string_view model) {
  return Definitions().FocalMultiplier(FocalModelKey(model)).value_or(0.0);
}

}  // namespace velmora::metadata
