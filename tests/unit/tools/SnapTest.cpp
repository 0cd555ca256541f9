// velmora-snap as a world author uses it: run in a directory that holds data/.
#include "SnapRun.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Runs velmora-snap in directory; out holds what the redirection leaves on standard output.
velmora::test::SnapRun snap(const std::string& directory, const std::string& arguments,
                            const std::string& redirection = "2>&1") {
    return velmora::test::runSnap(VELMORA_SNAP, directory, arguments, redirection);
}

TEST(Snap, PrintsTheWorldsFiguresAndEdges) {
    const velmora::test::SnapRun run = snap("tests/data/snap-example", "--stats --edges");
    EXPECT_EQ(run.exitCode, 0);
    // Two walls of two triangles; the turned wall lies on the origin's side of the first.
    // The world's degree factor leaves the turned wall's far end at x = 199.998, cut to 199.
    EXPECT_EQ(run.out, "colors: 3\n"
                       "definitions: 1\n"
                       "instances: 2\n"
                       "surfaces: 4\n"
                       "nodes: 2\n"
                       "depth: 2\n"
                       "edges: 4\n"
                       "location: 0 55 -400\n"
                       "heading: 0\n"
                       "camera: 0 55 -400\n"
                       "heading: 0\n"
                       "talked:\n"
                       "edge: (0, 200) (100,200) top: 50 H\n"
                       "edge: (0, 200) (100,200) top: 50 H\n"
                       "edge: (199, -100) (200,0) top: 50 slope = 100\n"
                       "edge: (199, -100) (200,0) top: 50 slope = 100\n");
}

TEST(Snap, DebugLinesGoToStandardError) {
    const velmora::test::SnapRun run =
        snap("tests/data/snap-example", "--debug --stats", "2>&1 >/dev/null");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "loading graphics...\ninitializing sound...\nreading files...\n"
                       "Reading data files...\nCreating BSP...\nAdding surfaces...\n"
                       "Converting polygons to triangles...\nCreating BSP...\n"
                       "partitioning complete.\npartitioning complete.\n");
}

TEST(Snap, FatalErrorsPrintCaptionAndTextAndExitWithFive) {
    const velmora::test::SnapRun broken = snap("tests/data/snap-broken", "--stats");
    EXPECT_EQ(broken.exitCode, 5);
    EXPECT_EQ(broken.out,
              "Error: Expected label OBJECT_DEFINITION or OBJECT_INSTANCE\nlast line: END \n\n");

    const velmora::test::SnapRun missing = snap("tests", "--world nowhere --stats");
    EXPECT_EQ(missing.exitCode, 5);
    EXPECT_EQ(missing.out, "Error: unable to open file: nowhere/bsp.cfg\n");
}

TEST(Snap, CommandLine) {
    // --world finds a world from any folder, whether it names the folder of data/ or data/.
    for (const char* world : {"snap-example", "snap-example/data"}) {
        const velmora::test::SnapRun run =
            snap("tests/data", std::string("--stats --world ") + world);
        EXPECT_EQ(run.exitCode, 0) << world;
        EXPECT_TRUE(run.out.starts_with("colors: 3\n")) << run.out;
    }
    const velmora::test::SnapRun version = snap("tests", "--version");
    EXPECT_EQ(version.out, "velmora " VELMORA_VERSION "\n");
    const velmora::test::SnapRun help = snap("tests", "--help", "2>/dev/null");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("--world=DIR"), std::string::npos) << help.out;
    // Bad arguments print the reason and the usage on standard error and exit with 2.
    for (const char* bad : {"--frobnicate", "--stats --at 1,2", "--stats --heading north",
                            "--keys Jump", "--stats extra", ""}) {
        const velmora::test::SnapRun run = snap("tests/data/snap-example", bad, "2>&1 >/dev/null");
        EXPECT_EQ(run.exitCode, 2) << bad;
        EXPECT_NE(run.out.find("Usage:"), std::string::npos) << bad << ": " << run.out;
    }
}

} // namespace
