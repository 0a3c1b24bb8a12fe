#include "platform/cp1252_text.h"
#include "platform/error_text.h"
#include "platform/native_path.h"
#include "platform/path_join.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

// Names cross between the program's Windows-1252 texts and UTF-8 file names
// in both directions without losing a byte.
TEST(Cp1252Text, NamesCrossToNativePathsAndBack) {
  const Cp1252Text name(std::string("M\xFCnchen \x80"));  // u-umlaut and euro sign
  EXPECT_EQ(ToNativePath(name).string(), "M\xC3\xBCnchen \xE2\x82\xAC");
  EXPECT_EQ(FromNativePath(ToNativePath(name)), name);
  EXPECT_EQ(name.ToUtf8(), ToNativePath(name).string());
}

TEST(Cp1252Text, NativeNamesOutsideCp1252AreRefusedOrSpelledOut) {
  const std::filesystem::path tokyo("/photos/\xE6\x9D\xB1");
  EXPECT_FALSE(FromNativePath(tokyo).has_value());
  EXPECT_EQ(FromNativePathOrBytes(tokyo).bytes(), "/photos/\xE6\x9D\xB1");
  EXPECT_EQ(DisplayPath(tokyo).bytes(), "/photos/\\u{6771}");
  EXPECT_EQ(DisplayPath("/a/b\xFF").bytes(), "/a/b\\xFF");
  EXPECT_FALSE(Cp1252Text::FromUtf8("\xC3").has_value());
}

TEST(Cp1252Text, NumbersLiteralsAndSystemReasons) {
  EXPECT_EQ(Cp1252Text::Number(-28).bytes(), "-28");
  EXPECT_EQ(Cp1252Text::Number(std::uint64_t{18446744073709551615u}).bytes(), "18446744073709551615");
  EXPECT_EQ((Cp1252Text::Ascii("a") + Cp1252Text(std::string("\xE4"))).bytes(), "a\xE4");
  const std::error_code full = std::make_error_code(std::errc::no_space_on_device);
  EXPECT_EQ(ErrorReason(full).bytes(), full.message());
  EXPECT_EQ(ErrorNumberWithReason(full).bytes(), std::to_string(full.value()) + " (" + full.message() + ")");
}

// One join for every folder and name of a run: the folder of a level-0 run
// is ".", folders may come with or without a closing slash.
TEST(PathJoin, FolderAndNameMeetWithExactlyOneSlash) {
  EXPECT_EQ(Join("/photos", "Rom"), "/photos/Rom");
  EXPECT_EQ(Join("/photos/", "Rom"), "/photos/Rom");
  EXPECT_EQ(Join("/", "Rom"), "/Rom");
  EXPECT_EQ(Join("/photos", "."), "/photos");
  EXPECT_EQ(Join("/photos", ""), "/photos");
  EXPECT_EQ(Join("", "Rom/a.jpg"), "Rom/a.jpg");
  EXPECT_EQ(Join("html", "Rom/Tag 1"), "html/Rom/Tag 1");
  EXPECT_EQ(Join(Cp1252Text(std::string("/Fotos/K\xF6ln")), Cp1252Text::Ascii("Dom.vls")).bytes(), "/Fotos/K\xF6ln/Dom.vls");
}

}  // namespace
}  // namespace velmora
