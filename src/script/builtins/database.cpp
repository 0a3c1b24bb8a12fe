// `dbread([@DSN,] source, table, field [, condition])`: a data source name,
// or a database file opened through the ODBC driver for its type.
#include "script/builtins/database.h"

#include <system_error>
#include <vector>

#include "platform/log.h"
#include "platform/text_encoding.h"
#include "script/ansi.h"
#include "script/builtins/arguments.h"
#include "script/builtins/odbc_query.h"
#include "script/rls_array.h"

#ifndef VELMORA_ODBC_DRIVER_DIR
#define VELMORA_ODBC_DRIVER_DIR "/usr/lib/x86_64-linux-gnu/odbc"
#endif

namespace velmora::script {
namespace {

namespace fs = std::filesystem;

struct FileDriver {
  std::string_view extensions;  // lower case, each followed by "|"
  std::string_view name;        // as registered in odbcinst.ini
  std::string_view library;     // the driver itself, when it is not registered
  std::string_view file_key;    // the connection key for the database file
};

constexpr FileDriver kFileDrivers[] = {
    {".db|.sqlite|.sqlite3|.db3|", "SQLite3", "libsqlite3odbc.so", "Database"},
    {".mdb|.accdb|", "MDBTools", "libmdbodbc.so", "DBQ"},
};

// The connection texts for a database file: the registered driver first,
// then the driver library by path, so that a machine whose odbcinst.ini
// lacks the entry still reads the file. Empty for an unknown file type.
std::vector<std::string> FileConnections(const fs::path& file) {
  const std::string extension = AnsiLower(file.extension().string()) + "|";
  for (const FileDriver& driver : kFileDrivers) {
    if (extension.size() < 2 || driver.extensions.find(extension) == std::string_view::npos) continue;
    const std::string target = std::string(driver.file_key) + "=" + file.string() + ";";
    return {"DRIVER={" + std::string(driver.name) + "};" + target,
            "DRIVER=" + std::string(VELMORA_ODBC_DRIVER_DIR) + "/" + std::string(driver.library) + ";" + target};
  }
  return {};
}

}  // namespace

void kif_dbread(BuiltinCall& call) {
  if (!call.CheckCount(3, 5)) return;
  const Value& first = call.Arg(1);
  if (first.is(ValueType::kSymbol) && first.symbol() != kSymDsn) {
    return call.Fail(rterr::kParameter, "the only option before the source is @DSN");
  }
  const bool dsn = first.is(ValueType::kSymbol);
  const int at = dsn ? 2 : 1;
  if (call.count() < at + 2 || call.count() > at + 3) return call.Fail(rterr::kParameterCount);
  for (int k = at; k <= call.count(); ++k) {
    if (!call.Arg(k).is(ValueType::kString)) return call.Fail(rterr::kParametertype);
  }
  const std::string_view source = call.Arg(at).text();
  std::vector<std::string> connections;
  if (dsn) {
    if (source.empty() || source.find_first_of(";{}") != std::string_view::npos) {
      return call.Fail(rterr::kParameter, "invalid data source name \"" + std::string(source) + "\"");
    }
    // Where a data source leads is the ODBC configuration's business and cannot be
    // checked against folders: a restricted script reads only the sources the user named.
    if (!call.program().file_access().MayUseDataSource(source)) {
      WriteLog("RiloScript dbread: data source " + std::string(source) + " refused, not among those scripts may read");
      return call.Fail(rterr::kFileAccess, "DSN=" + std::string(source));
    }
    connections.push_back("DSN=" + Cp1252ToUtf8(source) + ";");
  } else {
    std::error_code ec;
    if (!CheckFileAccess(call, ScriptPath(source), FileUse::kRead)) return;
    const fs::path file = fs::absolute(ScriptPath(source), ec);
    // The SQLite driver would create a missing file; a typing error must not leave an empty database behind.
    if (ec || !fs::is_regular_file(file, ec)) {
      return call.Fail(rterr::kParameter, "database file not found: " + std::string(source));
    }
    if (file.string().find_first_of(";{}") != std::string::npos) {
      return call.Fail(rterr::kParameter, "the database file name holds \";\" or braces: " + std::string(source));
    }
    connections = FileConnections(file);
    if (connections.empty()) {
      return call.Fail(rterr::kParameter, "no database driver for this file type (.db, .sqlite, .mdb): " +
                                              std::string(source));
    }
  }
  std::string query = "Select " + std::string(call.Arg(at + 2).text()) + " From " + std::string(call.Arg(at + 1).text());
  if (call.count() == at + 3) query += " WHERE " + std::string(call.Arg(at + 3).text());
  OdbcResult result = RunOdbcQuery(connections, Cp1252ToUtf8(query));
  switch (result.status) {
    case OdbcResult::Status::kOk: break;
    case OdbcResult::Status::kFieldType: return call.Fail(rterr::kDatabaseField, result.message);
    default: return call.Fail(rterr::kParameter, result.message);
  }
  if (result.values.empty()) return call.Fail(rterr::kDatabaseType, query);
  if (result.values.size() == 1) return call.SetResult(std::move(result.values.front()));
  Value rows = Value::NewArray();
  ArrayRep& array = rows.MutableArray();
  array.elements.reserve(result.values.size());
  for (std::size_t i = 0; i < result.values.size(); ++i) array.Set(std::to_string(i + 1), std::move(result.values[i]));
  call.SetResult(std::move(rows));
}

}  // namespace velmora::script
