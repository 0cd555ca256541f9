#include "render/FrameComposer.h"
#include "FakeHost.h"
#include "RenderTestSupport.h"
#include "loading/LoadPipeline.h"
#include "platform/FatalError.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <unistd.h>

namespace velmora {
namespace {

using platform::ResourceType;
using rendertest::bmpOf;
using rendertest::firstDifference;
using rendertest::PixelAt;
using rendertest::tagged;
using rendertest::TestWorld;

// Every picture tags its pixels with their position and a high bit pattern of its own.
std::uint32_t sky(int x, int y) {
    return tagged(x, y);
}
std::uint32_t loadingScreen(int x, int y) {
    return 0xC00000 | tagged(x, y);
}
std::uint32_t dialoguePanel(int x, int y) {
    return 0x400000 | tagged(x, y);
}
std::uint32_t closingPanel(int x, int y) {
    return 0x800000 | tagged(x, y);
}
std::uint32_t bottomPanel(int x, int y) {
    return 0xE00000 | tagged(x, y);
}

constexpr std::uint32_t kEmptyGrey = 0xA3A3A3;

// Where an image was shown and how large it was.
using Placement = std::tuple<int, int, int, int>;
Placement placementOf(const test::FakeHost::Shown& shown) {
    return {shown.x, shown.y, shown.width, shown.height};
}

// The first pixel of a shown image that differs from the expectation, or -1.
int firstWrongPixel(const test::FakeHost::Shown& shown, const PixelAt& expected) {
    for (int i = 0; i < shown.width * shown.height; ++i) {
        if ((shown.pixels[i] & 0xFFFFFF) != expected(i % shown.width, i / shown.width)) {
            return i;
        }
    }
    return -1;
}

class ComposeFrame : public ::testing::Test {
  protected:
    ComposeFrame() {
        put(3, 1000, 200, sky);
        put(12, 1000, 400, loadingScreen);
        put(13, 500, 300, dialoguePanel);
        put(15, 834, 265, bottomPanel);
        put(16, 504, 248, closingPanel);
    }

    void put(int number, int width, int height, const PixelAt& at) {
        host.putResource(ResourceType::Bitmap, number, bmpOf(width, height, at));
    }

    FrameRequest request(float heading, FrameFlags flags) {
        return {{world, nullptr, {}}, {0, 55, 0}, heading, flags, {}};
    }

