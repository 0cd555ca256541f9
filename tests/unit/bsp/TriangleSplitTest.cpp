#include "bsp/TriangleSplit.h"
#include "BspTestSupport.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using bsptest::triangle;
using Part = std::pair<std::string, std::vector<Vertex>>;

std::vector<Part> partsOf(const std::vector<Surface>& surfaces) {
    std::vector<Part> parts;
    for (const Surface& s : surfaces) {
        parts.emplace_back(s.name, s.vertices);
    }
    return parts;
}

TEST(SplitTriangle, EachArrangementGivesItsPartsInOrderAndNamesStopAtFortyEight) {
    // The cutting wall x = 10; its view corners lie elsewhere, since a split must use world space.
    Surface wall = bsptest::facingX("wall", 10);
    wall.setViewFromWorld({490, 0, 0});
    // A sloped partition and corners for which float rounding makes the crossing depend on the
    // direction in which the edge is followed: from the lone corner outwards.
    const Surface slope = triangle("slope", {10, 0, 0}, {13, 7, 1}, {9, 2, 5});
    const Vertex lone{2, 2, 5}, f1{21, -2, -4}, f2{24, -4, 0};
    auto along = [&](const Vertex& a, const Vertex& b) {
        return intersectLineWithPlane(planeOfVertices(slope.vertices),
                                      {a.x, a.y, a.z, b.x - a.x, b.y - a.y, b.z - a.z});
    };
    ASSERT_NE(along(lone, f1), along(f1, lone)) << "the corners no longer tell directions apart";
    const struct {
        const Surface& partition;
        CornerClasses classes;
        std::size_t nameLength;   // a suffix that would pass 48 characters is left off
        std::vector<Vertex> pool; // t0, t1, t2 (with texture coordinates), then the crossings
        std::vector<std::pair<const char*, std::array<int, 3>>> originParts, farParts;
    } cases[] = {
        {wall,
         {FarSide, OriginSide, FarSide},
         42,
         {{20, 0, 0, 1, 2}, {0, 0, 0, 3, 4}, {20, 0, 10, 5, 6}, {10, 0, 0}, {10, 0, 5}},
         {{"", {1, 3, 4}}},
         {{"", {3, 0, 2}}, {"", {3, 4, 2}}}},
        {wall,
         {OriginSide, OriginSide, FarSide},
         38,
         {{0, 0, 0, 1, 1}, {0, 0, 8, 2, 2}, {20, 0, 0, 3, 3}, {10, 0, 0}, {10, 0, 4}},
         {{"_part_1", {3, 0, 1}}, {"_part_2", {3, 4, 1}}},
         {{"_near_part", {2, 3, 4}}}},
        {wall,
         {OnPlane, OriginSide, FarSide},
         39,
         {{10, 0, 0, 7, 7}, {0, 0, 0, 8, 8}, {20, 0, 6, 9, 9}, {10, 0, 3}},
         {{"", {0, 1, 3}}},
         {{"", {0, 2, 3}}}},
        {slope,
         {OriginSide, FarSide, FarSide},
         1,
         {lone, f1, f2, along(lone, f1), along(lone, f2)},
         {{"_near_part", {0, 3, 4}}},
         {{"_part_1", {3, 1, 2}}, {"_part_2", {3, 4, 2}}}},
    };
    for (const auto& c : cases) {
        const std::string name(c.nameLength, 'n');
        Surface tri = triangle(name, c.pool[0], c.pool[1], c.pool[2]);
        tri.textureName = "bricks";
        tri.writesDepth = 0;
        // Parts go behind what the lists already hold.
        std::vector<Surface> originParts{tri}, farParts{tri};
        splitTriangle(tri, c.partition, c.classes, originParts, farParts);
        auto expected = [&](const auto& list) {
            std::vector<Part> parts{{name, tri.vertices}};
            for (const auto& [suffix, k] : list) {
                parts.push_back({name + suffix, {c.pool[k[0]], c.pool[k[1]], c.pool[k[2]]}});
            }
            return parts;
        };
        EXPECT_EQ(partsOf(originParts), expected(c.originParts)) << c.nameLength;
        EXPECT_EQ(partsOf(farParts), expected(c.farParts)) << c.nameLength;
        for (const auto& parts : {originParts, farParts}) {
            for (const Surface& p : parts) {
                EXPECT_TRUE(p.textureName == "bricks" && p.writesDepth == 0 &&
                            p.viewVertices == p.vertices)
                    << p.name;
            }
        }
    }
}

} // namespace
} // namespace velmora
