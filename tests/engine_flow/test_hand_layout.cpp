#include <gtest/gtest.h>

#include "game/hand_layout.h"

namespace tarlyk {
namespace {

constexpr int kW = 710;
constexpr int kH = 480;

TEST(HandLayout, SmallHandsAreCentredWithHalvesToEven) {
  const int firstX[] = {354, 317, 280, 242, 204, 167, 130};
  for (int n = 1; n <= 7; ++n) EXPECT_EQ(HandCardX(0, n, kW), firstX[n - 1]) << n;
  EXPECT_EQ(HandCardX(1, 3, kW), 354);
  EXPECT_EQ(HandCardX(2, 3, kW), 430);
  // From eight cards on the hand is spread from x 75 to the right edge.
  EXPECT_EQ(HandCardX(1, 8, kW), 155);
  EXPECT_EQ(HandCardX(7, 8, kW) + kCardWidth, kW - 5);
}

TEST(HandHitTest, GapsAndRowsOfSixCards) {
  EXPECT_EQ(UnderCard(167, 400, 6, kW, kH), 1);
  EXPECT_EQ(UnderCard(237, 400, 6, kW, kH), 1);
  for (int x = 238; x <= 241; ++x) EXPECT_EQ(UnderCard(x, 400, 6, kW, kH), -1) << x;
  EXPECT_EQ(UnderCard(242, 400, 6, kW, kH), 2);
  EXPECT_EQ(UnderCard(166, 400, 6, kW, kH), -1);
  EXPECT_EQ(UnderCard(612, 400, 6, kW, kH), 6);
  EXPECT_EQ(UnderCard(613, 400, 6, kW, kH), -1);
  EXPECT_EQ(UnderCard(200, 378, 6, kW, kH), -1);
  EXPECT_EQ(UnderCard(200, 379, 6, kW, kH), 1);
  EXPECT_EQ(UnderCard(200, 474, 6, kW, kH), 1);
  EXPECT_EQ(UnderCard(200, 475, 6, kW, kH), -1);
}

TEST(HandHitTest, OverlappingCardsCoverTheWholeSpanAndClampToTheLast) {
  for (int x = 75; x <= 705; ++x) {
    const int k = UnderCard(x, 400, 10, kW, kH);
    EXPECT_GE(k, 1) << x;
    EXPECT_LE(k, 10) << x;
  }
  EXPECT_EQ(UnderCard(705, 400, 10, kW, kH), 10);
  EXPECT_EQ(UnderCard(74, 400, 10, kW, kH), -1);
  EXPECT_EQ(UnderCard(706, 400, 10, kW, kH), -1);
  EXPECT_EQ(UnderCard(354, 400, 0, kW, kH), -1);  // an empty hand
}

// Whatever the hand size, a point just inside the left edge of a painted card hits
// that card, so painting and clicking agree.
TEST(HandHitTest, AgreesWithPaintedPositions) {
  for (int n = 1; n <= 36; ++n) {
    for (int k = 0; k < n; ++k) {
      EXPECT_EQ(UnderCard(HandCardX(k, n, kW) + 2, 400, n, kW, kH), k + 1) << n << " " << k;
    }
  }
}

}  // namespace
}  // namespace tarlyk
