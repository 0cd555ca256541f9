// World files that once made the reader recurse without end, read past a buffer, divide by zero,
// overflow a number or exhaust memory. Each must now load or end with its own message.
#include "WorldFiles.h"

#include "bsp/TreeStats.h"
#include "loading/LoadPipeline.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace velmora::testing {
namespace {

struct Regression {
    const char* file;
    const char* error;           // empty when the file must load
    std::size_t maxTreeSurfaces; // surfaces that lose their area to float rounding drop out
};

void PrintTo(const Regression& regression, std::ostream* out) {
    *out << regression.file;
}

const char* const kTooLarge =
    "world too large: more than 20000 surfaces in one object or in the placed instances";

class RegressionInputsTest : public WorldFilesTest,
                             public ::testing::WithParamInterface<Regression> {};

TEST_P(RegressionInputsTest, LoadsOrGivesItsOwnMessage) {
    const Regression& regression = GetParam();
    const std::filesystem::path source =
        std::filesystem::path("tests/data/world-regressions") / regression.file;
    std::ifstream in(source, std::ios::binary);
    ASSERT_TRUE(in) << source;
    write(regression.file, {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()});
    write("bsp.cfg", std::string(regression.file) + "\n");
    reader_ = WorldReader(dataDirectory(), 20000);

    Vertex camera;
    float heading = 0.0f;
    ::testing::internal::CaptureStdout();
    try {
        loadWorld(reader_, camera, heading);
        ::testing::internal::GetCapturedStdout();
        EXPECT_STREQ("", regression.error);
        EXPECT_LE(measureTree(*World::instance().bspRoot).surfaces, regression.maxTreeSurfaces);
    } catch (const platform::FatalError& error) {
        ::testing::internal::GetCapturedStdout();
        EXPECT_EQ(error.text(), regression.error);
    }
}

INSTANTIATE_TEST_SUITE_P(
    WorldFiles, RegressionInputsTest,
    ::testing::Values(
        Regression{"cyclic-include.txt", "", 0},
        Regression{"huge-corner-count.txt", "ERROR: surface endless has an invalid fill type!", 0},
        Regression{"self-doubling.txt", kTooLarge, 0}, Regression{"huge-series.txt", kTooLarge, 0},
        Regression{"huge-empty-series.txt", "", 0}, Regression{"huge-numbers.txt", "", 2},
        Regression{"short-surfaces.txt", "", 0}, Regression{"collinear.txt", "", 0},
        Regression{"include-nothing.txt", "unable to open file: ", 0},
        Regression{"runaway-chain.txt", "", 3000}));

} // namespace
} // namespace velmora::testing