    test::FakeHost host;
    TestWorld world;
};

TEST_F(ComposeFrame, BeforeLoadingCompletesOnlyTheLoadingScreenIsShown) {
    FrameComposer composer(host);
    for (const FrameFlags flags : {FrameFlags{}, FrameFlags{false, true, true, true}}) {
        FrameRequest r = request(90, flags);
        r.menuOverlay = [](ColorBuffer&, const BitmapFont&) { ADD_FAILURE() << "menu drawn"; };
        composer.composeFrame(r);
        const auto shown = host.takeShown();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(placementOf(shown[0]), Placement(460, 156, 1000, 400));
        EXPECT_EQ(firstWrongPixel(shown[0], loadingScreen), -1);
    }
}

TEST_F(ComposeFrame, PanelsAreDrawnOverTheDepthView) {
    FrameComposer composer(host);
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
        EXPECT_EQ(firstDifference(composer.frame(), 0, 0, kFrameWidth, kFrameHeight,
                                  [&](int x, int y) {
                                      const int px = x - 300, py = y - 25;
                                      const bool inPanel =
                                          px >= 0 && px < c.width && py >= 0 && py < c.height;
                                      return inPanel ? c.panel(px, py) : kEmptyGrey;
                                  }),
                  "")
            << "menu " << c.menuOpen << ", finale " << c.finaleShown;
        EXPECT_EQ(overlays, c.menuOpen ? 1 : 0);
    }
}

TEST_F(ComposeFrame, WindowPlacesFollowTheScreenSize) {
    // screen, frame origin, bottom panel origin
    const struct {
        platform::ScreenSize screen;
        ScreenPoint frame;
        ScreenPoint panel;
    } cases[] = {{{1920, 1080}, {460, 156}, {543, 576}}, {{800, 600}, {-100, -84}, {-17, 336}}};
    for (const auto& c : cases) {
        host.screen = c.screen;
        FrameComposer composer(host);
        composer.paintWindowBackground();
        composer.composeFrame(request(0, {true, false, false, false}));
        const auto shown = host.takeShown();
        ASSERT_EQ(shown.size(), 3u);
        EXPECT_EQ(placementOf(shown[0]), Placement(0, 0, 0, 0)); // the window cleared
        EXPECT_EQ(placementOf(shown[1]), Placement(c.panel.x, c.panel.y, 834, 265));
        EXPECT_EQ(firstWrongPixel(shown[1], bottomPanel), -1);
        EXPECT_EQ(placementOf(shown[2]), Placement(c.frame.x, c.frame.y, 1000, 400));
        EXPECT_EQ(
            firstWrongPixel(shown[2], [&](int x, int y) { return composer.frame().pixel(x, y); }),
            -1);
    }
}

// One triangle in the tree, drawn by a whole frame; the painter leaves each corner's frame
// position in its view corners.
TEST_F(ComposeFrame, CornersAreMovedTurnedAndProjected) {
    const struct {
        float heading;
        Vertex corner;
        float column;
        float row;
        float depth;
        float tolerance;
    } cases[] = {
        {360, {100, 55, 500}, 600, 200, 500, 0},
        {360, {0, 155, 250}, 500, 0, 250, 0},
        // Heading 0 turns 0.0000855 radians past a full turn.
        {0, {100, 55, 500}, 600.04f, 200, 499.99f, 0.01f},
        // Heading 90 looks along +x.
        {90, {500, 55, 0}, 500.03f, 200, 500, 0.01f},
        {90, {500, 105, -100}, 600.04f, 150, 499.99f, 0.01f},
    };
    FrameComposer composer(host);
    composer.colors().buildColorTools({{"stone", 1, 2, 3}});
    for (const auto& c : cases) {
        const Vertex& p = c.corner;
        // Two more corners beside the first keep the triangle in front of the eye.
        world.bspRoot->surfaces = {Surface{}};
        Surface& surface = world.bspRoot->surfaces[0];
        surface.colorName = "stone";
        for (const Vertex& corner : {p, Vertex{p.x + 1, p.y, p.z}, Vertex{p.x, p.y + 1, p.z}}) {
            surface.addCorner(corner);
        }
        composer.composeFrame(request(c.heading, {true, false, false, false}));
        const Vertex& projected = surface.viewVertices[0];
        EXPECT_NEAR(projected.x, c.column, c.tolerance) << "heading " << c.heading;
        EXPECT_NEAR(projected.y, c.row, c.tolerance) << "heading " << c.heading;
        EXPECT_NEAR(projected.z, c.depth, c.tolerance) << "heading " << c.heading;
    }
}

// A world in a scratch directory whose files can be rewritten between loads.
class ScratchWorld {
  public:
    ScratchWorld()
        : directory_(std::filesystem::temp_directory_path() /
                     ("velmora-reload-" + std::to_string(getpid()))) {
        std::filesystem::create_directories(directory_ / "data");
        std::ofstream(directory_ / "data" / "bsp.cfg") << "world.txt\n";
    }
    ~ScratchWorld() { std::filesystem::remove_all(directory_); }

    void write(const std::string& text) {
        std::ofstream(directory_ / "data" / "world.txt") << text;
    }
    std::string dataDirectory() const { return (directory_ / "data").string(); }

  private:
    std::filesystem::path directory_;
};

TEST_F(ComposeFrame, ReloadWithoutAColourFailsAtTheFirstFrameThatShowsIt) {
    const std::string ground = "COLOR_DEFINITION\nLT_GRAY\n192,192,192\n"
                               "COLOR_DEFINITION\nLT_GRAY_1\n176,176,176\n";
    const std::string wall = "DEFAULT_LOCATION\n0,55,-400\nOBJECT_DEFINITION\nwall\n1\n"
                             "SURFACE\nfront\n4\n0,0,0\n100,0,0\n100,50,0\n0,50,0\n"
                             "COLOR_FILL\nstone\nOBJECT_INSTANCE\nwall\n-50,0,0\nEND\n";
    ScratchWorld files;
    files.write(ground + "COLOR_DEFINITION\nstone\n180,170,150\n" + wall);
    WorldReader reader(files.dataDirectory());
    Vertex camera;
    float heading = 0;
    loadWorld(reader, camera, heading, host);
    World& loaded = World::instance();
    GroundGrid grid("LT_GRAY", "LT_GRAY_1");
    FrameComposer composer(host);
    composer.colors().buildColorTools(loaded.colors);
    const FrameRequest frame{{loaded, &grid, {}}, camera, heading, {true}, {}};
    composer.composeFrame(frame);
    // The wall, 400 units ahead, covers the middle of the frame just under the horizon.
    EXPECT_EQ(composer.frame().pixel(500, 210), 0xB4AA96u);

    files.write(ground + wall);
    reloadWorld(loaded, reader, host);
    composer.colors().buildColorTools(loaded.colors);
    try {
        composer.composeFrame(frame);
        ADD_FAILURE() << "the wall was drawn without its colour";
    } catch (const platform::FatalError& error) {
        EXPECT_EQ(error.text(), "ERROR: brush stone is null!\n");
        EXPECT_EQ(error.caption(), "Error");
    }
    World::destroy();
}

} // namespace
} // namespace velmora
