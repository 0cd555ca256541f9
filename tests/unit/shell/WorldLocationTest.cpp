#include "shell/WorldLocation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace velmora {
namespace {

namespace fs = std::filesystem;

// Worlds in a scratch folder: a checkout-like folder with data/, and an installed tree.
class WorldLocation : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::remove_all(root_);
        for (const fs::path& world : {root_ / "mine" / "data", root_ / "usr/share/velmora/data",
                                      root_ / "opt/share/velmora/data"}) {
            fs::create_directories(world);
            std::ofstream(world / "bsp.cfg") << "w.txt\n";
        }
        fs::create_directories(root_ / "empty");
        fs::create_directories(root_ / "usr/bin");
        previous_ = fs::current_path();
        fs::current_path(root_ / "empty");
    }
    void TearDown() override {
        fs::current_path(previous_);
        fs::remove_all(root_);
    }

    const fs::path root_ = fs::temp_directory_path() / "velmora-world-location";
    fs::path previous_;
};

TEST_F(WorldLocation, OptionThenWorkingDirectoryThenBesideTheProgramThenThePrefix) {
    const std::string mine = (root_ / "mine").string(), exe = (root_ / "usr/bin/velmora").string();
    const std::string prefix = (root_ / "opt/share/velmora/data").string();
    EXPECT_EQ(findWorldDirectory(mine, exe, prefix), mine + "/data");
    EXPECT_EQ(findWorldDirectory(mine + "/data", exe, prefix), mine + "/data");
    // A folder without a world is still the one asked for: its load names what is missing.
    EXPECT_EQ(findWorldDirectory("nowhere", exe, prefix), "nowhere");
    EXPECT_EQ(findWorldDirectory(std::nullopt, exe, prefix),
              (root_ / "usr/share/velmora/data").string());
    EXPECT_EQ(findWorldDirectory(std::nullopt, "/bin/velmora", prefix), prefix);
    EXPECT_EQ(findWorldDirectory(std::nullopt, "", "/no/such/data"), "data");
    fs::current_path(root_ / "mine");
    EXPECT_EQ(findWorldDirectory(std::nullopt, exe, prefix), "data");
}

} // namespace
} // namespace velmora
