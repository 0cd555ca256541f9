// velmora-snap --plan of the guide's example room: the picture must agree with the collision
// edges, at the printed origin and scale.
#include "SnapRun.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>

namespace {

namespace fs = std::filesystem;
using velmora::test::Picture;

enum class Looks { dark, coloured, plain };

Looks looksOf(std::uint32_t rgb) {
    const int r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    if (0.3 * r + 0.59 * g + 0.11 * b < 80) {
        return Looks::dark;
    }
    return std::max({r, g, b}) - std::min({r, g, b}) > 60 ? Looks::coloured : Looks::plain;
}

// World points of the room and how the plan shows them: on its walls, on the ramp's foot and
// the dais's sides (ledges of 20), 16 units off the walls, in the doorway under the lintel.
const struct {
    int x;
    int z;
    Looks looks;
} kPoints[] = {
    {0, 300, Looks::dark},       {-200, 150, Looks::dark},   {200, 150, Looks::dark},
    {-120, 0, Looks::dark},      {120, 0, Looks::dark},      {0, 140, Looks::coloured},
    {-70, 220, Looks::coloured}, {100, 260, Looks::coloured}, {-40, 180, Looks::coloured},
    {0, 284, Looks::plain},      {0, 316, Looks::plain},     {-216, 150, Looks::plain},
    {-184, 150, Looks::plain},   {184, 150, Looks::plain},   {120, 16, Looks::plain},
    {120, -16, Looks::plain},    {0, 0, Looks::plain},       {-150, 100, Looks::plain},
};

class Plan : public testing::Test {
  protected:
    void SetUp() override { fs::create_directories(scratch); }
    void TearDown() override { fs::remove_all(scratch); }
    const fs::path scratch = fs::temp_directory_path() / ("velmora-plan-" + std::to_string(getpid()));
    const fs::path picture = scratch / "plan.png";
};

TEST_F(Plan, DrawsTheEdgesWhereItSaysTheyAre) {
    for (const auto& [scaleOption, scale] :
         {std::pair<std::string, double>{"", 2.0}, {" --plan-scale 1.25", 1.25}}) {
        const velmora::test::SnapRun run = velmora::test::runSnap(
            VELMORA_SNAP, "docs/example", "--plan " + picture.string() + scaleOption, "2>&1");
        ASSERT_EQ(run.exitCode, 0) << run.out;
        double originX = 0, originZ = 0, printedScale = 0;
        ASSERT_EQ(std::sscanf(run.out.c_str(), "plan origin: %lf %lf\nplan scale: %lf", &originX,
                              &originZ, &printedScale),
                  3)
            << run.out;
        EXPECT_EQ(printedScale, scale);
        const Picture plan = velmora::test::readPicture(picture);
        for (const auto& point : kPoints) {
            const long column = std::lround((point.x - originX) / scale);
            const long row = std::lround((originZ - point.z) / scale);
            ASSERT_TRUE(column >= 0 && column < plan.width && row >= 0 && row < plan.height);
            EXPECT_EQ(looksOf(plan.pixels[row * plan.width + column]), point.looks)
                << "at " << point.x << ',' << point.z << scaleOption;
        }
    }
}

TEST_F(Plan, RefusesBadScales) {
    for (const std::string bad : {"--plan-scale 0", "--plan-scale -2", "--plan-scale two",
                                  "--plan-scale nan", "--plan-scale 0.01"}) {
        const velmora::test::SnapRun run = velmora::test::runSnap(
            VELMORA_SNAP, "docs/example", bad + " --plan " + picture.string(), "2>&1");
        EXPECT_EQ(run.exitCode, 2) << bad;
        EXPECT_NE(run.out.find("--plan-scale"), std::string::npos) << bad << ": " << run.out;
        EXPECT_NE(run.out.find("Usage:"), std::string::npos) << bad << ": " << run.out;
        EXPECT_FALSE(fs::exists(picture)) << bad;
    }
    const velmora::test::SnapRun alone =
        velmora::test::runSnap(VELMORA_SNAP, "docs/example", "--plan-scale 2", "2>&1");
    EXPECT_EQ(alone.exitCode, 2);
    EXPECT_NE(alone.out.find("--plan-scale goes with --plan"), std::string::npos) << alone.out;
}

} // namespace
