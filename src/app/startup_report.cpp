// The start-up report.
#include "app/startup_report.h"

#include "app/component_versions.h"
#include "platform/log.h"
#include "platform/program_paths.h"
#include "app/system_info.h"
#include "app/version.h"

namespace velmora::app {
namespace {

constexpr std::string_view kProgramDescription = "Batch photo processing and web gallery generator for Linux";

}  // namespace

std::string ShortVersion(std::string version) {
  for (auto pos = version.find(".0"); pos != std::string::npos; pos = version.find(".0", pos + 1)) {
    version.replace(pos, 2, ".");
  }
  return version;
}

void WriteStartupReport() {
  const std::string prefix = "Determinating Versioninfo ";
  WriteLog(prefix + "START");
  WriteLog("Velmora Version " + ShortVersion(std::string(kProgramVersionText)));
  WriteLog("Velmora additional Information " + std::string(kProgramDescription));
  WriteLog("Velmora Location " + ExecutableDirectory().string());
  // Installed, the data lies apart from the executable (../share/velmora).
  WriteLog("Velmora Data " + ProgramDirectory().string());
  if (auto system = OperatingSystemName()) WriteLog("Operating System " + *system);
  for (const ProcessorInfo& processor : Processors()) {
    WriteLog("Processor " + processor.name +
             (processor.clock_mhz.empty() ? std::string() : " ClockSpeed " + processor.clock_mhz + " MHz"));
  }
  if (auto memory = MemoryTotalBytes()) WriteLog("Memory " + FormatThousands(*memory) + " Bytes");
  for (const ComponentVersion& component : RuntimeComponents()) {
    WriteLog(prefix + component.file + " START");
    WriteLog(prefix + component.file + " " + component.version);
  }
  WriteLog(prefix + "END");
}

}  // namespace velmora::app
