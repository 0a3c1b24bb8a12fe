// The routine table: script name to routine, one line per internal function.
#include "script/builtins/builtin.h"
#include "script/builtins/general.h"

namespace velmora::script {

std::span<const BuiltinEntry> BuiltinTable() {
  static constexpr BuiltinEntry kTable[] = {
      {"type", kif_type},
      {"len", kif_len},
  };
  return kTable;
}

}  // namespace velmora::script
