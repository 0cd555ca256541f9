#include "WorldFiles.h"

#include "bsp/TreeStats.h"
#include "loading/LoadPipeline.h"

#include <gmock/gmock.h>

#include <vector>

namespace velmora::testing {
namespace {

using ::testing::ElementsAre;

std::vector<std::string>& progressTexts() {
    static std::vector<std::string> texts;
    return texts;
}

void recordProgress(const char* text) {
    progressTexts().push_back(text);
}

const char* const kBox = "COLOR_DEFINITION\nstone\n10,20,30\n"
                         "OBJECT_DEFINITION\nbox\n2\n"
                         "SURFACE\nsouth\n4\n0,0,0\n100,0,0\n100,50,0\n0,50,0\nCOLOR_FILL\nstone\n"
                         "SURFACE\nwest\n4\n0,0,0\n0,0,100\n0,50,100\n0,50,0\nCOLOR_FILL\nstone\n";

class LoadPipelineTest : public WorldFilesTest {
  protected:
    void SetUp() override {
        WorldFilesTest::SetUp();
        progressTexts().clear();
    }

    void load() {
        write("bsp.cfg", "world.txt\n");
        loadWorld(reader_, camera_, heading_, host_);
    }

    Vertex camera_{1, 2, 3};
    float heading_ = 7.0f;
};

TEST_F(LoadPipelineTest, FirstLoadReportsProgressAndPlacesTheCamera) {
    write("world.txt", kBox);
    World::instance().progressCallback = recordProgress;
    load();
    EXPECT_THAT(progressTexts(),
                ElementsAre("Reading data files...", "Creating BSP...", "Adding surfaces...",
                            "Converting polygons to triangles...", "Creating BSP..."));
    EXPECT_EQ(camera_, (Vertex{0, 55, 0}));
    EXPECT_EQ(heading_, 0.0f);
    // Definitions alone draw nothing.
    EXPECT_EQ(measureTree(*World::instance().bspRoot).surfaces, 0u);

    World::destroy();
    write("world.txt", std::string(kBox) + "DEFAULT_LOCATION\n10,60,-20:0,0-90\n" +
                           "OBJECT_INSTANCE\nbox\n0,0,0\n");
    load();
    EXPECT_EQ(camera_, (Vertex{10, 60, -20}));
    EXPECT_EQ(heading_, 90.0f);
    EXPECT_EQ(measureTree(*World::instance().bspRoot).surfaces, 4u);
    // Two walls, two triangles each: every triangle leaves its footprint.
    EXPECT_EQ(World::instance().edges.size(), 4u);
}

TEST_F(LoadPipelineTest, ReloadShowsTheFilesAsTheyAreNow) {
    write("inc.txt", "COLOR_DEFINITION\nextra\n1,1,1\n");
    write("world.txt", std::string(kBox) + "INCLUDE inc.txt\nOBJECT_INSTANCE\nbox\n0,0,0\n");
    load();
    World& world = World::instance();
    camera_ = Vertex{300, 55, 300};
    reloadWorld(world, reader_, host_);
    reloadWorld(world, reader_, host_);
    EXPECT_EQ(world.colors.size(), 2u);
    EXPECT_EQ(world.edges.size(), 4u);
    EXPECT_EQ(measureTree(*world.bspRoot).surfaces, 4u);
    EXPECT_EQ(world.objectInstances.size(), 1u);

    write("world.txt", std::string(kBox) + "OBJECT_INSTANCE\nbox\n500,0,0\n"
                                           "OBJECT_INSTANCE\nbox\n0,0,500\n");
    reader_.readConfiguration();
    reloadWorld(world, reader_, host_);
    EXPECT_EQ(world.colors.size(), 1u);
    EXPECT_EQ(world.edges.size(), 8u);
    EXPECT_EQ(world.edges[0].x1, 500);
    EXPECT_EQ(camera_, (Vertex{300, 55, 300}));
}

TEST_F(LoadPipelineTest, SurfacesThatCannotFormATriangleStayOut) {
    write("world.txt", "OBJECT_DEFINITION\nbits\n3\n"
                       "SURFACE\nline\n2\n0,0,0\n10,0,0\nCOLOR_FILL\nc\n"
                       "SURFACE\nsliver\n3\n0,0,0\n0,20,0\n0,40,0\nCOLOR_FILL\nc\n"
                       "SURFACE\nfloor\n3\n0,0,0\n10,0,0\n0,0,10\nCOLOR_FILL\nc\n"
                       "OBJECT_INSTANCE\nbits\n0,0,0\n");
    ::testing::internal::CaptureStdout();
    load();
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "skipping surface line: 2 corners, a surface needs at least 3\n");
    World& world = World::instance();
    // The collinear sliver keeps its collision edge but is not in the tree.
    ASSERT_EQ(world.edges.size(), 2u);
    EXPECT_EQ(world.edges[0].name, "sliver_edge");
    const std::vector<Surface>& root = world.bspRoot->surfaces;
    ASSERT_EQ(measureTree(*world.bspRoot).surfaces, 1u);
    EXPECT_EQ(root[0].name, "floor");
}

TEST(WorldSingleton, StartsFreshAfterDestroy) {
    World::destroy();
    World& world = World::instance();
    EXPECT_EQ(&world, &World::instance());
    world.toggleGroundGrid();
    EXPECT_EQ(world.groundGridEnabled, 0);
    world.colors.push_back({"x", 1, 2, 3});
    World::destroy();
    World& fresh = World::instance();
    EXPECT_EQ(fresh.defaultLocation, (Vertex{0, 55, 0}));
    EXPECT_EQ(fresh.defaultHeading, 0);
    EXPECT_EQ(fresh.groundGridEnabled, 1);
    EXPECT_TRUE(fresh.colors.empty());
    fresh.toggleGroundGrid();
    fresh.toggleGroundGrid();
    EXPECT_EQ(fresh.groundGridEnabled, 1);
    World::destroy();
}

TEST(ColorDefinition, OnlyTheLowEightBitsCount) {
    EXPECT_EQ(toArgb({"c", 256, -1, 0x1AB}), 0xFF00FFABu);
}

} // namespace
} // namespace velmora::testing
