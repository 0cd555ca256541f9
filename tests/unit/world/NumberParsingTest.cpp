#include "world/NumberParsing.h"

#include <gtest/gtest.h>

#include <array>

namespace velmora {
namespace {

TEST(ReadInteger, ReadsLikeAtoiButClamps) {
    const std::pair<const char*, std::int32_t> cases[] = {
        {"42", 42},
        {"  \t-17xyz", -17},
        {"+8", 8},
        {"12.7", 12},
        {"abc", 0},
        {"- 5", 0},
        {"", 0},
        {"2147483647", 2147483647},
        {"99999999999999999999999", 2147483647},
        {"-99999999999999999999999", -2147483647 - 1},
    };
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(readInteger(text), value) << text;
    }
}

TEST(ReadNumberList, SplitsAtFirstAndLastComma) {
    const std::pair<const char*, std::array<std::int32_t, 3>> cases[] = {
        {"180,170,150", {180, 170, 150}},
        {"10,20", {10, 20, 20}},
        {"77", {77, 77, 77}},
        {"1,2,3,4", {1, 2, 4}},
    };
    for (const auto& [text, expected] : cases) {
        const NumberList list = readNumberList(text);
        EXPECT_EQ((std::array{list.first, list.second, list.third}), expected) << text;
    }
}

TEST(ReadPositionLine, FirstMinusSignEndsThePivot) {
    const PositionLine full = readPositionLine("100,0,200:50,60-90");
    EXPECT_EQ(full.position, (Vertex{100, 0, 200}));
    EXPECT_EQ(full.pivot, (Vertex{50, 0, 60}));
    EXPECT_EQ(full.angle, 90);
    EXPECT_EQ(readPositionLine("100,0,200").angle, 0);
    EXPECT_EQ(readPositionLine("0,0,0:0,0--90").angle, -90);
    // The minus of -5 is taken as the separator, so the angle reads from "5,3-90".
    EXPECT_EQ(readPositionLine("100,0,200:-5,3-90").angle, 5);
    // A lone number is the angle and the pivot alike.
    const PositionLine single = readPositionLine("1,2,3:45");
    EXPECT_EQ(single.angle, 45);
    EXPECT_EQ(single.pivot, (Vertex{45, 0, 45}));
}

TEST(ReadCornerLine, ReadsCoordinatesAndTextureCoordinates) {
    EXPECT_EQ(readCornerLine("10,20,30:4,5"), (Vertex{10, 20, 30, 4, 5}));
    EXPECT_EQ(readCornerLine("10.9,0,-3"), (Vertex{10, 0, -3, 0, 0}));
}

} // namespace
} // namespace velmora
