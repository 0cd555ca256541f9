#pragma once

#include "SnapRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace velmora::test {

// Runs velmora-snap in directory with the arguments, writing outputs/NAME.png, and compares it
// pixel by pixel with expected/NAME.png, leaving a difference picture beside a frame that
// differs; with VELMORA_UPDATE_GOLDEN=1 writes the frame over the expected picture instead.
// Returns what velmora-snap printed.
inline std::string expectFrame(const std::string& name, const std::string& directory,
                               const std::string& arguments, const std::filesystem::path& expected,
                               const std::filesystem::path& outputs) {
    namespace fs = std::filesystem;
    const fs::path actual = outputs / (name + ".png"), difference = outputs / (name + "-diff.png");
    fs::create_directories(outputs);
    fs::remove(actual);
    fs::remove(difference);
    const SnapRun run =
        runSnap(VELMORA_SNAP, directory, arguments + " --out '" + actual.string() + "'");
    EXPECT_EQ(run.exitCode, 0) << run.out;
    if (updatingGoldens()) {
        fs::copy_file(actual, expected / (name + ".png"), fs::copy_options::overwrite_existing);
    } else {
        const std::string failure =
            compareWithExpected(actual, expected / (name + ".png"), difference);
        EXPECT_TRUE(failure.empty()) << name << ": " << failure;
    }
    return run.out;
}

} // namespace velmora::test
