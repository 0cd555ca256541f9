#include "bsp/TriangleSplit.h"
#include "BspTestSupport.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using bsptest::triangle;
using Part = std::pair<std::string, std::vector<Vertex>>;

// The cutting wall x = 10; its view corners lie elsewhere, since a split must use world space.
Surface wallAtTen() {
    Surface wall = bsptest::facingX("wall", 10);
    wall.setViewFromWorld({490, 0, 0});
    return wall;
}

std::vector<Part> partsOf(const std::vector<Surface>& surfaces) {
    std::vector<Part> parts;
    for (const Surface& s : surfaces) {
        parts.emplace_back(s.name, s.vertices);
    }
    return parts;
}

struct SplitCase {
    CornerClasses classes;
    std::vector<Vertex> pool; // t0, t1, t2 (with texture coordinates), then the crossings
    std::vector<std::pair<const char*, std::array<int, 3>>> originParts, farParts;
};

TEST(SplitTriangle, EachArrangementGivesItsPartsInOrder) {
    const std::vector<SplitCase> cases = {
        {{FarSide, OriginSide, FarSide},
         {{20, 0, 0, 1, 2}, {0, 0, 0, 3, 4}, {20, 0, 10, 5, 6}, {10, 0, 0}, {10, 0, 5}},
         {{"_near_part", {1, 3, 4}}},
         {{"_part_1", {3, 0, 2}}, {"_part_2", {3, 4, 2}}}},
        {{OriginSide, OriginSide, FarSide},
         {{0, 0, 0, 1, 1}, {0, 0, 8, 2, 2}, {20, 0, 0, 3, 3}, {10, 0, 0}, {10, 0, 4}},
         {{"_part_1", {3, 0, 1}}, {"_part_2", {3, 4, 1}}},
         {{"_near_part", {2, 3, 4}}}},
        {{OnPlane, OriginSide, FarSide},
         {{10, 0, 0, 7, 7}, {0, 0, 0, 8, 8}, {20, 0, 6, 9, 9}, {10, 0, 3}},
         {{"_near_part", {0, 1, 3}}},
         {{"_near_part", {0, 2, 3}}}},
    };
    for (const SplitCase& c : cases) {
        Surface tri = triangle("tri", c.pool[0], c.pool[1], c.pool[2]);
        tri.textureName = "bricks";
        tri.writesDepth = 0;
        // Parts go behind what the lists already hold.
        std::vector<Surface> originParts{tri}, farParts{tri};
        splitTriangle(tri, wallAtTen(), c.classes, originParts, farParts);
        auto expected = [&](const auto& list) {
            std::vector<Part> parts{{"tri", tri.vertices}};
            for (const auto& [suffix, k] : list) {
                parts.push_back(
                    {"tri" + std::string(suffix), {c.pool[k[0]], c.pool[k[1]], c.pool[k[2]]}});
            }
            return parts;
        };
        EXPECT_EQ(partsOf(originParts), expected(c.originParts));
        EXPECT_EQ(partsOf(farParts), expected(c.farParts));
        for (const auto& parts : {originParts, farParts}) {
            for (const Surface& p : parts) {
                EXPECT_TRUE(p.textureName == "bricks" && p.writesDepth == 0 &&
                            p.viewVertices == p.vertices)
                    << p.name;
            }
        }
    }
}

TEST(SplitTriangle, CrossingsRunFromTheLoneCornerOutwards) {
    // A sloped partition and corners for which float rounding makes the crossing depend on the
    // direction in which the edge is followed.
    const Surface slope = triangle("slope", {10, 0, 0}, {13, 7, 1}, {9, 2, 5});
    const Vertex lone{2, 2, 5}, f1{21, -2, -4}, f2{24, -4, 0};
    auto along = [&](const Vertex& a, const Vertex& b) {
        return intersectLineWithPlane(planeOfVertices(slope.vertices),
                                      {a.x, a.y, a.z, b.x - a.x, b.y - a.y, b.z - a.z});
    };
    const Vertex i1 = along(lone, f1), i2 = along(lone, f2);
    ASSERT_NE(i1, along(f1, lone)) << "the corners no longer tell the directions apart";
    std::vector<Surface> originParts, farParts;
    splitTriangle(triangle("t", lone, f1, f2), slope, {OriginSide, FarSide, FarSide}, originParts,
                  farParts);
    EXPECT_EQ(partsOf(originParts), (std::vector<Part>{{"t_near_part", {lone, i1, i2}}}));
    EXPECT_EQ(partsOf(farParts),
              (std::vector<Part>{{"t_part_1", {i1, f1, f2}}, {"t_part_2", {i1, i2, f2}}}));
}

TEST(SplitTriangle, NamesStopGrowingAtFortyEightCharacters) {
    // A suffix that would pass 48 characters is left off; "_near_part" is 10 long, "_part_1" 7.
    const std::vector<std::pair<std::size_t, std::array<bool, 2>>> cases = {
        {38, {true, true}}, {41, {false, true}}, {42, {false, false}}};
    for (const auto& [length, suffixed] : cases) {
        const std::string name(length, 'n');
        std::vector<Surface> originParts, farParts;
        splitTriangle(triangle(name, {20, 0, 0}, {0, 0, 0}, {20, 0, 10}), wallAtTen(),
                      {FarSide, OriginSide, FarSide}, originParts, farParts);
        ASSERT_EQ(originParts.size() + farParts.size(), 3u);
        EXPECT_EQ(originParts[0].name, suffixed[0] ? name + "_near_part" : name) << length;
        EXPECT_EQ(farParts[0].name, suffixed[1] ? name + "_part_1" : name) << length;
    }
}

} // namespace
} // namespace velmora
