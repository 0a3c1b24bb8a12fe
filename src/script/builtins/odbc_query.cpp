// unixODBC behind `dbread`.
#include "script/builtins/odbc_query.h"

#include <sql.h>
#include <sqlext.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "platform/text_encoding.h"
#include "script/symbols.h"
#include "script/value_text.h"

namespace velmora::script {
namespace {

constexpr SQLULEN kLoginTimeoutSeconds = 15;

bool Succeeded(SQLRETURN rc) { return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO; }

// The diagnostic records of a handle as "[SQLSTATE] text", joined; the
// driver manager often puts a general warning before the real cause.
std::string Diagnostic(SQLSMALLINT type, SQLHANDLE handle) {
  std::string message;
  for (SQLSMALLINT record = 1; record <= 4; ++record) {
    SQLCHAR sql_state[6] = {};
    SQLINTEGER native = 0;
    SQLCHAR text[1024] = {};
    SQLSMALLINT length = 0;
    if (!Succeeded(SQLGetDiagRec(type, handle, record, sql_state, &native, text, sizeof text, &length))) break;
    if (!message.empty()) message += "; ";
    message += "[" + std::string(reinterpret_cast<const char*>(sql_state)) + "] " + reinterpret_cast<const char*>(text);
  }
  if (message.empty()) return "unknown database error";
  return Utf8ToCp1252(message).value_or(message);
}

// The open connections by connection text. Connecting loads the driver and
// reads its configuration; a script that calls dbread for every image would
// pay that each time, and some drivers leave their configuration cache
// behind on every unload. So connections stay open for the whole process
// (the pool is never destroyed), a few at most.
class ConnectionPool {
 public:
  static ConnectionPool& Instance() {
    static ConnectionPool* pool = new ConnectionPool;
    return *pool;
  }

  // The connection for `text`, opened when needed; null with the diagnostic in `message`.
  SQLHDBC Get(const std::string& text, std::string& message) {
    for (const Open& open : open_) {
      if (open.text == text) return open.dbc;
    }
    if (env_ == SQL_NULL_HENV) {
      message = "the ODBC driver manager cannot be started";
      return SQL_NULL_HDBC;
    }
    SQLHDBC dbc = SQL_NULL_HDBC;
    if (!Succeeded(SQLAllocHandle(SQL_HANDLE_DBC, env_, &dbc))) {
      message = Diagnostic(SQL_HANDLE_ENV, env_);
      return SQL_NULL_HDBC;
    }
    SQLSetConnectAttr(dbc, SQL_ATTR_LOGIN_TIMEOUT, reinterpret_cast<SQLPOINTER>(kLoginTimeoutSeconds), 0);
    SQLCHAR out[1024];
    SQLSMALLINT out_length = 0;
    std::string in = text;
    const SQLRETURN rc = SQLDriverConnect(dbc, nullptr, reinterpret_cast<SQLCHAR*>(in.data()), SQL_NTS, out,
                                          sizeof out, &out_length, SQL_DRIVER_NOPROMPT);
    if (!Succeeded(rc)) {
      message = Diagnostic(SQL_HANDLE_DBC, dbc);
      SQLFreeHandle(SQL_HANDLE_DBC, dbc);
      return SQL_NULL_HDBC;
    }
    if (open_.size() >= kMaxOpen) Close(open_.front().text);
    open_.push_back(Open{text, dbc});
    return dbc;
  }

  // After a failure of the connection itself, so that the next call connects afresh.
  void Close(const std::string& text) {
    for (auto it = open_.begin(); it != open_.end(); ++it) {
      if (it->text != text) continue;
      SQLDisconnect(it->dbc);
      SQLFreeHandle(SQL_HANDLE_DBC, it->dbc);
      open_.erase(it);
      return;
    }
  }

 private:
  ConnectionPool() {
    if (Succeeded(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env_))) {
      SQLSetEnvAttr(env_, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    }
  }

