// The routine table: script name to routine, one line per internal function.
#include "script/builtins/builtin.h"
#include "script/builtins/arrays.h"
#include "script/builtins/conversion.h"
#include "script/builtins/database.h"
#include "script/builtins/dates.h"
#include "script/builtins/files.h"
#include "script/builtins/format.h"
#include "script/builtins/general.h"
#include "script/builtins/host.h"
#include "script/builtins/numbers.h"
#include "script/builtins/text.h"

namespace velmora::script {

std::span<const BuiltinEntry> BuiltinTable() {
  static constexpr BuiltinEntry kTable[] = {
      {"type", kif_type},         {"integer", kif_integer}, {"double", kif_double},     {"string", kif_string},
      {"symbol", kif_symbol},     {"date", kif_date},       {"remove", kif_remove},     {"clear", kif_clear},
      {"read", kif_read},         {"write", kif_write},     {"exist", kif_exist},       {"input", kif_input},
      {"sin", kif_sin},           {"cos", kif_cos},         {"tan", kif_tan},           {"ln", kif_ln},
      {"log", kif_log},           {"sqrt", kif_sqrt},       {"pow", kif_pow},           {"asin", kif_asin},
      {"acos", kif_acos},         {"atan", kif_atan},       {"exp", kif_exp},           {"convert", kif_convert},
      {"random", kif_random},     {"abs", kif_abs},         {"min", kif_min},           {"max", kif_max},
      {"now", kif_now},           {"datepart", kif_datepart}, {"mid", kif_mid},         {"index", kif_index},
      {"replace", kif_replace},   {"format", kif_format},   {"len", kif_len},           {"upper", kif_upper},
      {"lower", kif_lower},       {"trim", kif_trim},       {"split", kif_split},       {"urlencode", kif_urlencode},
      {"dbread", kif_dbread},
      // 42 to 56 and 59 to 65: the image and metadata functions.
      {"callstack", kif_callstack}, {"filenamepart", kif_filenamepart},
      // Beyond the numbered table: text made safe for pages.
      {"htmlencode", kif_htmlencode},
  };
  return kTable;
}

}  // namespace velmora::script
