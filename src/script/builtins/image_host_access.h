// How the image and metadata functions reach the run: the host that the
// program carries, and through it the current image's metadata and the
// metadata definitions. Outside a run there is no host, and these give
// nothing (or empty tables), never a crash.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "metadata/metadata_definition.h"
#include "metadata/photo_metadata.h"
#include "script/builtins/builtin.h"
#include "script/image_host.h"

namespace velmora::script {

inline ImageHost* HostOf(BuiltinCall& call) { return call.program().image_host(); }

// The current image's metadata; nullptr without a host or a current image.
inline const metadata::PhotoMetadata* CurrentMetadata(BuiltinCall& call) {
  ImageHost* host = HostOf(call);
  return host != nullptr ? host->CurrentMetadata() : nullptr;
}

// The host's definitions, or empty tables without a host.
const metadata::MetadataDefinition& DefinitionsOf(BuiltinCall& call);

// Names of tags and datasets are matched without regard to case, as
// scripts write them ("datetimeoriginal").
bool SameName(std::string_view a, std::string_view b);

// A number argument as a 32-bit integer: INTEGER as it is, DOUBLE rounded;
// none for any other type.
std::optional<std::int32_t> WholeNumber(const Value& value);

}  // namespace velmora::script
