// World files that once made the reader recurse without end, read past a buffer, divide by zero,
// overflow a number, crash or exhaust memory. Each must now load or end with its own message.
#include "WorldFiles.h"

#include "bsp/TreeStats.h"

#include <gmock/gmock.h>

namespace velmora::testing {
namespace {

using ::testing::HasSubstr;

struct Regression {
    const char* file;
    std::string error;           // empty when the file must load
    std::size_t maxTreeSurfaces; // surfaces that lose their area to float rounding drop out
};

void PrintTo(const Regression& regression, std::ostream* out) {
    *out << regression.file;
}

const char* const kTooLarge =
    "world too large: more than 20000 surfaces in one object or in the placed instances";
const char* const kTreeTooLarge = "world too large: more than 100000 surfaces in the BSP tree";

class RegressionInputsTest : public WorldFilesTest,
                             public ::testing::WithParamInterface<Regression> {};

TEST_P(RegressionInputsTest, LoadsOrGivesItsOwnMessage) {
    const Regression& regression = GetParam();
    const std::string text =
        readText(std::filesystem::path("tests/data/world-regressions") / regression.file);
    // Inputs the fuzzer found include w.txt and a.txt, the names it gives its input.
    for (const std::string name : {regression.file, "w.txt", "a.txt"}) {
        write(name, text);
    }
    WorldReader reader = smallReader(write("bsp.cfg", std::string(regression.file) + "\n"));
    const std::string shown = report(reader);
    if (regression.error.empty()) {
        EXPECT_FALSE(failed_) << shown;
        EXPECT_LE(measureTree(*World::instance().bspRoot).surfaces, regression.maxTreeSurfaces);
    } else {
        EXPECT_THAT(shown, HasSubstr("Error: " + regression.error + "\n"));
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
        Regression{"runaway-chain.txt", "", 3000}, Regression{"include-spellings.txt", "", 0},
        // Walls whose corners split each other into millions of parts.
        Regression{"split-bomb.txt", kTreeTooLarge, 0},
        Regression{"random-triangles.txt", kTreeTooLarge, 0}));

// Include chains too large to keep as files: the test writes them and names the top file.
TEST_F(WorldFilesTest, GeneratedIncludeChainsLoadOrStopAtTheDepthLimit) {
    // Each of `length` files defines a colour and includes the next.
    const auto chain = [this](std::size_t length) {
        for (std::size_t i = 0; i < length; ++i) {
            const std::string next = "INCLUDE c" + std::to_string(i + 1) + ".txt\n";
            write("c" + std::to_string(i) + ".txt",
                  "COLOR_DEFINITION\nc\n1\n" + (i + 1 < length ? next : ""));
        }
        return std::string("c0.txt");
    };
    // A file that includes itself 12,000 times, each time spelled differently: it is read twice,
    // as the top world file and once through INCLUDE.
    const auto selfSpelledManyWays = [this] {
        std::string text = "COLOR_DEFINITION\nc\n1\n";
        for (int k = 0; k < 12000; ++k) {
            std::string spelling = "a.txt";
            for (int bits = k + 1; bits > 0; bits /= 2) {
                spelling.insert(0, bits % 2 ? ".//" : "./");
            }
            text += "INCLUDE " + spelling + "\n";
        }
        write("a.txt", text);
        return std::string("a.txt");
    };
    const auto load = [this](const std::string& top) {
        World::destroy();
        WorldReader reader = smallReader(write("bsp.cfg", top + "\n"));
        return report(reader);
    };
    EXPECT_THAT(load(selfSpelledManyWays()), HasSubstr("colors: 2\n"));
    EXPECT_THAT(load(chain(WorldReader::kIncludeDepthLimit)), HasSubstr("colors: 1000\n"));
    EXPECT_THAT(load(chain(5000)),
                HasSubstr("Error: include chain too deep: more than 1000 files, at c1000.txt\n"));
}

} // namespace
} // namespace velmora::testing
