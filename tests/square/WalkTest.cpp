// The shipped square walked and seen through velmora-snap: each recorded walk is replayed from
// the start through the program's key handler and must end where its steps, none refused,
// lead, inside its figure's zone; the arrival and the fixed views are compared pixel by pixel
// with the pictures in expected/.
//
// When a picture changes on purpose (the square is rebuilt, or the figures are drawn), write
// the new pictures with one command from the repository root, look at each, then commit them:
//   VELMORA_UPDATE_GOLDEN=1 build-square/tests/square/test_square
// A picture that differs is kept in the build directory (tests/square/actual/) beside a
// difference picture: differing pixels red over the darkened frame.
#include "SnapRun.h"
#include "Walks.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

namespace velmora::square {
namespace {

namespace fs = std::filesystem;

// Runs velmora-snap in the repository root, where the shipped data/ lies.
test::SnapRun snap(const std::string& arguments) {
    return test::runSnap(VELMORA_SNAP, SQUARE_ROOT, arguments);
}

// The camera line of --stats: "camera: X Y Z".
bool cameraOf(const std::string& out, Pose& pose) {
    const std::size_t at = out.find("camera: ");
    if (at == std::string::npos) {
        return false;
    }
    std::istringstream in(out.substr(at + 8));
    return static_cast<bool>(in >> pose.x >> pose.y >> pose.z);
}

// Draws the frame with the arguments, compares it with expected/<name>.png and returns what
// velmora-snap printed.
std::string expectPicture(const std::string& name, const std::string& arguments) {
    const fs::path actualDirectory = SQUARE_OUTPUT_DIR;
    fs::create_directories(actualDirectory);
    const fs::path actual = actualDirectory / (name + ".png");
    const fs::path expected = fs::path(SQUARE_SOURCE_DIR) / "expected" / (name + ".png");
    fs::remove(actual);
    const test::SnapRun run = snap(arguments + " --out '" + actual.string() + "'");
    EXPECT_EQ(run.exitCode, 0) << run.out;
    if (test::updatingGoldens()) {
        fs::copy_file(actual, expected, fs::copy_options::overwrite_existing);
        return run.out;
    }
    const fs::path diff = actualDirectory / (name + "-diff.png");
    const std::string failure = test::compareWithExpected(actual, expected, diff);
    EXPECT_TRUE(failure.empty()) << name << ": " << failure;
    return run.out;
}

class WalkReplay : public ::testing::TestWithParam<Walk> {};

TEST_P(WalkReplay, ArrivesInTheZoneWithNoStepRefused) {
    const Walk& walk = GetParam();
    const Figure& figure = figureNamed(walk.figure);
    const std::string out =
        expectPicture(std::string("arrive_") + walk.figure,
                      "--keys '" + joinKeys(expandKeys(walk.keys)) + "' --stats");
    Pose camera;
    ASSERT_TRUE(cameraOf(out, camera)) << out;
    // A refused step would leave the walk short of where the arithmetic of its steps leads.
    const Pose expected = unblockedPoses(walk.keys).back();
    EXPECT_EQ(camera.x, expected.x) << walk.figure;
    EXPECT_EQ(camera.z, expected.z) << walk.figure;
    EXPECT_EQ(camera.y, figure.y + 55) << walk.figure;
    EXPECT_TRUE(insideZone(figure, camera.x, camera.z)) << walk.figure;
}

INSTANTIATE_TEST_SUITE_P(Square, WalkReplay, ::testing::ValuesIn(kWalks),
                         [](const auto& info) { return std::string(info.param.figure); });

struct View {
    const char* name;
    const char* arguments;
};

void PrintTo(const View& view, std::ostream* out) {
    *out << view.name << " (" << view.arguments << ")";
}

const View kViews[] = {
    // Where the visitor starts: the plebeian before the arch, the curia behind it.
    {"start", ""},
    // From the top of the temple platform, beside the woman, west over the square.
    {"podium", "--at 2130,115,-300 --heading 276"},
    // East along the Sacred Way to the amphitheatre, the guard ahead.
    {"amphitheatre", "--at 2300,55,-600 --heading 90"},
};

class SquareView : public ::testing::TestWithParam<View> {};

TEST_P(SquareView, LooksAsRecorded) {
    expectPicture(GetParam().name, GetParam().arguments);
}

INSTANTIATE_TEST_SUITE_P(Square, SquareView, ::testing::ValuesIn(kViews),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace velmora::square
