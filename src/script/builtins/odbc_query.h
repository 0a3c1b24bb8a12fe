// One query through unixODBC: connect with a connection text, run the
// statement and collect the first column of every row as script values.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "script/value.h"

namespace velmora::script {

struct OdbcResult {
  enum class Status { kOk, kConnectFailed, kQueryFailed, kFieldType, kTooLarge };
  Status status = Status::kOk;
  std::string message;  // the driver's diagnostic text after a failure
  std::vector<Value> values;
};

// Tries the connection texts in order until one connects; runs `query` on
// that connection. Integers become INTEGER (DOUBLE beyond 32 bits), decimals DOUBLE,
// texts STRING in Windows-1252, dates and times DATE, NULL the symbol
// @EMPTY; a binary or unknown column type is kFieldType.
OdbcResult RunOdbcQuery(std::span<const std::string> connections, const std::string& query);

}  // namespace velmora::script
