// The machine description of the start-up report.
#include "app/system_info.h"

#include <gtest/gtest.h>

#include "app/startup_report.h"

namespace velmora::app {
namespace {

TEST(SystemInfo, ParsesOsReleaseCpuinfoAndMeminfo) {
  EXPECT_EQ(ParseOsPrettyName("NAME=\"Debian GNU/Linux\"\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n"),
            "Debian GNU/Linux 12 (bookworm)");
  EXPECT_EQ(ParseOsPrettyName("NAME=Debian\n"), std::nullopt);

  const auto processors = ParseProcessors(
      "processor\t: 0\nmodel name\t: Intel(R) Xeon(R)\ncpu MHz\t\t: 2300.000\n\n"
      "processor\t: 1\nmodel name\t: Intel(R) Xeon(R)\n\nprocessor\t: 2\nBogoMIPS\t: 100\n");
  ASSERT_EQ(processors.size(), 2u);
  EXPECT_EQ(processors[0].name, "Intel(R) Xeon(R)");
  EXPECT_EQ(processors[0].clock_mhz, "2300.000");
  EXPECT_EQ(processors[1].clock_mhz, "");

  EXPECT_EQ(ParseMemoryTotalBytes("MemTotal:       16318412 kB\nMemFree: 1 kB\n"), 16318412ull * 1024);
  EXPECT_EQ(ParseMemoryTotalBytes("MemFree: 1 kB\n"), std::nullopt);
}

TEST(SystemInfo, FormatsThousandsAndShortVersions) {
  EXPECT_EQ(FormatThousands(0), "0");
  EXPECT_EQ(FormatThousands(999), "999");
  EXPECT_EQ(FormatThousands(1000), "1,000");
  EXPECT_EQ(FormatThousands(16710053888ull), "16,710,053,888");
  EXPECT_EQ(ShortVersion("2.11.00"), "2.11.0");
  EXPECT_EQ(ShortVersion("2.09.02"), "2.9.2");
}

}  // namespace
}  // namespace velmora::app