  static constexpr std::size_t kMaxOpen = 8;
  struct Open {
    std::string text;
    SQLHDBC dbc;
  };
  SQLHENV env_ = SQL_NULL_HENV;
  std::vector<Open> open_;
};

// One statement, freed whatever way the query ends.
class Statement {
 public:
  explicit Statement(SQLHDBC dbc) : dbc_(dbc) {}
  ~Statement() {
    if (stmt_ != SQL_NULL_HSTMT) SQLFreeHandle(SQL_HANDLE_STMT, stmt_);
  }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  // False with the diagnostic in `message`; `connection_lost` for SQLSTATE class 08.
  bool Execute(const std::string& query, std::string& message, bool& connection_lost) {
    if (!Succeeded(SQLAllocHandle(SQL_HANDLE_STMT, dbc_, &stmt_))) {
      message = Diagnostic(SQL_HANDLE_DBC, dbc_);
      connection_lost = true;
      return false;
    }
    std::string text = query;
    const SQLRETURN rc = SQLExecDirect(stmt_, reinterpret_cast<SQLCHAR*>(text.data()), SQL_NTS);
    if (!Succeeded(rc) && rc != SQL_NO_DATA) {
      message = Diagnostic(SQL_HANDLE_STMT, stmt_);
      connection_lost = message.starts_with("[08");
      return false;
    }
    return true;
  }

  SQLHSTMT handle() const { return stmt_; }

