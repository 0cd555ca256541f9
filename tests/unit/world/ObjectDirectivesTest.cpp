#include "WorldFiles.h"

#include <cmath>

namespace velmora::testing {
namespace {

// A definition "post" of one triangle with a corner at (cx, 0, cz).
std::string post(const std::string& name, const std::string& corner) {
    return "OBJECT_DEFINITION\n" + name + "\n1\nSURFACE\n" + name + "_s\n3\n" + corner +
           "\n0,10,0\n0,0,1\nCOLOR_FILL\nc\n";
}

void expectNear(const Vertex& actual, float x, float y, float z) {
    EXPECT_NEAR(actual.x, x, 0.05f);
    EXPECT_NEAR(actual.y, y, 0.05f);
    EXPECT_NEAR(actual.z, z, 0.05f);
}

class ObjectDirectivesTest : public WorldFilesTest {};

TEST_F(ObjectDirectivesTest, InstancesTurnAboutTheirPivotThenMove) {
    write("w.txt", post("p", "10,0,5") + "OBJECT_INSTANCE\np\n0,0,0:10,0-90\n" +
                       "OBJECT_INSTANCE\np\n0,0,0\n" + "OBJECT_INSTANCE\np\n10,0,10:5,5-0\n");
    World& world = parse("w.txt");
    ASSERT_EQ(world.objectInstances.size(), 3u);
    expectNear(world.objectInstances[0].surfaces[0].vertices[0], 15, 0, 0);
    EXPECT_EQ(world.objectInstances[0].name, "p");
    // Angle 0 copies exactly, whatever the pivot.
    EXPECT_EQ(world.objectInstances[1].surfaces[0].vertices,
              world.definition("p").surfaces[0].vertices);
    EXPECT_EQ(world.objectInstances[2].surfaces[0].vertices[0], (Vertex{20, 0, 15}));
}

TEST_F(ObjectDirectivesTest, RotationUsesTheWorldsDegreeFactor) {
    write("w.txt", post("p", "0,0,1000") + "OBJECT_INSTANCE\np\n0,0,0:0,0-90\n");
    const Vertex corner = parse("w.txt").objectInstances[0].surfaces[0].vertices[0];
    const float radians = static_cast<float>(90 * 0.017453529976437735);
    EXPECT_FLOAT_EQ(corner.x, std::sin(radians) * 1000.0f);
    EXPECT_FLOAT_EQ(corner.z, std::cos(radians) * 1000.0f);
    // The factor is not pi/180: a kilometre out, the difference is visible.
    EXPECT_GT(std::fabs(corner.z - static_cast<float>(std::cos(M_PI / 2) * 1000.0)), 0.003f);
}

TEST_F(ObjectDirectivesTest, RotationSeriesBendsAlongAnArc) {
    write("w.txt", post("p", "0,0,0") + "OBJECT_ROTATION_SERIES\nring\np\n0,0,0\n10,3,100\n");
    const Object3D& ring = parse("w.txt").definition("ring");
    ASSERT_EQ(ring.surfaces.size(), 3u);
    expectNear(ring.surfaces[0].vertices[0], 0, 0, 0);
    expectNear(ring.surfaces[1].vertices[0], 17.4f, 0, 98.5f);
    expectNear(ring.surfaces[2].vertices[0], 67.4f, 0, 185.1f);
    // Copy k is turned by (2k + 1) * 10 degrees: its corner (0,0,1) shows the turn.
    const Vertex origin = ring.surfaces[2].vertices[0];
    const Vertex turned = ring.surfaces[2].vertices[2];
    EXPECT_NEAR(turned.x - origin.x, std::sin(50 * M_PI / 180), 0.001);
    EXPECT_NEAR(turned.z - origin.z, std::cos(50 * M_PI / 180), 0.001);
}

TEST_F(ObjectDirectivesTest, EmptySeriesStillCreatesBothDefinitions) {
    write("w.txt", "OBJECT_ROTATION_SERIES\nA\nB\n0,0,0\n10,-2,100\n");
    World& world = parse("w.txt");
    EXPECT_EQ(world.objectDefinitions.count("A"), 1u);
    EXPECT_EQ(world.objectDefinitions.count("B"), 1u);
    EXPECT_TRUE(world.definition("A").surfaces.empty());
}

TEST_F(ObjectDirectivesTest, ContainedObjectsAreCopiesAtTheirTime) {
    write("w.txt", post("p", "1,0,0") + "CONTAINED_OBJECT\nhouse\np\n100,0,0\n" +
                       "OBJECT_INSTANCE\nhouse\n0,0,0\n" +
                       "CONTAINED_OBJECT\nhouse\nhouse\n0,0,50\n" +
                       "CONTAINED_OBJECT\nhouse\np\n0,0,0:0,0-90\n" + post("p", "7,0,0") +
                       "OBJECT_INSTANCE\nhouse\n0,0,0\n");
    World& world = parse("w.txt");
    ASSERT_EQ(world.objectInstances.size(), 2u);
    // The first instance was placed before the house grew.
    EXPECT_EQ(world.objectInstances[0].surfaces.size(), 1u);
    const std::vector<Surface>& grown = world.objectInstances[1].surfaces;
    ASSERT_EQ(grown.size(), 3u);
    EXPECT_EQ(grown[0].vertices[0], (Vertex{101, 0, 0}));
    EXPECT_EQ(grown[1].vertices[0], (Vertex{101, 0, 50}));
    expectNear(grown[2].vertices[0], 0, 0, -1);
    // Redefining p afterwards changed nothing that was built from it.
    EXPECT_EQ(world.definition("p").surfaces[0].vertices[0], (Vertex{7, 0, 0}));
}

TEST_F(ObjectDirectivesTest, LaterDefinitionReplacesContainedSurfaces) {
    write("w.txt",
          post("p", "1,0,0") + "CONTAINED_OBJECT\nhouse\np\n0,0,0\n" + post("house", "2,0,0"));
    const Object3D& house = parse("w.txt").definition("house");
    ASSERT_EQ(house.surfaces.size(), 1u);
    EXPECT_EQ(house.surfaces[0].vertices[0], (Vertex{2, 0, 0}));
}

TEST_F(ObjectDirectivesTest, UnknownNamesGiveEmptyInstances) {
    write("w.txt", "OBJECT_INSTANCE\nghost\n0,0,0\n");
    World& world = parse("w.txt");
    ASSERT_EQ(world.objectInstances.size(), 1u);
    EXPECT_TRUE(world.objectInstances[0].surfaces.empty());
    EXPECT_EQ(world.objectDefinitions.count("ghost"), 1u);
}

} // namespace
} // namespace velmora::testing
