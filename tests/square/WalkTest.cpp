// The shipped square seen through velmora-snap: each recorded walk is replayed from the start
// through the program's key handler and must end where its steps lead when none is refused,
// inside its figure's zone at the figure's height; the arrivals and the fixed views are compared
// with the pictures in expected/. The world itself is loaded directly to check what no picture
// shows everywhere: every colour named is defined, and the tree keeps within its budget.
#include "FakeHost.h"
#include "FrameCheck.h"

#include "bsp/TreeStats.h"
#include "loading/LoadPipeline.h"
#include "world/World.h"
#include "world/WorldReader.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <sstream>

namespace velmora::square {
namespace {

// Draws the frame with the arguments in the repository root, where the shipped data/ lies.
std::string expectPicture(const std::string& name, const std::string& arguments) {
    return test::expectFrame(name, SQUARE_ROOT, arguments, SQUARE_SOURCE_DIR "/expected",
                             SQUARE_OUTPUT_DIR);
}

// Where a visitor stands and looks; y is the eye's height. The start is the world's own.
struct Pose {
    double x = 330, y = 55, z = -320;
    float heading = 330;
};

// A walk from the start to a figure, written compactly: "Right*60 Up*200" is sixty presses of
// Right, then two hundred of Up. The figure stands at x, y, z in a square zone of half side zone.
struct Walk {
    const char* figure;
    float x, y, z;
    int zone;
    const char* keys;
};

void PrintTo(const Walk& walk, std::ostream* out) {
    *out << walk.figure << " (" << walk.keys << ")";
}

const Walk kWalks[] = {
    {"plebeian", 100, 0, -100, 80, "Left*7 Up*23 Left*9"},
    {"centurion", 560, 0, -500, 80, "Right*79 Up*23 Left*3"},
    // West along the square, north through the middle passage of the arch, then north-west.
    {"senator", -325, 0, 389, 80, "Left*30 Up*44 Right*44 Up*45 Left*19 Up*27 Left*8"},
    {"priestess", 1400, 0, -900, 80, "Right*60 Up*42 Right*20 Up*90 Left*4"},
    {"firepot", 1125, 0, -800, 50, "Right*60 Up*42 Right*23 Up*63"}, // a smaller zone
    // Straight east and up the three steps of the temple platform, 60 high.
    {"woman", 2200, 60, -280, 80, "Right*60 Up*200 Left*15"},
    // East, round the south-west corner of the temple platform, east again.
    {"guard", 2600, 0, -650, 80, "Right*60 Up*175 Right*30 Up*35 Left*30 Up*54 Right*18"},
};

// The keys of a compact walk, and where they lead when no step is refused: a turn changes the
// heading by two degrees within 0..360, a step goes to trunc(x + 10 sin a), trunc(z + 10 cos a)
// with a = heading * 0.017453529976437735.
std::string expandKeys(const std::string& compact, Pose& pose) {
    std::string keys;
    std::istringstream in(compact);
    for (std::string word; in >> word;) {
        const std::size_t star = word.find('*');
        const std::string key = word.substr(0, star);
        for (int i = 0; i < std::stoi(word.substr(star + 1)); ++i) {
            keys += (keys.empty() ? "" : " ") + key;
            if (key == "Up") {
                const double a = pose.heading * 0.017453529976437735;
                pose.x = std::trunc(pose.x + 10.0 * std::sin(a));
                pose.z = std::trunc(pose.z + 10.0 * std::cos(a));
            } else {
                pose.heading += key == "Left" ? -2.0f : 2.0f;
                pose.heading += pose.heading < 0 ? 360 : pose.heading > 360 ? -360 : 0;
            }
        }
    }
    return keys;
}

class WalkReplay : public ::testing::TestWithParam<Walk> {};

// A refused step, or a step into another figure's zone (which stops the visitor for its
// greeting), would leave the walk short of where the arithmetic of its steps leads.
TEST_P(WalkReplay, ArrivesInTheZoneWithNoStepRefused) {
    const Walk& walk = GetParam();
    Pose expected;
    const std::string keys = expandKeys(walk.keys, expected);
    const std::string out =
        expectPicture(std::string("arrive_") + walk.figure, "--keys '" + keys + "' --stats");
    Pose camera;
    const std::size_t at = out.find("camera: ");
    ASSERT_NE(at, std::string::npos) << out;
    std::istringstream(out.substr(at + 8)) >> camera.x >> camera.y >> camera.z;
    EXPECT_EQ(camera.x, expected.x);
    EXPECT_EQ(camera.z, expected.z);
    EXPECT_EQ(camera.y, walk.y + 55);
    EXPECT_LT(std::fabs(camera.x - walk.x), walk.zone);
    EXPECT_LT(std::fabs(camera.z - walk.z), walk.zone);
}

INSTANTIATE_TEST_SUITE_P(Square, WalkReplay, ::testing::ValuesIn(kWalks),
                         [](const auto& info) { return std::string(info.param.figure); });

TEST(SquareView, LooksAsRecorded) {
    // Where the visitor starts: the plebeian before the arch, the curia behind it; from the top
    // of the temple platform, beside the woman, west over the square; east along the Sacred Way
    // to the amphitheatre, the guard ahead.
    expectPicture("start", "");
    expectPicture("podium", "--at 2130,115,-300 --heading 276");
    expectPicture("amphitheatre", "--at 2300,55,-600 --heading 90");
}

TEST(SquareWorld, NamesOnlyDefinedColoursAndKeepsItsTreeWithinBudget) {
    World::destroy();
    WorldReader reader(SQUARE_ROOT "/data");
    Vertex camera;
    float heading = 0.0f;
    test::FakeHost host;
    loadWorld(reader, camera, heading, host);
    const World& world = World::instance();
    const auto defined = [&](const std::string& name) {
        return std::ranges::any_of(world.colors, [&](const auto& c) { return c.name == name; });
    };
    EXPECT_TRUE(defined("LT_GRAY") && defined("LT_GRAY_1")); // the paving
    std::set<std::string> named;
    for (const Object3D& object : world.objectInstances) {
        for (const Surface& surface : object.surfaces) {
            EXPECT_TRUE(defined(surface.colorName)) << surface.colorName;
            named.insert(surface.colorName);
        }
    }
    EXPECT_GT(named.size(), 20u); // the buildings are shaded by the way their faces look
    EXPECT_LE(measureTree(*world.bspRoot).surfaces, 6000u);
    World::destroy();
}

} // namespace
} // namespace velmora::square
