// Each folder of tests/data/checks holds a world (data/) and what velmora-snap --check prints
// for it, then "exit: CODE" (expected.txt). VELMORA_UPDATE_GOLDEN=1 writes what it prints now.
#include "SnapRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace {

std::vector<std::string> checkFolders() {
    std::vector<std::string> names;
    std::istringstream list(VELMORA_CHECKS);
    for (std::string name; std::getline(list, name, ',');) {
        names.push_back(name);
    }
    return names;
}

class CheckFolder : public ::testing::TestWithParam<std::string> {};

TEST_P(CheckFolder, PrintsItsDiagnosticsAndExitCode) {
    const std::string folder = "tests/data/checks/" + GetParam();
    const velmora::test::SnapRun run = velmora::test::runSnap(VELMORA_SNAP, folder, "--check");
    const std::string shown = run.out + "exit: " + std::to_string(run.exitCode) + "\n";
    if (velmora::test::updatingGoldens()) {
        std::ofstream(folder + "/expected.txt", std::ios::binary) << shown;
    }
    std::ifstream expected(folder + "/expected.txt", std::ios::binary);
    EXPECT_EQ(shown, std::string(std::istreambuf_iterator<char>(expected), {}));
}

INSTANTIATE_TEST_SUITE_P(Checks, CheckFolder, ::testing::ValuesIn(checkFolders()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

} // namespace
