// velmora-snap as a world author uses it: run in a directory that holds data/.
#include "SnapRun.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

TEST(Snap, ReportsFramesAndErrorsWithTheirExitCodes) {
    const struct {
        const char* directory; // below tests/
        const char* arguments;
        const char* redirection; // what is kept: both streams, or only one
        int exitCode;
        const char* out;
        bool whole; // out is all that was printed, not a part of it
    } runs[] = {
        {"data/snap-example", "--debug --stats", "2>&1 >/dev/null", 0,
         "loading graphics...\ninitializing sound...\n", false},
        // A tick at the plebeian reaches it; the world's own report is the world folders' to test.
        {"data/snap-example", "--at 100,55,-100 --keys tick --stats --edges", "2>&1", 0,
         "camera: 100 55 -100\nheading: 0\ntalked: plebeian\nedge: (0, 200) (100,200)", false},
        // --world finds a world from any folder (the folders it may name are the shell's to test).
        {"data", "--stats --world snap-example/data", "2>&1", 0, "colors: 3\n", false},
        {".", "--version", "2>&1", 0, "velmora " VELMORA_VERSION "\n", true},
        {".", "--help", "2>/dev/null", 0, "--world=DIR", false},
        {"data/snap-broken", "--stats", "2>&1", 5,
         "Error: Expected label OBJECT_DEFINITION or OBJECT_INSTANCE\nlast line: END \n"
         "broken.txt:4: here\n",
         true},
        {".", "--world nowhere --stats", "2>&1", 5, "Error: unable to open file: nowhere/bsp.cfg\n",
         true},
        {"data/snap-example", "--out /nonexistent/frame.png", "2>&1", 2,
         "velmora-snap: cannot write /nonexistent/frame.png\n", true},
    };
    for (const auto& run : runs) {
        const velmora::test::SnapRun snap = velmora::test::runSnap(
            VELMORA_SNAP, std::string("tests/") + run.directory, run.arguments, run.redirection);
        EXPECT_EQ(snap.exitCode, run.exitCode) << run.arguments;
        if (run.whole) {
            EXPECT_EQ(snap.out, run.out) << run.arguments;
        } else {
            EXPECT_NE(snap.out.find(run.out), std::string::npos)
                << run.arguments << ": " << snap.out;
        }
    }
}

// Bad arguments print the reason and the usage on standard error and exit with 2 before any
// key is pressed (a broken world would exit with 5 once loaded).
TEST(Snap, RefusesBadArguments) {
    for (const char* bad :
         {"--frobnicate", "--stats --at 1,2", "--stats --at 1,2,3,4", "--stats --at 1,2,3,",
          "--stats --heading north", "--stats --heading inf", "--keys Jump",
          "--keys wait:", "--world nowhere --keys wait:12345678", "--stats extra", "--bench 0",
          "--bench 100001", "--bench 2.5", "--check --bench 3", ""}) {
        const velmora::test::SnapRun run =
            velmora::test::runSnap(VELMORA_SNAP, "tests/data/snap-example", bad, "2>&1 >/dev/null");
        EXPECT_EQ(run.exitCode, 2) << bad;
        EXPECT_NE(run.out.find("Usage:"), std::string::npos) << bad << ": " << run.out;
    }
}

// The three lines of --bench, the ratio that of the two medians printed.
TEST(Snap, BenchPrintsTheMediansAndTheirRatio) {
    const velmora::test::SnapRun run = velmora::test::runSnap(
        VELMORA_SNAP, "tests/data/snap-example", "--bench 5 --heading 90", "2>&1");
    ASSERT_EQ(run.exitCode, 0) << run.out;
    double frame = 0, floor = 0, ratio = 0;
    char end = 0;
    ASSERT_EQ(std::sscanf(run.out.c_str(),
                          "frame median: %lf us\nfloor median: %lf us\nratio: %lf%c", &frame,
                          &floor, &ratio, &end),
              4)
        << run.out;
    EXPECT_EQ(end, '\n');
    EXPECT_GT(floor, 0);
    EXPECT_NEAR(ratio, frame / floor, 0.01 + ratio * 0.01) << run.out;
}

} // namespace
