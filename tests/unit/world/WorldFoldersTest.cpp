// Each folder of tests/data/worlds holds a world (data/) and what loading it shows (expected.txt).
// VELMORA_UPDATE_GOLDEN=1 writes what it shows now.
#include "SnapRun.h"
#include "WorldFiles.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace velmora::testing {
namespace {

// The folders' names, as the build found them.
std::vector<std::string> worldFolders() {
    std::vector<std::string> names;
    std::istringstream list(VELMORA_WORLDS);
    for (std::string name; std::getline(list, name, ',');) {
        names.push_back(name);
    }
    return names;
}

class WorldFolderTest : public WorldFilesTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(WorldFolderTest, LoadsAndReloadsAsExpected) {
    const std::filesystem::path folder = std::filesystem::path("tests/data/worlds") / GetParam();
    WorldReader reader = smallReader(folder / "data");
    const std::string shown = report(reader);
    if (test::updatingGoldens()) {
        std::ofstream(folder / "expected.txt", std::ios::binary) << shown;
    }
    EXPECT_EQ(shown, readText(folder / "expected.txt"));
    if (failed_) {
        return;
    }
    const std::vector<std::string> steps = {
        "Reading data files...", "Creating BSP...", "Adding surfaces...",
        "Converting polygons to triangles...", "Creating BSP..."};
    EXPECT_EQ(progress_, steps);
    // The same files reload to the same world, with the camera left where it was.
    EXPECT_EQ(report(reader, true), shown);
    EXPECT_EQ(progress_, steps);
}

INSTANTIATE_TEST_SUITE_P(Worlds, WorldFolderTest, ::testing::ValuesIn(worldFolders()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

} // namespace
} // namespace velmora::testing
