#include "world/NumberParsing.h"

#include <gtest/gtest.h>

#include <array>

namespace velmora {
namespace {

TEST(ReadInteger, ReadsLikeAtoiButClamps) {
    const std::pair<const char*, std::int32_t> cases[] = {
        {"  \t-17xyz", -17},
        {"+8", 8},
        {"12.7", 12},
        {"abc", 0},
        {"- 5", 0},
        {"2147483647", 2147483647},
        {"99999999999999999999999", 2147483647},
        {"-99999999999999999999999", -2147483647 - 1}};
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(readInteger(text), value) << text;
    }
}

TEST(ReadNumberList, SplitsAtFirstAndLastComma) {
    const std::pair<const char*, std::array<std::int32_t, 3>> cases[] = {
        {"10,20", {10, 20, 20}}, {"77", {77, 77, 77}}, {"1,2,3,4", {1, 2, 4}}};
    for (const auto& [text, expected] : cases) {
        const NumberList list = readNumberList(text);
        EXPECT_EQ((std::array{list.first, list.second, list.third}), expected) << text;
    }
}

TEST(ReadPositionLine, FirstMinusSignEndsThePivot) {
    const struct {
        const char* text;
        Vertex position, pivot;
        std::int32_t angle;
    } cases[] = {
        {"100,0,200:50,60-90", {100, 0, 200}, {50, 0, 60}, 90},
        {"100,0,200", {100, 0, 200}, {}, 0},
        {"0,0,0:0,0--90", {}, {}, -90},
        {"0,0,0:5,-90", {}, {5, 0, 0}, 90},
        // The minus of -5 is taken as the separator, so the angle reads from "5,3-90".
        {"0,0,0:-5,3-90", {}, {-5, 0, 3}, 5},
        // A lone number is the angle and the pivot alike.
        {"1,2,3:45", {1, 2, 3}, {45, 0, 45}, 45},
    };
    for (const auto& [text, position, pivot, angle] : cases) {
        const PositionLine line = readPositionLine(text);
        EXPECT_EQ(line.position, position) << text;
        EXPECT_EQ(line.pivot, pivot) << text;
        EXPECT_EQ(line.angle, angle) << text;
    }
}

} // namespace
} // namespace velmora
