// The routine table: script name to routine, one line per internal function.
#include "script/builtins/builtin.h"
#include "script/builtins/arrays.h"
#include "script/builtins/comment_builtins.h"
#include "script/builtins/conversion.h"
#include "script/builtins/database.h"
#include "script/builtins/dates.h"
#include "script/builtins/drawing_builtins.h"
#include "script/builtins/exif_builtins.h"
#include "script/builtins/files.h"
#include "script/builtins/format.h"
#include "script/builtins/general.h"
#include "script/builtins/host.h"
#include "script/builtins/iptc_builtins.h"
#include "script/builtins/numbers.h"
#include "script/builtins/run_info_builtins.h"
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
      {"exif", kif_exif},         {"exifnice", kif_exifnice}, {"exifcount", kif_exifcount}, {"exiftag", kif_exiftag},
      {"exiftagname", kif_exiftagname}, {"exifcomponentcount", kif_exifcomponentcount},
      {"iptc", kif_iptc},         {"iptccount", kif_iptccount}, {"iptctag", kif_iptctag},
      {"iptctagname", kif_iptctagname}, {"dirinfo", kif_dirinfo}, {"imageinfo", kif_imageinfo},
      {"imagecommentkey", kif_imagecommentkey}, {"imagecomment", kif_imagecomment},
      {"imagecommentcount", kif_imagecommentcount},
      {"callstack", kif_callstack}, {"filenamepart", kif_filenamepart},
      {"rgb", kif_rgb},           {"rotate", kif_rotate},   {"flip", kif_flip},         {"drawrectangle", kif_drawrectangle},
      {"drawellipse", kif_drawellipse}, {"drawline", kif_drawline}, {"inqcolor", kif_inqcolor},
      // Beyond the numbered table: text made safe for pages.
      {"htmlencode", kif_htmlencode},
  };
  return kTable;
}

}  // namespace velmora::script
