// Whole frames of the small worlds beside this file, drawn by velmora-snap from fixed views and
// compared with the pictures in expected/.
#include "FrameCheck.h"

#include <ostream>

namespace velmora {
namespace {

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
    // From beyond the blue wall, which now hides the red one and the senator, along its
    // diagonal too.
    {"walls_from_behind", "walls", "--at 0,55,800 --heading 175"},
    // Triangles reaching behind the eye: two corners ahead on the right, one on the left.
    {"clipped", "clipped", "--at 0,55,0 --heading 0"},
    {"loading", "walls", "--loading"},
    // A wall 10,000 units across, 50 ahead and seen at an angle, reaching behind the eye: all
    // ochre, no figure through it.
    {"huge_oblique", "huge", "--at 0,55,0 --heading 20"},
};

void PrintTo(const Golden& golden, std::ostream* out) {
    *out << golden.name << " (" << golden.world << ": " << golden.arguments << ")";
}

class GoldenFrame : public ::testing::TestWithParam<Golden> {};

TEST_P(GoldenFrame, MatchesTheCommittedPicture) {
    const Golden& golden = GetParam();
    test::expectFrame(golden.name, std::string(GOLDEN_SOURCE_DIR "/") + golden.world,
                      golden.arguments, GOLDEN_SOURCE_DIR "/expected", GOLDEN_OUTPUT_DIR);
}

INSTANTIATE_TEST_SUITE_P(Snap, GoldenFrame, ::testing::ValuesIn(kGoldens),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace velmora
