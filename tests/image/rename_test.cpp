#include <gtest/gtest.h>

#include "image/rename/rename_check.h"
#include "image/rename/rename_name.h"

namespace velmora::image {
namespace {

std::string Name(std::string_view mask, std::string_view file, std::int64_t number, std::string_view find = "",
                 std::string_view replace = "", int case_code = 0, int digits = 4) {
  return RenameName(mask, digits, find, replace, case_code, "Urlaub", file, number);
}

TEST(RenameName, CounterIsPaddedButNeverCut) {
  EXPECT_EQ(Name("clone_#", "IMG_1", 7), "clone_0007");
  EXPECT_EQ(Name("clone_#", "IMG_1", 12345), "clone_12345");
  EXPECT_EQ(Name("#", "x", 3, "", "", 0, 0), "3");
  EXPECT_EQ(Name("#", "x", 0, "", "", 0, 1), "0");
  EXPECT_EQ(Name("#-#", "x", 42, "", "", 0, -5), "42-42");
}

TEST(RenameName, PlaceholdersExpandOnceAndOtherCharactersAreCopied) {
  EXPECT_EQ(Name("%_$", "IMG_0001", 1), "Urlaub_IMG_0001");
  // Placeholder characters inside the directory or file name stay as they are.
  EXPECT_EQ(RenameName("%-$-#", 2, "", "", 0, "50% off", "shot #3 $", 9), "50% off-shot #3 $-09");
  EXPECT_EQ(Name("Bild.", "x", 1), "Bild.");
  EXPECT_EQ(Name("", "x", 1), "");
}

TEST(RenameName, FindAndReplaceInTheFileName) {
  EXPECT_EQ(Name("$", "IMG_0001", 1, "IMG_", "Rom-"), "Rom-0001");
  // Two finds, one replacement: the second find is removed.
  EXPECT_EQ(Name("$", "IMG_0001_edit", 1, "IMG_,_edit", "Rom-"), "Rom-0001");
  // Three finds, one replacement: the lists do not match, nothing is replaced.
  EXPECT_EQ(Name("$", "IMG_0001_edit", 1, "IMG_,_edit,0", "Rom-"), "IMG_0001_edit");
  // Entries apply in turn, each on the result of the one before.
  EXPECT_EQ(Name("$", "abc", 1, "a,xb", "x,y"), "yc");
  // Replacement text is not searched again (no endless growth).
  EXPECT_EQ(Name("$", "aaa", 1, "a", "aa"), "aaaaaa");
  // An empty find entry finds nothing.
  EXPECT_EQ(Name("$", "abc", 1, ",b", "X,Y"), "aYc");
}

TEST(RenameName, WithoutFileNamePlaceholderFindAndReplaceDoNothing) {
  EXPECT_EQ(Name("%_#", "IMG_0001", 5, "Urlaub", "X"), "Urlaub_0005");
}

TEST(RenameName, LetterCaseDecidesHowFindMatches) {
  // Case code 0: exact match only.
  EXPECT_EQ(Name("$", "img_IMG", 1, "IMG", "x"), "img_x");
  // Case codes 1 and 2 match regardless of case, including German umlauts.
  EXPECT_EQ(Name("$", "img_IMG", 1, "IMG", "x", 1), "x_x");
  EXPECT_EQ(Name("$", "\xC4pfel_\xE4pfel", 1, "\xE4pfel", "Birne", 2), "BIRNE_BIRNE");
  EXPECT_EQ(Name("%_$", "\xD6L", 1, "", "", 1), "urlaub_\xF6l");
}

TEST(RenameSettingsTexts, NumbersThatCannotBeReadCountAsZero) {
  const RenameSettings s = RenameSettings::FromTexts("clone_#", "abc", "", "", "2");
  EXPECT_EQ(s.digits, 0);
  EXPECT_EQ(s.case_code, 2);
  EXPECT_EQ(RenameSettings::FromTexts("m", " 6", "", "", "").digits, 6);
}

TEST(RenameCheck, ReportsTheFirstProblemByMessageKey) {
  RenameSettings s{"clone_#", 4, "", "", 0};
  EXPECT_EQ(CheckRenameSettings(s), std::nullopt);
  s.mask = "";
  EXPECT_EQ(CheckRenameSettings(s), "ErrRenameClonesMaskMissing");
  s.mask = "gallery_%";  // neither counter nor file name
  EXPECT_EQ(CheckRenameSettings(s), "ErrRenameClonesNotUnique");
  s.mask = "$";
  s.find = "DATEI1,DATEI2";
  s.replace = "x,x";  // both samples end up the same
  EXPECT_EQ(CheckRenameSettings(s), "ErrRenameClonesNotUnique");
  s = {"clone:#", 4, "", "", 0};
  EXPECT_EQ(CheckRenameSettings(s), "ErrRenameClonesNameInvalid");
  s = {"$", 4, "DATEI", "a/b", 0};  // the replacement brings in a path separator
  EXPECT_EQ(CheckRenameSettings(s), "ErrRenameClonesNameInvalid");
  s = {"$_#", 4, "A,B", "x", 0};  // the name builder would accept this; a run does not
  EXPECT_EQ(CheckRenameSettings(s), "ErrRenameClonesFindReplaceCount");
  s = {"$_#", 4, "", "x", 0};
  EXPECT_EQ(CheckRenameSettings(s), std::nullopt);
}

TEST(RenameCheck, ValidFileNames) {
  EXPECT_TRUE(IsValidRenamedFileName("clone_0001"));
  EXPECT_TRUE(IsValidRenamedFileName("Gr\xFC\xDF" "e 100%"));
  EXPECT_FALSE(IsValidRenamedFileName(""));
  EXPECT_FALSE(IsValidRenamedFileName(" clone"));
  EXPECT_FALSE(IsValidRenamedFileName("clone "));
  EXPECT_FALSE(IsValidRenamedFileName("$clone"));
  EXPECT_TRUE(IsValidRenamedFileName("clone$"));
  for (const char* bad : {"a\"b", "a/b", "a\\b", "a:b", "a|b", "a<b", "a>b", "a*b", "a?b", "a\tb"}) {
    EXPECT_FALSE(IsValidRenamedFileName(bad)) << bad;
  }
  EXPECT_TRUE(IsValidRenamedFileName(std::string(255, 'a')));
  EXPECT_FALSE(IsValidRenamedFileName(std::string(256, 'a')));
  RenameSettings many_digits{"#", 300, "", "", 0};
  EXPECT_EQ(CheckRenameSettings(many_digits), "ErrRenameClonesNameInvalid");
}

}  // namespace
}  // namespace velmora::image
