#include "shell/WorldLocation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace velmora {
namespace {

namespace fs = std::filesystem;

// Worlds in a scratch folder: a checkout-like folder with data/, an installed tree and the tree
// of the configured prefix, looked for from a folder without a world.
TEST(WorldLocation, OptionThenWorkingDirectoryThenBesideTheProgramThenThePrefix) {
    const fs::path root = fs::temp_directory_path() / "velmora-world-location",
                   previous = fs::current_path();
    fs::remove_all(root);
    for (const char* world : {"mine/data", "usr/share/velmora/data", "opt/share/velmora/data"}) {
        fs::create_directories(root / world);
        std::ofstream(root / world / "bsp.cfg") << "w.txt\n";
    }
    fs::create_directories(root / "empty");
    fs::create_directories(root / "usr/bin"); // where the program lies
    fs::current_path(root / "empty");
    const std::string mine = (root / "mine").string(), exe = (root / "usr/bin/velmora").string();
    const std::string prefix = (root / "opt/share/velmora/data").string();
    EXPECT_EQ(findWorldDirectory(mine, exe, prefix), mine + "/data");
    EXPECT_EQ(findWorldDirectory(mine + "/data", exe, prefix), mine + "/data");
    // A folder without a world is still the one asked for: its load names what is missing.
    EXPECT_EQ(findWorldDirectory("nowhere", exe, prefix), "nowhere");
    EXPECT_EQ(findWorldDirectory(std::nullopt, exe, prefix),
              (root / "usr/share/velmora/data").string());
    EXPECT_EQ(findWorldDirectory(std::nullopt, "/bin/velmora", prefix), prefix);
    EXPECT_EQ(findWorldDirectory(std::nullopt, "", "/no/such/data"), "data");
    fs::current_path(root / "mine");
    EXPECT_EQ(findWorldDirectory(std::nullopt, exe, prefix), "data");
    EXPECT_TRUE(ownExecutable().ends_with("/test_shell")) << ownExecutable();
    fs::current_path(previous);
    fs::remove_all(root);
}

} // namespace
} // namespace velmora