 private:
  SQLHDBC dbc_;
  SQLHSTMT stmt_ = SQL_NULL_HSTMT;
};

enum class Kind { kInteger, kBigInteger, kDouble, kText, kDate, kTime, kUnsupported };

Kind KindOf(SQLSMALLINT type) {
  switch (type) {
    case SQL_INTEGER: case SQL_SMALLINT: case SQL_TINYINT: case SQL_BIT: return Kind::kInteger;
    case SQL_BIGINT: return Kind::kBigInteger;
    case SQL_REAL: case SQL_FLOAT: case SQL_DOUBLE: case SQL_DECIMAL: case SQL_NUMERIC: return Kind::kDouble;
    case SQL_CHAR: case SQL_VARCHAR: case SQL_LONGVARCHAR:
    case SQL_WCHAR: case SQL_WVARCHAR: case SQL_WLONGVARCHAR: return Kind::kText;
    case SQL_TYPE_DATE: case SQL_TYPE_TIMESTAMP: case SQL_DATE: case SQL_TIMESTAMP: return Kind::kDate;
    case SQL_TYPE_TIME: case SQL_TIME: return Kind::kTime;
    default: return Kind::kUnsupported;
  }
}

// Text in pieces: a long memo field does not fit one buffer.
bool ReadText(SQLHSTMT stmt, std::string& text, bool& null) {
  char buffer[4096];
  SQLLEN indicator = 0;
  for (;;) {
    const SQLRETURN rc = SQLGetData(stmt, 1, SQL_C_CHAR, buffer, sizeof buffer, &indicator);
    if (rc == SQL_NO_DATA) return true;
    if (!Succeeded(rc)) return false;
    if (indicator == SQL_NULL_DATA) {
      null = true;
      return true;
    }
    const std::size_t chunk = indicator == SQL_NO_TOTAL || indicator >= static_cast<SQLLEN>(sizeof buffer)
                                  ? sizeof buffer - 1
                                  : static_cast<std::size_t>(indicator);
    text.append(buffer, chunk);
    if (rc == SQL_SUCCESS) return true;
    if (text.size() > kMaxStringBytes) return false;
  }
}

// The first column of the current row; false after a driver error.
bool ReadCell(SQLHSTMT stmt, Kind kind, Value& value) {
  SQLLEN indicator = 0;
  SQLRETURN rc = SQL_SUCCESS;
  switch (kind) {
    case Kind::kInteger: {
      SQLINTEGER v = 0;
      rc = SQLGetData(stmt, 1, SQL_C_SLONG, &v, 0, &indicator);
      value = Value::Integer(v);
      break;
    }
    case Kind::kBigInteger: {
      SQLBIGINT v = 0;
      rc = SQLGetData(stmt, 1, SQL_C_SBIGINT, &v, 0, &indicator);
      const bool fits = v >= std::numeric_limits<std::int32_t>::min() && v <= std::numeric_limits<std::int32_t>::max();
      value = fits ? Value::Integer(static_cast<std::int32_t>(v)) : Value::Double(static_cast<double>(v));
      break;
    }
    case Kind::kDouble: {
      double v = 0;
      rc = SQLGetData(stmt, 1, SQL_C_DOUBLE, &v, 0, &indicator);
      value = Value::Double(v);
      break;
    }
    case Kind::kDate: {
      SQL_TIMESTAMP_STRUCT t{};
      rc = SQLGetData(stmt, 1, SQL_C_TYPE_TIMESTAMP, &t, sizeof t, &indicator);
      value = Value::Date(MakeDate(t.year, t.month, t.day, t.hour, t.minute, t.second));
      break;
    }
    case Kind::kTime: {
      SQL_TIME_STRUCT t{};
      rc = SQLGetData(stmt, 1, SQL_C_TYPE_TIME, &t, sizeof t, &indicator);
      value = Value::Date((t.hour * 3600.0 + t.minute * 60.0 + t.second) / 86400.0);
      break;
    }
    default: {
      std::string text;
      bool null = false;
      if (!ReadText(stmt, text, null)) return false;
      // Drivers hand out UTF-8; a text that is not stays as its bytes.
      value = null ? Value::Symbol(kSymEmpty) : Value::String(Utf8ToCp1252(text).value_or(text));
      return true;
    }
  }
  if (!Succeeded(rc)) return false;
  if (indicator == SQL_NULL_DATA) value = Value::Symbol(kSymEmpty);
  return true;
}

}  // namespace

OdbcResult RunOdbcQuery(std::span<const std::string> connections, const std::string& query) {
  OdbcResult result;
  ConnectionPool& pool = ConnectionPool::Instance();
  SQLHDBC dbc = SQL_NULL_HDBC;
  const std::string* used = nullptr;
  for (const std::string& connection : connections) {
    // A later form is a fallback for a driver that the first could not load;
    // its complaint is the more specific one.
    dbc = pool.Get(connection, result.message);
    if (dbc != SQL_NULL_HDBC) {
      used = &connection;
      break;
    }
  }
  if (dbc == SQL_NULL_HDBC) {
    result.status = OdbcResult::Status::kConnectFailed;
    return result;
  }
  result.message.clear();
  Statement statement(dbc);
  bool connection_lost = false;
  if (!statement.Execute(query, result.message, connection_lost)) {
    if (connection_lost) pool.Close(*used);
    result.status = OdbcResult::Status::kQueryFailed;
    return result;
  }
  const SQLHSTMT stmt = statement.handle();
  SQLSMALLINT columns = 0;
  SQLNumResultCols(stmt, &columns);
  if (columns < 1) {
    result.status = OdbcResult::Status::kQueryFailed;
    result.message = "the statement returns no field";
    return result;
  }
  SQLCHAR name[256];
  SQLSMALLINT name_length = 0, type = 0, digits = 0, nullable = 0;
  SQLULEN size = 0;
  SQLDescribeCol(stmt, 1, name, sizeof name, &name_length, &type, &size, &digits, &nullable);
  const Kind kind = KindOf(type);
  if (kind == Kind::kUnsupported) {
    result.status = OdbcResult::Status::kFieldType;
    result.message = "SQL type " + std::to_string(type);
    return result;
  }
  std::size_t bytes = 0;
  for (;;) {
    const SQLRETURN rc = SQLFetch(stmt);
    if (rc == SQL_NO_DATA) break;
    Value value;
    if (!Succeeded(rc) || !ReadCell(stmt, kind, value)) {
      result.status = OdbcResult::Status::kQueryFailed;
      result.message = Diagnostic(SQL_HANDLE_STMT, stmt);
      return result;
    }
    bytes += value.is(ValueType::kString) ? value.text().size() + 16 : 16;
    if (bytes > kMaxStringBytes) {
      result.status = OdbcResult::Status::kTooLarge;
      result.message = "the result is too large";
      return result;
    }
    result.values.push_back(std::move(value));
  }
  return result;
}

}  // namespace velmora::script
