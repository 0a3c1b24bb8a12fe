#include "image/stamps/stamp_placement.h"

#include <gtest/gtest.h>

#include <limits>

namespace velmora::image {
namespace {

BoxOrigin Place(int position, int ox, int oy, int w = 800, int h = 600, int bw = 100, int bh = 50) {
  return PlaceStampBox({.image_width = w,
                        .image_height = h,
                        .box_width = bw,
                        .box_height = bh,
                        .position = position,
                        .offset_x = ox,
                        .offset_y = oy});
}

TEST(StampPlacementTest, EveryCellWithoutOffsets) {
  // 800 x 600 image, 100 x 50 box: free space 700 x 550.
  const BoxOrigin expected[9] = {{0, 0},   {350, 0},   {700, 0},   {0, 275}, {350, 275},
                                 {700, 275}, {0, 550}, {350, 550}, {700, 550}};
  for (int cell = 1; cell <= 9; ++cell) EXPECT_EQ(Place(cell, 0, 0), expected[cell - 1]) << "cell " << cell;
}

TEST(StampPlacementTest, OffsetsAreAddedInEveryCell) {
  for (int cell = 1; cell <= 9; ++cell) {
    const BoxOrigin plain = Place(cell, 0, 0);
    const BoxOrigin moved = Place(cell, 7, -3);
    EXPECT_EQ(moved.x, plain.x + 7) << "cell " << cell;
    EXPECT_EQ(moved.y, plain.y - 3) << "cell " << cell;
  }
}

TEST(StampPlacementTest, BottomRightOffsetsMoveOutwardsWhenPositive) {
  EXPECT_EQ(Place(9, -10, -10), (BoxOrigin{690, 540}));
  EXPECT_EQ(Place(9, 10, 10), (BoxOrigin{710, 560}));  // past the corner
  EXPECT_EQ(Place(1, 10, 10), (BoxOrigin{10, 10}));     // top left: inwards
}

TEST(StampPlacementTest, CentreRoundsHalvesToEven) {
  // Free space 5: 2.5 -> 2; free space 7: 3.5 -> 4; with offsets the sum is rounded.
  EXPECT_EQ(Place(5, 0, 0, 105, 107, 100, 100), (BoxOrigin{2, 4}));
  EXPECT_EQ(Place(5, 1, 1, 105, 107, 100, 100), (BoxOrigin{4, 4}));  // 3.5 -> 4, 4.5 -> 4
  // A box larger than the image: -2.5 -> -2, -3.5 -> -4.
  EXPECT_EQ(Place(5, 0, 0, 95, 93, 100, 100), (BoxOrigin{-2, -4}));
}

TEST(StampPlacementTest, CellsOutsideTheGridCountAsTopLeft) {
  for (const std::int64_t cell : {std::int64_t{0}, std::int64_t{-4}, std::int64_t{10},
                                  std::int64_t{std::numeric_limits<std::int32_t>::max()}}) {
    EXPECT_EQ(Place(static_cast<int>(cell), 3, 4), (BoxOrigin{3, 4})) << cell;
  }
  EXPECT_EQ(GridCellOf(6).column, 2);
  EXPECT_EQ(GridCellOf(6).row, 1);
  EXPECT_EQ(GridCellOf(7).column, 0);
  EXPECT_EQ(GridCellOf(7).row, 2);
}

TEST(StampPlacementTest, HugeOffsetsStayInsideTheIntRange) {
  const BoxOrigin far = PlaceStampBox({.image_width = 800,
                                       .image_height = 600,
                                       .box_width = 100,
                                       .box_height = 50,
                                       .position = 9,
                                       .offset_x = std::numeric_limits<std::int64_t>::max(),
                                       .offset_y = std::numeric_limits<std::int64_t>::min()});
  EXPECT_EQ(far.x, std::numeric_limits<int>::max());
  EXPECT_EQ(far.y, std::numeric_limits<int>::min());
}

}  // namespace
}  // namespace velmora::image
