#include "render/FrameComposer.h"
#include "FakeHost.h"
#include "RenderTestSupport.h"
#include "content/Pictures.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmora {
namespace {

using rendertest::PixelAt;
using rendertest::tagged;

// Every picture tags its pixels with their position and a high bit pattern of its own.
PixelAt picture(std::uint32_t bits) {
    return [bits](int x, int y) { return bits | tagged(x, y); };
}
const PixelAt sky = tagged, loadingScreen = picture(0xC00000), dialoguePanel = picture(0x400000),
              closingPanel = picture(0x800000), bottomPanel = picture(0xE00000);
constexpr std::uint32_t kEmptyGrey = 0xA3A3A3;

// "" when the image was shown at (x, y), width by height, with the expected pixels.
std::string differences(const test::FakeHost::Shown& shown, int x, int y, int width, int height,
                        const PixelAt& expected) {
    if (shown.x != x || shown.y != y || shown.width != width || shown.height != height) {
        return "shown at " + std::to_string(shown.x) + ", " + std::to_string(shown.y);
    }
    return rendertest::firstDifference(
        width, height, [&](int px, int py) { return shown.pixels[py * width + px]; }, expected);
}

// The host serves every picture before the composer loads them.
struct HostWithPictures {
    HostWithPictures() {
        put(content::kSkyBitmap, kFrameWidth, kHorizonRow, sky);
        put(content::kLoadingScreenBitmap, kFrameWidth, kFrameHeight, loadingScreen);
        put(content::kDialoguePanelBitmap, 500, 300, dialoguePanel);
        put(content::kGlyphBitmap, 41 * 25, 25, tagged);
        put(content::kBottomPanelBitmap, 834, 265, bottomPanel);
        put(content::kClosingPanelBitmap, 504, 248, closingPanel);
    }
    void put(int number, int width, int height, const PixelAt& at) {
        host.putResource(platform::ResourceType::Bitmap, number,
                         rendertest::bmpOf(width, height, at));
    }
    test::FakeHost host;
};

class ComposeFrame : public ::testing::Test, protected HostWithPictures {
  protected:
    FrameRequest request(float heading, FrameFlags flags, Vertex camera = {0, 55, 0}) {
        return {{world, nullptr, {}}, camera, heading, flags, {}};
    }

    rendertest::TestWorld world;
    FrameComposer composer{host};
};

TEST_F(ComposeFrame, UntilLoadingCompletesOnlyTheLoadingScreenIsShown) {
    for (const FrameFlags flags : {FrameFlags{}, FrameFlags{false, true, true, true}}) {
        FrameRequest r = request(90, flags);
        r.menuOverlay = [](ColorBuffer&, const BitmapFont&) { ADD_FAILURE() << "menu drawn"; };
        composer.composeFrame(r);
        const auto shown = host.takeShown();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(differences(shown[0], 460, 156, kFrameWidth, kFrameHeight, loadingScreen), "");
    }
}

TEST_F(ComposeFrame, PanelsAreDrawnOverTheDepthView) {
    const struct {
        bool menuOpen;
        bool finaleShown;
        PixelAt panel; // null: none
        int width;
        int height;
    } cases[] = {{true, false, dialoguePanel, 500, 300},
                 {true, true, dialoguePanel, 500, 300},
                 {false, true, closingPanel, 504, 248},
                 {false, false, nullptr, 0, 0}};
    for (const auto& c : cases) {
        int overlays = 0;
        FrameRequest r = request(0, {true, true, c.menuOpen, c.finaleShown});
        r.menuOverlay = [&overlays](ColorBuffer&, const BitmapFont&) { ++overlays; };
        composer.composeFrame(r);
        // No sky, ground or horizon: the empty scene is grey 163 everywhere but the panel.
        EXPECT_EQ(rendertest::frameDifference(composer.frame(), [&](int x, int y) {
                      const int px = x - 300, py = y - 25;
                      const bool inPanel = px >= 0 && px < c.width && py >= 0 && py < c.height;
                      return inPanel ? c.panel(px, py) : kEmptyGrey;
                  }),
                  "")
            << "menu " << c.menuOpen << ", finale " << c.finaleShown;
        EXPECT_EQ(overlays, c.menuOpen ? 1 : 0);
    }
}

TEST_F(ComposeFrame, WindowPlacesFollowTheScreenSizeWithTruncatingDivision) {
    const struct {
        platform::ScreenSize screen;
        ScreenPoint frame;
        ScreenPoint panel;
    } cases[] = {{{1920, 1080}, {460, 156}, {543, 576}}, {{801, 601}, {-100, -83}, {-17, 337}}};
    for (const auto& c : cases) {
        host.screen = c.screen;
        composer.computeScreenLayout();
        composer.paintWindowBackground();
        composer.composeFrame(request(0, {true}));
        const auto shown = host.takeShown();
        ASSERT_EQ(shown.size(), 3u);
        EXPECT_EQ(shown[0].width, 0); // the window cleared
        EXPECT_EQ(differences(shown[1], c.panel.x, c.panel.y, 834, 265, bottomPanel), "");
        EXPECT_EQ(differences(shown[2], c.frame.x, c.frame.y, kFrameWidth, kFrameHeight,
                              [&](int x, int y) { return composer.frame().pixel(x, y); }),
                  "");
    }
}

// The floor's tiles follow the eye height cut to whole units; grid value 2 is switched off.
TEST_F(ComposeFrame, TheFloorFollowsTheWholeEyeHeightWhenSwitchedOn) {
    GroundGrid grid("dark", "light");
    composer.colors().buildColorTools({{"dark", 1, 1, 1}, {"light", 2, 2, 2}});
    std::vector<std::uint32_t> floor;
    const struct {
        float eyeHeight;
        int switchedOn;
        bool likeFirst;
    } cases[] = {{55, 1, true}, {55.9f, 1, true}, {56, 1, false}, {55, 2, false}};
    for (const auto& c : cases) {
        world.groundGridEnabled = c.switchedOn;
        composer.composeFrame({{world, &grid, {}}, {0, c.eyeHeight, 0}, 0, {true}, {}});
        std::vector<std::uint32_t> pixels;
        for (int i = 0; i < kFrameWidth * kFrameHeight; ++i) {
            pixels.push_back(composer.frame().pixel(i % kFrameWidth, i / kFrameWidth));
        }
        floor = floor.empty() ? pixels : floor;
        EXPECT_EQ(pixels == floor, c.likeFirst) << c.eyeHeight << ", " << c.switchedOn;
    }
    EXPECT_EQ(composer.frame().pixel(500, kFrameHeight - 1), 0xA0A0A0u); // plain ground
    const std::uint32_t tile = floor.back();
    EXPECT_TRUE(tile == 0x010101 || tile == 0x020202) << tile;
}

} // namespace
} // namespace velmora
