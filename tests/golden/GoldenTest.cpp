// Whole frames of the worlds beside this file, drawn by velmora-snap from fixed views and
// compared pixel by pixel with the pictures in expected/. A frame that differs is kept in the
// build directory with a difference picture (differing pixels red over a darkened frame).
#include "SnapRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>

namespace velmora {
namespace {

namespace fs = std::filesystem;

struct Golden {
    const char* name;
    const char* world; // a directory beside this file holding data/
    const char* arguments;
};

const Golden kGoldens[] = {
    // The nearer red wall over the farther blue one, the senator off to the left; the sky turned
    // 360 degrees, 40 pixels.
    {"walls_ahead", "walls", "--at 0,55,0 --heading 0"},
    // The green wall to the east, the plebeian close by on the right, the centurion, the fire pot
    // and a woman far off; the sky turned 269 degrees, one pixel more than ahead.
    {"walls_east", "walls", "--at 0,55,0 --heading 90"},
    // Red at depth 200 (grey 25), blue at 500 (grey 63), the senator at 389 (grey 49), the rest
    // never written (grey 163).
    {"walls_ahead_depth", "walls", "--at 0,55,0 --heading 0 --depth-view"},
    // From beyond the blue wall, which now hides the red one and the senator; the senator shows
    // only along the wall's diagonal, where neither of its triangles writes depth.
    {"walls_from_behind", "walls", "--at 0,55,800 --heading 175"},
    // Triangles reaching behind the eye: two corners ahead on the right, one on the left.
    {"clipped", "clipped", "--at 0,55,0 --heading 0"},
    {"loading", "walls", "--loading"},
};

void PrintTo(const Golden& golden, std::ostream* out) {
    *out << golden.name << " (" << golden.world << ": " << golden.arguments << ")";
}

class GoldenFrame : public ::testing::TestWithParam<Golden> {};

TEST_P(GoldenFrame, MatchesTheCommittedPicture) {
    const Golden& golden = GetParam();
    const fs::path output = GOLDEN_OUTPUT_DIR;
    fs::create_directories(output);
    const fs::path actualPath = output / (std::string(golden.name) + ".png");
    const fs::path differencePath = output / (std::string(golden.name) + "-difference.png");
    const fs::path expectedPath =
        fs::path(GOLDEN_SOURCE_DIR) / "expected" / (std::string(golden.name) + ".png");
    fs::remove(actualPath);
    fs::remove(differencePath);

    const test::SnapRun run =
        test::runSnap(VELMORA_SNAP, std::string(GOLDEN_SOURCE_DIR) + "/" + golden.world,
                      std::string(golden.arguments) + " --out '" + actualPath.string() + "'");
    ASSERT_EQ(run.exitCode, 0) << run.out;
    if (test::updatingGoldens()) {
        fs::copy_file(actualPath, expectedPath, fs::copy_options::overwrite_existing);
        GTEST_SKIP() << "wrote " << expectedPath << "; look at it before committing it";
    }
    const std::string failure = test::compareWithExpected(actualPath, expectedPath, differencePath);
    EXPECT_TRUE(failure.empty()) << failure;
}

INSTANTIATE_TEST_SUITE_P(Snap, GoldenFrame, ::testing::ValuesIn(kGoldens),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace velmora
