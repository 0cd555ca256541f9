// What a load keeps that the figures of the world folders do not show.
#include "WorldFiles.h"

#include <gmock/gmock.h>

namespace velmora::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::Pair;

TEST_F(WorldFilesTest, ColoursTexturesAndIncludedFilesAreKeptAsWritten) {
    WorldReader reader = smallReader("tests/data/worlds/includes/data");
    EXPECT_THAT(report(reader), ::testing::StartsWith("colors: 5\n"));
    std::vector<std::pair<std::string, std::uint32_t>> colors;
    for (const ColorDefinition& color : World::instance().colors) {
        colors.emplace_back(color.name, toArgb(color));
    }
    EXPECT_THAT(colors, ElementsAre(Pair("red", 0xFFFF0000u), Pair("blue", 0xFF0000FFu),
                                    Pair("c", 0xFF010101u), Pair("odd", 0xFF010101u),
                                    Pair("last", 0xFF010101u)));
    // Only the low eight bits of a component count.
    EXPECT_EQ(toArgb({"c", 256, -1, 0x1AB}), 0xFF00FFABu);
    // Files are known by what they are, each by the name that first included it.
    EXPECT_THAT(reader.includedFiles(),
                ElementsAre("INCLUDEfile", "c.txt", "colors.txt", "sub\\b"));
    const Surface& post = World::instance().definition("post").surfaces.at(0);
    EXPECT_EQ(post.fillType, kTextureFill);
    EXPECT_EQ(post.textureName, "marble");
    EXPECT_EQ(post.colorName, "white");
    EXPECT_EQ(post.vertices.at(0), (Vertex{0, 0, 0, 4, 5}));
}

TEST_F(WorldFilesTest, TheWorldStartsFreshAfterDestroy) {
    World& world = World::instance();
    EXPECT_EQ(&world, &World::instance());
    world.toggleGroundGrid();
    EXPECT_EQ(world.groundGridEnabled, 0);
    world.toggleGroundGrid();
    EXPECT_EQ(world.groundGridEnabled, 1);
    world.colors.push_back({"x", 1, 2, 3});
    World::destroy();
    EXPECT_TRUE(World::instance().colors.empty());
}

} // namespace
} // namespace velmora::testing
