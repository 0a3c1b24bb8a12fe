#include <gtest/gtest.h>

#include <map>
#include <string>

#include "image/clone_list/clone_list.h"

namespace velmora::image {
namespace {

std::map<std::string, std::string> AsMap(const CloneItem& item) {
  std::map<std::string, std::string> map;
  for (const auto& [key, value] : item.ProfileProperties()) map[key] = value;
  return map;
}

// Writes every property of `from` into a fresh item of the same class, the way a
// profile save followed by a load does.
std::unique_ptr<CloneItem> RoundTrip(const CloneItem& from) {
  const auto properties = from.ProfileProperties();
  auto to = NewCloneItemForDescriptionKey(properties.front().first);
  EXPECT_NE(to, nullptr);
  for (const auto& [key, value] : properties) {
    EXPECT_EQ(to->SetProfileProperty(key, value), PropertyResult::kApplied) << key;
  }
  return to;
}

TEST(CloneItemDefaults, TextStampStartsWithItsDocumentedValues) {
  CTextStamp stamp;
  EXPECT_TRUE(stamp.Changed());
  const auto p = AsMap(stamp);
  EXPECT_EQ(p.at("STAMP_TEXT_DESCRIPTION"), "Textstamp");
  EXPECT_EQ(p.at("STAMP_TEXT"), "Text");
  EXPECT_EQ(p.at("STAMP_TEXT_FONT"), "Arial");
  EXPECT_EQ(p.at("STAMP_TEXT_HEIGHT"), "15");
  EXPECT_EQ(p.at("STAMP_TEXT_OFFSETX"), "10");
  EXPECT_EQ(p.at("STAMP_TEXT_COLOR"), "16777215");
  EXPECT_EQ(p.at("STAMP_TEXT_WEIGHT"), "400");
  EXPECT_EQ(p.at("STAMP_TEXT_ITALIC"), "0");
  EXPECT_EQ(p.at("STAMP_TEXT_BACKGROUND_COLOR"), "255");
  EXPECT_EQ(p.at("STAMP_TEXT_BORDER_COLOR"), "65280");
  EXPECT_EQ(p.at("STAMP_TEXT_BORDER_WIDTH"), "1");
  EXPECT_EQ(stamp.ProfileProperties().size(), 22u);
}

TEST(CloneItemDefaults, ImageStampBorderAndEffect) {
  CImageStamp stamp;
  EXPECT_EQ(stamp.Description(), "Image");
  EXPECT_EQ(stamp.Name(), "");
  EXPECT_EQ(stamp.Opacity(), 50);
  EXPECT_EQ(stamp.TransparentColor(), 16777215);
  EXPECT_EQ(stamp.ProfileProperties().size(), 10u);

  CBorder border;
  EXPECT_EQ(border.Description(), "Border");
  EXPECT_EQ(border.Position(), 15);
  EXPECT_EQ(border.Width(), 10);
  EXPECT_EQ(border.Opacity(), 50);
  EXPECT_EQ(border.ProfileProperties().size(), 14u);

  CBildEffekt effect;
  EXPECT_EQ(effect.Description(), "Imageeffect");
  EXPECT_EQ(effect.EffectCode(), effect_code::kSharpen);
  EXPECT_EQ(effect.LongArray(1), 50);
  EXPECT_EQ(effect.LongArray(2), 7);
  EXPECT_EQ(effect.ProfileProperties().size(), 22u);
}

TEST(CloneItemProfile, SaveOrderStartsWithTheDescriptionAndNumbersParametersWithTwoDigits) {
  const auto properties = CBildEffekt().ProfileProperties();
  EXPECT_EQ(properties[0].first, "IMAGE_EFFECT_DESCRIPTION");
  EXPECT_EQ(properties[1].first, "IMAGE_EFFECT_TYPE");
  EXPECT_EQ(properties[2].first, "IMAGE_EFFECT_LONGVALUE_01");
  EXPECT_EQ(properties[11].first, "IMAGE_EFFECT_LONGVALUE_10");
  EXPECT_EQ(properties[12].first, "IMAGE_EFFECT_DOUBLEVALUE_01");
  EXPECT_EQ(properties[21].first, "IMAGE_EFFECT_DOUBLEVALUE_10");
  EXPECT_EQ(CBorder().ProfileProperties()[13].first, "BORDER_IMAGE_ARRANGEMENT");
  EXPECT_EQ(CImageStamp().ProfileProperties()[1].first, "STAMP_IMAGE");
}

TEST(CloneItemProfile, EveryClassSurvivesASaveAndLoadWithChangedValues) {
  CTextStamp text;
  text.SetText("Line one\r\nLine two");
  text.SetItalic(true);
  text.SetOffsetX(-9999);
  text.SetColor(123456);
  CBorder border;
  border.SetImageName("/photos/frame wood.png");
  border.SetColorFromImage(true);
  border.SetOffsetBottom(9999);
  CImageStamp stamp;
  stamp.SetName("logo.png");
  stamp.SetTransparenzFarbtoleranz(12);
  CBildEffekt effect;
  effect.SetEffectCode(effect_code::kUnsharpMask);
  effect.SetDoubleArray(1, 0.1);
  effect.SetDoubleArray(10, -1e-7);
  effect.SetLongArray(10, -2147483647 - 1);

  for (const CloneItem* item : {static_cast<const CloneItem*>(&text), static_cast<const CloneItem*>(&border),
                                static_cast<const CloneItem*>(&stamp), static_cast<const CloneItem*>(&effect)}) {
    const auto copy = RoundTrip(*item);
    EXPECT_EQ(copy->Kind(), item->Kind());
    EXPECT_EQ(copy->ProfileProperties(), item->ProfileProperties());
  }
  const auto back = RoundTrip(effect);
  EXPECT_EQ(static_cast<const CBildEffekt&>(*back).DoubleArray(1), 0.1);
  EXPECT_EQ(AsMap(effect).at("IMAGE_EFFECT_DOUBLEVALUE_01"), "0.1");
  EXPECT_EQ(AsMap(effect).at("IMAGE_EFFECT_DOUBLEVALUE_02"), "2");
}

TEST(CloneItemProfile, ReadsGermanDecimalCommaAndRejectsText) {
  CBildEffekt effect;
  effect.SetEffectCode(effect_code::kGamma);
  EXPECT_EQ(effect.SetProfileProperty("IMAGE_EFFECT_DOUBLEVALUE_01", "1,5"), PropertyResult::kApplied);
  EXPECT_EQ(effect.DoubleArray(1), 1.5);
  EXPECT_EQ(effect.SetProfileProperty("IMAGE_EFFECT_DOUBLEVALUE_01", "abc"), PropertyResult::kBadValue);
  EXPECT_EQ(effect.SetProfileProperty("IMAGE_EFFECT_DOUBLEVALUE_01", "1,5,0"), PropertyResult::kBadValue);
  EXPECT_EQ(effect.SetProfileProperty("IMAGE_EFFECT_DOUBLEVALUE_01", "nan"), PropertyResult::kBadValue);
  EXPECT_EQ(effect.DoubleArray(1), 1.5);
  EXPECT_EQ(effect.SetProfileProperty("IMAGE_EFFECT_LONGVALUE_01", "1.5"), PropertyResult::kBadValue);
  EXPECT_EQ(effect.SetProfileProperty("IMAGE_EFFECT_LONGVALUE_01", "2147483648"), PropertyResult::kBadValue);
  EXPECT_EQ(effect.SetProfileProperty("IMAGE_EFFECT_LONGVALUE_01", ""), PropertyResult::kBadValue);
  EXPECT_EQ(effect.SetProfileProperty("IMAGE_EFFECT_LONGVALUE_01", " -12 "), PropertyResult::kApplied);
  EXPECT_EQ(effect.LongArray(1), -12);
}

TEST(CloneItemProfile, KeysOfOtherClassesAndUnknownKeysAreNotApplied) {
  CTextStamp text;
  EXPECT_EQ(text.SetProfileProperty("BORDER_COLOR", "0"), PropertyResult::kUnknownKey);
  EXPECT_EQ(text.SetProfileProperty("STAMP_TEXT_NONSENSE", "0"), PropertyResult::kUnknownKey);
  CBildEffekt effect;
  EXPECT_EQ(effect.SetProfileProperty("IMAGE_EFFECT_LONGVALUE_11", "1"), PropertyResult::kUnknownKey);
  EXPECT_EQ(effect.SetProfileProperty("IMAGE_EFFECT_LONGVALUE_00", "1"), PropertyResult::kUnknownKey);
  // A text property takes any text, even one that looks like a number or is empty.
  EXPECT_EQ(text.SetProfileProperty("STAMP_TEXT_FONT", ""), PropertyResult::kApplied);
  EXPECT_EQ(text.Font(), "");
}

TEST(CloneItemProfile, ContinuationLinesExtendOnlyTheStampText) {
  CTextStamp text;
  ASSERT_EQ(text.SetProfileProperty("STAMP_TEXT", "first"), PropertyResult::kApplied);
  EXPECT_TRUE(text.AppendContinuation("second"));
  EXPECT_TRUE(text.AppendContinuation(""));
  EXPECT_EQ(text.Text(), "first\r\nsecond\r\n");
  CBorder border;
  EXPECT_FALSE(border.AppendContinuation("x"));
  EXPECT_EQ(border.Description(), "Border");
}

TEST(CloneItemFactory, DescriptionKeysAndPrefixes) {
  EXPECT_EQ(NewCloneItemForDescriptionKey("STAMP_TEXT_DESCRIPTION")->Kind(), CloneItemKind::kTextStamp);
  EXPECT_EQ(NewCloneItemForDescriptionKey("STAMP_IMAGE_DESCRIPTION")->Kind(), CloneItemKind::kImageStamp);
  EXPECT_EQ(NewCloneItemForDescriptionKey("BORDER_DESCRIPTION")->Kind(), CloneItemKind::kBorder);
  EXPECT_EQ(NewCloneItemForDescriptionKey("IMAGE_EFFECT_DESCRIPTION")->Kind(), CloneItemKind::kEffect);
  EXPECT_EQ(NewCloneItemForDescriptionKey("STAMP_TEXT"), nullptr);
  EXPECT_EQ(NewCloneItemForDescriptionKey("EFFECT_DESCRIPTION"), nullptr);

  EXPECT_EQ(CloneItemKindOfKey("STAMP_TEXT_BORDER_COLOR"), CloneItemKind::kTextStamp);
  EXPECT_EQ(CloneItemKindOfKey("STAMP_IMAGE"), CloneItemKind::kImageStamp);
  EXPECT_EQ(CloneItemKindOfKey("BORDERLESS"), CloneItemKind::kBorder);
  EXPECT_EQ(CloneItemKindOfKey("IMAGE_EFFECT_TYPE"), CloneItemKind::kEffect);
  EXPECT_EQ(CloneItemKindOfKey("THUMB_SIZE"), std::nullopt);
}

TEST(BildEffekt, ChangingTheCodeLoadsThatCodesDefaults) {
  CBildEffekt effect;
  effect.SetLongArray(1, 99);
  effect.SetLongArray(5, 5);
  effect.SetEffectCode(effect_code::kShadow);
  EXPECT_EQ(effect.LongArray(1), 10);
  EXPECT_EQ(effect.LongArray(2), 135);
  EXPECT_EQ(effect.LongArray(3), 16777215);
  EXPECT_EQ(effect.LongArray(5), 0);
  EXPECT_EQ(effect.LongArray(6), 10);
  effect.SetLongArray(1, 3);
  effect.ResetChanged();
  effect.SetEffectCode(effect_code::kShadow);  // same code: parameters stay
  EXPECT_EQ(effect.LongArray(1), 3);
  EXPECT_FALSE(effect.Changed());
  effect.SetEffectCode(7);  // a free code has no parameters
  EXPECT_TRUE(effect.Changed());
  for (int i = 1; i <= kEffectParameterCount; ++i) EXPECT_EQ(effect.LongArray(i), 0);
  EXPECT_EQ(effect.LongArray(0), 0);
  EXPECT_EQ(effect.LongArray(11), 0);
  effect.SetLongArray(11, 4);  // outside the array: ignored, nothing overwritten
}

TEST(BildEffekt, LoadingTypeThenParametersKeepsTheLoadedParameters) {
  CBildEffekt effect;
  EXPECT_EQ(effect.SetProfileProperty("IMAGE_EFFECT_TYPE", "12"), PropertyResult::kApplied);
  EXPECT_EQ(effect.LongArray(1), 10);
  EXPECT_EQ(effect.SetProfileProperty("IMAGE_EFFECT_LONGVALUE_01", "25"), PropertyResult::kApplied);
  EXPECT_EQ(effect.LongArray(1), 25);
  EXPECT_EQ(effect.LongArray(2), 10);
}

TEST(CloneItemVeraendert, EveryRealChangeMarksAndResetClears) {
  CTextStamp text;
  text.ResetChanged();
  EXPECT_FALSE(text.Changed());
  text.SetHeight(15);  // same value
  EXPECT_FALSE(text.Changed());
  text.SetHeight(16);
  EXPECT_TRUE(text.Changed());
  text.ResetChanged();
  text.SetDescription("Copyright");
  EXPECT_TRUE(text.Changed());
  text.ResetChanged();
  EXPECT_EQ(text.SetProfileProperty("STAMP_TEXT_UNDERLINE", "1"), PropertyResult::kApplied);
  EXPECT_TRUE(text.Changed());
}

CCloneEffekte ListOfThree() {
  CCloneEffekte list;
  list.Add(std::make_unique<CTextStamp>());
  list.Add(std::make_unique<CBorder>());
  list.Add(std::make_unique<CBildEffekt>());
  return list;
}

std::vector<CloneItemKind> Kinds(const CCloneEffekte& list) {
  std::vector<CloneItemKind> kinds;
  for (const CloneItem& item : list) kinds.push_back(item.Kind());
  return kinds;
}

TEST(CloneEffekte, MovesAtTheEndsChangeNothing) {
  using K = CloneItemKind;
  CCloneEffekte list = ListOfThree();
  list.ResetChanged();
  EXPECT_FALSE(list.MoveUp(1));
  EXPECT_FALSE(list.MoveDown(3));
  EXPECT_FALSE(list.MoveUp(0));
  EXPECT_FALSE(list.MoveDown(4));
  EXPECT_FALSE(list.Remove(4));
  EXPECT_FALSE(list.Changed());
  EXPECT_EQ(Kinds(list), (std::vector{K::kTextStamp, K::kBorder, K::kEffect}));

  EXPECT_TRUE(list.MoveUp(3));
  EXPECT_EQ(Kinds(list), (std::vector{K::kTextStamp, K::kEffect, K::kBorder}));
  EXPECT_TRUE(list.Changed());
  EXPECT_TRUE(list.MoveDown(1));
  EXPECT_EQ(Kinds(list), (std::vector{K::kEffect, K::kTextStamp, K::kBorder}));
  EXPECT_TRUE(list.Remove(2));
  EXPECT_EQ(Kinds(list), (std::vector{K::kEffect, K::kBorder}));
  EXPECT_EQ(list.Item(2)->Kind(), K::kBorder);
  EXPECT_EQ(list.Item(3), nullptr);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

TEST(CloneEffekte, ChangedWhenAnyItemChanges) {
  CCloneEffekte list = ListOfThree();
  EXPECT_TRUE(list.Changed());
  list.ResetChanged();
  EXPECT_FALSE(list.Changed());
  static_cast<CBorder*>(list.Item(2))->SetWidth(20);
  EXPECT_TRUE(list.Changed());
}

TEST(CloneEffekte, CloneIsDeep) {
  CCloneEffekte stored = ListOfThree();
  CCloneEffekte working = stored.Clone();
  static_cast<CTextStamp*>(working.Item(1))->SetText("changed");
  working.Remove(3);
  EXPECT_EQ(static_cast<const CTextStamp*>(stored.Item(1))->Text(), "Text");
  EXPECT_EQ(stored.Count(), 3);
  EXPECT_EQ(working.Count(), 2);
  CCloneEffekte assigned;
  assigned = working;
  EXPECT_NE(assigned.Item(1), working.Item(1));
  EXPECT_EQ(static_cast<const CTextStamp*>(assigned.Item(1))->Text(), "changed");
}

}  // namespace
}  // namespace velmora::image
