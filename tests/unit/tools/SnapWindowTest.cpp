// velmora-snap's picture of the whole window: the frame in its place and the bottom panel with
// the caption of the voice being heard.
#include "SnapRun.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// From the start, these steps reach the plebeian, who greets for several seconds.
constexpr const char* kToThePlebeian =
    "Left Left Left Left Left Left Left Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up "
    "Up Up Up Up Up Left Left Left Left Left Left Left Left Left tick";

using velmora::test::Picture;
using velmora::test::readPicture;

class SnapWindow : public testing::Test {
  protected:
    void SetUp() override { fs::create_directories(scratch); }
    void TearDown() override { fs::remove_all(scratch); }

    // The window picture (and, when asked, the frame) after the keys, in the shipped square.
    Picture window(const std::string& keys, const std::string& name, bool frameToo = false) {
        const fs::path out = scratch / (name + ".png");
        std::string arguments = "--window-out " + out.string();
        if (frameToo) {
            arguments += " --out " + (scratch / (name + "-frame.png")).string();
        }
        if (!keys.empty()) {
            arguments += " --keys \"" + keys + "\"";
        }
        const auto run = velmora::test::runSnap(VELMORA_SNAP, ".", arguments);
        EXPECT_EQ(run.exitCode, 0) << run.out;
        return readPicture(out);
    }

    const fs::path scratch = fs::temp_directory_path() / ("velmora-snap-window-" + std::to_string(getpid()));
};

// The bottom panel lies 30 rows under the frame, centred under it: 834 x 265 at (95, 430).
constexpr int kPanelX = 95, kPanelY = 430, kPanelWidth = 834, kPanelHeight = 265;

TEST_F(SnapWindow, TheFrameSitsAtTheTopCentreAndTheBareRowsAreBlack) {
    const Picture picture = window("", "start", true);
    ASSERT_EQ(picture.width, 1024);
    ASSERT_EQ(picture.height, 768);
    const Picture frame = readPicture(scratch / "start-frame.png");
    ASSERT_EQ(frame.width, 1000);
    EXPECT_EQ(picture.part(12, 0, 1000, 400), frame.pixels);
    EXPECT_EQ(picture.part(0, 400, 1024, 20), std::vector<std::uint32_t>(1024 * 20, 0));
    EXPECT_EQ(picture.part(0, 0, 12, 768), std::vector<std::uint32_t>(12 * 768, 0));
}

TEST_F(SnapWindow, AGreetingIsCaptionedOnTheBottomPanelUntilEscCutsItOff) {
    const Picture bare = window("", "bare");
    const Picture greeting = window(std::string(kToThePlebeian) + " wait:200", "greeting");
    const Picture cut = window(std::string(kToThePlebeian) + " wait:200 Esc", "cut");
    const auto panel = [](const Picture& p) {
        return p.part(kPanelX, kPanelY, kPanelWidth, kPanelHeight);
    };
    const auto plate = [](const Picture& p) { return p.part(kPanelX + 60, kPanelY + 60, 700, 140); };
    // The caption's plate covers the engraving; around it the panel is as it was.
    EXPECT_NE(plate(greeting), plate(bare));
    EXPECT_EQ(greeting.part(kPanelX, kPanelY, kPanelWidth, 20), bare.part(kPanelX, kPanelY, kPanelWidth, 20));
    EXPECT_EQ(panel(cut), panel(bare));
}

} // namespace
