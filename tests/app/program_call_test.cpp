// Rebuilding the command line from the argument vector.
#include "app/program_call.h"

#include <gtest/gtest.h>

#include "app/command_arguments.h"

namespace velmora::app {
namespace {

TEST(ProgramCall, LinuxPathsBlanksAndQuotesSurviveTheTokenizer) {
  const auto call = ReadProgramCall({"/Basedir=/home/anna/Meine Bilder", "/Profile=Web \"2024\"", "/Logfile=",
                                     "/HTML_TITLE=a=b"});
  CommandArguments arguments;
  arguments.SetCommandLine(call.command_line);
  ASSERT_FALSE(arguments.Error()) << call.command_line;
  EXPECT_EQ(arguments.ItemParameter("Basedir"), "/home/anna/Meine Bilder");
  EXPECT_EQ(arguments.ItemParameter("Profile"), "Web \"2024\"");
  EXPECT_EQ(arguments.ItemParameter("Logfile"), "");
  EXPECT_EQ(arguments.ItemParameter("HTML_TITLE"), "a=b");
}

TEST(ProgramCall, OptionsAreTakenOutAndUtf8BecomesWindows1252) {
  const auto call = ReadProgramCall({"--ask", "/Basedir=/home/j\xC3\xBCrgen", "--version", "-h"});
  EXPECT_TRUE(call.ask);
  EXPECT_TRUE(call.version);
  EXPECT_TRUE(call.help);
  EXPECT_EQ(call.command_line, "/Basedir=\"/home/j\xFCrgen\"");
  EXPECT_TRUE(call.unconvertible.empty());
}

TEST(ProgramCall, ArgumentsOutsideWindows1252AreNamed) {
  const auto call = ReadProgramCall({"/Profile=Web", "/Basedir=/photos/\xE6\x9D\xB1\xE4\xBA\xAC"});
  EXPECT_EQ(call.unconvertible, "/Basedir=/photos/\xE6\x9D\xB1\xE4\xBA\xAC");
}

TEST(ProgramCall, SwitchesWithoutValueStayMalformed) {
  CommandArguments arguments;
  arguments.SetCommandLine(ReadProgramCall({"/Basedir"}).command_line);
  EXPECT_TRUE(arguments.Error());
}

}  // namespace
}  // namespace velmora::app
