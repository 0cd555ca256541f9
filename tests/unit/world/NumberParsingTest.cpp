#include "world/NumberParsing.h"

#include <gtest/gtest.h>

#include <limits>

namespace velmora {
namespace {

TEST(ReadInteger, ReadsLikeAtoi) {
    EXPECT_EQ(readInteger("42"), 42);
    EXPECT_EQ(readInteger("  \t-17xyz"), -17);
    EXPECT_EQ(readInteger("+8"), 8);
    EXPECT_EQ(readInteger("12.7"), 12);
    EXPECT_EQ(readInteger("abc"), 0);
    EXPECT_EQ(readInteger(""), 0);
    EXPECT_EQ(readInteger("- 5"), 0);
}

TEST(ReadInteger, ClampsBeyondThirtyTwoBits) {
    EXPECT_EQ(readInteger("2147483647"), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(readInteger("-2147483648"), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(readInteger("99999999999999999999999"), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(readInteger("-99999999999999999999999"), std::numeric_limits<std::int32_t>::min());
}

TEST(ReadNumberList, SplitsAtFirstAndLastComma) {
    const NumberList three = readNumberList("180,170,150");
    EXPECT_EQ(three.first, 180);
    EXPECT_EQ(three.second, 170);
    EXPECT_EQ(three.third, 150);

    const NumberList one = readNumberList("10,20");
    EXPECT_EQ(one.first, 10);
    EXPECT_EQ(one.second, 20);
    EXPECT_EQ(one.third, 20);

    const NumberList none = readNumberList("77");
    EXPECT_EQ(none.first, 77);
    EXPECT_EQ(none.second, 77);
    EXPECT_EQ(none.third, 77);

    // Everything between the first and the last comma is the middle number.
    const NumberList four = readNumberList("1,2,3,4");
    EXPECT_EQ(four.first, 1);
    EXPECT_EQ(four.second, 2);
    EXPECT_EQ(four.third, 4);
}

TEST(ReadPositionLine, ReadsPositionPivotAndAngle) {
    const PositionLine full = readPositionLine("100,0,200:50,60-90");
    EXPECT_EQ(full.position, (Vertex{100, 0, 200}));
    EXPECT_EQ(full.pivot, (Vertex{50, 0, 60}));
    EXPECT_EQ(full.angle, 90);

    const PositionLine plain = readPositionLine("100,0,200");
    EXPECT_EQ(plain.position, (Vertex{100, 0, 200}));
    EXPECT_EQ(plain.angle, 0);

    EXPECT_EQ(readPositionLine("0,0,0:0,0--90").angle, -90);
}

TEST(ReadPositionLine, FirstMinusSignEndsThePivot) {
    // The minus of -5 is taken as the separator, so the angle reads from "5,3-90".
    EXPECT_EQ(readPositionLine("100,0,200:-5,3-90").angle, 5);

    const PositionLine single = readPositionLine("1,2,3:45");
    EXPECT_EQ(single.angle, 45);
    EXPECT_EQ(single.pivot, (Vertex{45, 0, 45}));
}

TEST(ReadCornerLine, ReadsCoordinatesAndTextureCoordinates) {
    const Vertex textured = readCornerLine("10,20,30:4,5");
    EXPECT_EQ(textured, (Vertex{10, 20, 30, 4, 5}));
    EXPECT_EQ(readCornerLine("10.9,0,-3"), (Vertex{10, 0, -3, 0, 0}));
}

} // namespace
} // namespace velmora
