// What the start-up report tells about the machine, read from /etc/os-release
// and /proc. Each reader returns nothing when the source cannot be read, and
// the report leaves that line out.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::app {

struct ProcessorInfo {
  std::string name;
  std::string clock_mhz;  // as the kernel reports it, for example "2400.000"
};

// Parsers of the file contents, kept apart from the reading for tests.
std::optional<std::string> ParseOsPrettyName(std::string_view os_release);
std::vector<ProcessorInfo> ParseProcessors(std::string_view cpuinfo);
std::optional<std::uint64_t> ParseMemoryTotalBytes(std::string_view meminfo);

// "Debian GNU/Linux 12 (bookworm), Linux 6.1.0-18-amd64".
std::optional<std::string> OperatingSystemName();
std::vector<ProcessorInfo> Processors();
std::optional<std::uint64_t> MemoryTotalBytes();

// 1234567 -> "1,234,567".
std::string FormatThousands(std::uint64_t value);

}  // namespace velmora::app
