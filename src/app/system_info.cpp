// Reading the machine's description for the start-up report.
#include "app/system_info.h"

#include <sys/utsname.h>

#include <fstream>
#include <sstream>

namespace velmora::app {
namespace {

std::optional<std::string> ReadWholeFile(const char* path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\"'");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\"'") - first + 1);
}

// Calls visit(name, value) for every "name<separator>value" line.
template <typename Visit>
void ForEachField(std::string_view text, char separator, Visit visit) {
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(start, end - start);
    const auto split = line.find(separator);
    if (split != std::string_view::npos) visit(Trim(line.substr(0, split)), Trim(line.substr(split + 1)));
    start = end + 1;
  }
}

}  // namespace

std::optional<std::string> ParseOsPrettyName(std::string_view os_release) {
  std::optional<std::string> name;
  ForEachField(os_release, '=', [&](std::string_view key, std::string_view value) {
    if (key == "PRETTY_NAME" && !value.empty()) name = std::string(value);
  });
  return name;
}

std::vector<ProcessorInfo> ParseProcessors(std::string_view cpuinfo) {
  std::vector<ProcessorInfo> processors;
  ForEachField(cpuinfo, ':', [&](std::string_view key, std::string_view value) {
    if (key == "processor") processors.emplace_back();
    else if (processors.empty()) return;
    else if (key == "model name") processors.back().name = std::string(value);
    else if (key == "cpu MHz") processors.back().clock_mhz = std::string(value);
  });
  // A processor whose name the kernel does not report is no line at all.
  std::erase_if(processors, [](const ProcessorInfo& p) { return p.name.empty(); });
  return processors;
}

std::optional<std::uint64_t> ParseMemoryTotalBytes(std::string_view meminfo) {
  std::optional<std::uint64_t> bytes;
  ForEachField(meminfo, ':', [&](std::string_view key, std::string_view value) {
    if (key != "MemTotal") return;
    try {
      std::size_t used = 0;
      const unsigned long long kib = std::stoull(std::string(value), &used);
      if (value.substr(used).find("kB") != std::string_view::npos) bytes = kib * 1024;
    } catch (const std::exception&) {
    }
  });
  return bytes;
}

std::optional<std::string> OperatingSystemName() {
  auto os_release = ReadWholeFile("/etc/os-release");
  std::optional<std::string> name = os_release ? ParseOsPrettyName(*os_release) : std::nullopt;
  utsname system{};
  if (uname(&system) == 0) {
    const std::string kernel = std::string(system.sysname) + " " + system.release;
    return name ? *name + ", " + kernel : kernel;
  }
  return name;
}

std::vector<ProcessorInfo> Processors() {
  auto cpuinfo = ReadWholeFile("/proc/cpuinfo");
  return cpuinfo ? ParseProcessors(*cpuinfo) : std::vector<ProcessorInfo>{};
}

std::optional<std::uint64_t> MemoryTotalBytes() {
  auto meminfo = ReadWholeFile("/proc/meminfo");
  return meminfo ? ParseMemoryTotalBytes(*meminfo) : std::nullopt;
}

std::string FormatThousands(std::uint64_t value) {
  const std::string digits = std::to_string(value);
  std::string grouped;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  return grouped;
}

}  // namespace velmora::app
