#include "render/VisibilityWalk.h"
#include "CityWorld.h"
#include "FakeHost.h"
#include "RenderTestSupport.h"
#include "bsp/TreeStats.h"
#include "bsp/TreeTraversal.h"
#include "loading/LoadPipeline.h"
#include "render/SurfacePainter.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace velmora {
namespace {

namespace fs = std::filesystem;

// A town of 20 x 20 box buildings, loaded as the program loads a world.
class WalkTheTown : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        const fs::path folder =
            fs::temp_directory_path() / ("velmora-walk-" + std::to_string(getpid()));
        city::writeCityWorld(400, folder);
        // Down the street at x 1000: 24 overlapping banners in one plane, in three colours, so
        // that the order of a plane's surfaces shows.
        std::ofstream banners(folder / "data" / "city.txt", std::ios::app);
        for (int i = 0; i < 24; ++i) {
            const char* colors[] = {"stone", "ochre", "roof"};
            banners << "OBJECT_DEFINITION\nbanner" << i << "\n1\nSURFACE\nbanner\n4\n"
                    << i << ",20,0\n"
                    << i + 6 << ",20,0\n"
                    << i + 6 << ",90,0\n"
                    << i << ",90,0\n"
                    << "COLOR_FILL\n"
                    << colors[i % 3] << "\nOBJECT_INSTANCE\nbanner" << i << "\n985,0,1300\n";
        }
        banners.close();
        WorldReader reader((folder / "data").string());
        reader.readConfiguration();
        test::FakeHost host;
        town_ = new rendertest::TestWorld;
        runLoadPipeline(*town_, reader, host);
        fs::remove_all(folder);
        // The banners write colour but no depth, so that the frame's colour and depth part
        // where the walk reaches them.
        std::vector<BSPNode*> pending{town_->bspRoot.get()};
        while (!pending.empty()) {
            BSPNode* node = pending.back();
            pending.pop_back();
            for (Surface& surface : node->surfaces) {
                surface.writesDepth = surface.name == "banner" ? 0 : surface.writesDepth;
            }
            for (BSPNode* child : {node->farSideChild.get(), node->originSideChild.get()}) {
                if (child != nullptr) {
                    pending.push_back(child);
                }
            }
        }
    }
    static void TearDownTestSuite() { delete town_; }

    // Clears the buffers to black and empty depth.
    static void clear(ColorBuffer& frame, DepthBuffer& depth) {
        frame.fillRect(0, 0, kFrameWidth, kFrameHeight, 0);
        depth.clear();
    }

    static rendertest::TestWorld* town_;
    ColorTools colors_ = [] {
        ColorTools colors;
        colors.buildColorTools(town_->colors);
        return colors;
    }();
};
rendertest::TestWorld* WalkTheTown::town_ = nullptr;

// What the walk paints front to back gives the very pixels and depths of the whole tree painted
// back to front, and from a street or from outside it draws a small part of the town.
TEST_F(WalkTheTown, PaintsWhatTheWholeTreePaintsFromFewerSurfaces) {
    const struct {
        const char* name;
        Vertex camera;
        float heading;
        double mostShown; // of the town's triangles
    } views[] = {
        {"across a crossing", {1000, 55, 1000}, 30, 0.15},
        {"down a street", {1000, 55, 200}, 0, 0.15},
        {"outside looking in", {-800, 55, -600}, 50, 0.15},
        {"inside a building", {1050, 55, 1050}, 200, 0.15},
        {"on a roof, looking over the town", {1050, 151, 1050}, 45, 1},
        {"far away", {-1e6f, 55, 3e5f}, 60, 1},
        {"a heading of 1e9", {300, 55, 1500}, 1e9f, 1},
        {"below the ground, looking up", {900, -400, 900}, 10, 1},
    };
    const std::size_t triangles = measureTree(*town_->bspRoot).surfaces;
    ASSERT_GE(triangles, 4048u);
    VisibilityWalk walk;
    ColorBuffer walkedFrame, wholeFrame;
    DepthBuffer walkedDepth, wholeDepth;
    for (const auto& view : views) {
        const Vertex offset{-view.camera.x, -view.camera.y, -view.camera.z};
        const float theta = float((360.0f - view.heading) * kDegreesToRadians);
        const ViewTransform transform{offset, rotationAboutY(theta)};
        // The walk's rasterizer says how many triangles it drew.
        clear(walkedFrame, walkedDepth);
        std::ostringstream drawn;
        DepthRasterizer walkedRasterizer(walkedDepth, &drawn);
        SurfacePainter walked(walkedFrame, walkedRasterizer, colors_, &walk.masks());
        walk.paint(*town_->bspRoot, transform, walked);
        clear(wholeFrame, wholeDepth);
        DepthRasterizer wholeRasterizer(wholeDepth);
        SurfacePainter whole(wholeFrame, wholeRasterizer, colors_);
        translateTree(*town_->bspRoot, offset);
        rotateTree(*town_->bspRoot, transform.rotation);
        drawBackToFront(*town_->bspRoot,
                        [&whole](Surface& surface) { whole.drawSurface(surface); });
        EXPECT_EQ(rendertest::frameDifference(walkedFrame,
                                              [&](int x, int y) { return wholeFrame.pixel(x, y); }),
                  "")
            << view.name;
        int depthsDiffering = 0;
        for (int y = 0; y < kFrameHeight; ++y) {
            for (int x = 0; x < kFrameWidth; ++x) {
                depthsDiffering += walkedDepth.at(x, y) != wholeDepth.at(x, y);
            }
        }
        EXPECT_EQ(depthsDiffering, 0) << view.name;
        const std::string lines = drawn.str();
        const auto shown = std::count(lines.begin(), lines.end(), '\n');
        EXPECT_LE(double(shown), view.mostShown * double(triangles)) << view.name;
    }
}

} // namespace
} // namespace velmora
