// World files that once made the reader recurse without end, read past a buffer, divide by zero,
// overflow a number, crash or exhaust memory. Each must now load or end with its own message.
#include "WorldFiles.h"

#include "bsp/TreeStats.h"
#include "loading/LoadPipeline.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>
#include <vector>

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
const char* const kTreeTooLarge = "world too large: more than 100000 surfaces in the BSP tree";

// Limits small enough that a runaway input ends within a second.
WorldReader smallReader(const std::string& dataDirectory) {
    return WorldReader(dataDirectory, 20000, TreeLimits{100000, 20'000'000});
}

class RegressionInputsTest : public WorldFilesTest,
                             public ::testing::WithParamInterface<Regression> {};

TEST_P(RegressionInputsTest, LoadsOrGivesItsOwnMessage) {
    const Regression& regression = GetParam();
    const std::filesystem::path source =
        std::filesystem::path("tests/data/world-regressions") / regression.file;
    std::ifstream in(source, std::ios::binary);
    ASSERT_TRUE(in) << source;
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    // Inputs the fuzzer found include w.txt and a.txt, the names it gives its input.
    for (const std::string& name :
         {std::string(regression.file), std::string("w.txt"), std::string("a.txt")}) {
        write(name, text);
    }
    write("bsp.cfg", std::string(regression.file) + "\n");
    reader_ = smallReader(dataDirectory());

    Vertex camera;
    float heading = 0.0f;
    ::testing::internal::CaptureStdout();
    try {
        loadWorld(reader_, camera, heading, host_);
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
        Regression{"runaway-chain.txt", "", 3000}, Regression{"include-spellings.txt", "", 0},
        // Walls whose corners split each other into millions of parts.
        Regression{"split-bomb.txt", kTreeTooLarge, 0},
        Regression{"random-triangles.txt", kTreeTooLarge, 0}));

// Include chains too large to keep as files; the test writes them.
struct GeneratedIncludes {
    const char* what;
    std::vector<std::pair<std::string, std::string>> files; // the first is the top world file
    const char* error;                                      // empty when the world must load
    std::size_t colors;
};

void PrintTo(const GeneratedIncludes& generated, std::ostream* out) {
    *out << generated.what;
}

// Each file defines a colour and includes the next.
GeneratedIncludes chain(std::size_t length, const char* error) {
    GeneratedIncludes generated{"chain", {}, error, length};
    for (std::size_t i = 0; i < length; ++i) {
        generated.files.emplace_back("c" + std::to_string(i) + ".txt",
                                     "COLOR_DEFINITION\nc\n1\nINCLUDE c" + std::to_string(i + 1) +
                                         ".txt\n");
    }
    generated.files.back().second = "COLOR_DEFINITION\nc\n1\n";
    return generated;
}

// A file that includes itself 12,000 times, each time spelled differently.
GeneratedIncludes selfSpelledManyWays() {
    std::string text = "COLOR_DEFINITION\nc\n1\n";
    for (int k = 0; k < 12000; ++k) {
        std::string spelling = "a.txt";
        for (int bits = k + 1; bits > 0; bits /= 2) {
            spelling.insert(0, bits % 2 ? ".//" : "./");
        }
        text += "INCLUDE " + spelling + "\n";
    }
    // Read twice: as the top world file and once through INCLUDE.
    return {"self", {{"a.txt", text}}, "", 2};
}

class GeneratedIncludesTest : public WorldFilesTest,
                              public ::testing::WithParamInterface<GeneratedIncludes> {};

TEST_P(GeneratedIncludesTest, LoadsOrGivesItsOwnMessage) {
    const GeneratedIncludes& generated = GetParam();
    for (const auto& [name, text] : generated.files) {
        write(name, text);
    }
    reader_ = smallReader(dataDirectory());
    try {
        parse(generated.files.front().first);
        EXPECT_STREQ("", generated.error);
        EXPECT_EQ(World::instance().colors.size(), generated.colors);
    } catch (const platform::FatalError& error) {
        EXPECT_EQ(error.text(), generated.error);
        EXPECT_EQ(error.caption(), "Error");
    }
}

INSTANTIATE_TEST_SUITE_P(
    WorldFiles, GeneratedIncludesTest,
    ::testing::Values(selfSpelledManyWays(), chain(WorldReader::kIncludeDepthLimit, ""),
                      chain(5000, "include chain too deep: more than 1000 files, at c1000.txt")));

} // namespace
} // namespace velmora::testing
