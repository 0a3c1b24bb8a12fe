// The start-up report written into the log: program version and location,
// operating system, processors, memory and the libraries in use.
#pragma once

#include <string>

namespace velmora::app {

// "2.11.00" -> "2.11.0": every ".0" becomes ".", as the report and the
// profile page show versions.
std::string ShortVersion(std::string version);

// Writes the report through WriteLog (nothing while no log is open).
void WriteStartupReport();

}  // namespace velmora::app
