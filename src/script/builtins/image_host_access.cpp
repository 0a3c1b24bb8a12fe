// Reaching the run's images from the built-ins.
#include "script/builtins/image_host_access.h"

#include "script/ansi.h"
#include "script/builtins/arguments.h"

namespace velmora::script {

const metadata::MetadataDefinition& DefinitionsOf(BuiltinCall& call) {
  static const metadata::MetadataDefinition kNone;
  ImageHost* host = HostOf(call);
  return host != nullptr ? host->Definitions() : kNone;
}

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && AnsiLower(a) == AnsiLower(b);
}

std::optional<std::int32_t> WholeNumber(const Value& value) {
  if (value.is(ValueType::kInteger)) return value.integer();
  if (value.is(ValueType::kDouble)) return RoundToInt32(value.real());
  return std::nullopt;
}

}  // namespace velmora::script
