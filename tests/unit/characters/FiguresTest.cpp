#include "FakeHost.h"
#include "RenderTestSupport.h"
#include "characters/Cast.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace velmora {
namespace {

using Kinds = std::vector<std::int32_t>;

TEST(GameObjectZone, TheSquareZoneOnTheGroundCallsOncePerEntry) {
    test::FakeHost host;
    GameObject figure(host, {6, 1, 139, 221, -1});
    figure.position = {1000, 0, -500};
    figure.triggerRadius = 80;
    figure.dialogueKind = 1;
    Kinds calls;
    figure.interactionCallback = [&calls](std::int32_t kind) { calls.push_back(kind); };
    const Vertex outside{1100, 55, -500};
    const std::pair<Vertex, bool> cameras[] = {
        {{1080, 0, -500}, false},   {{920, 0, -500}, false},     {{1000, 0, -580}, false},
        {{1079.9f, 0, -500}, true}, {{920.1f, 0, -500}, true},   {{1079.9f, 0, -420.1f}, true},
        {{1000, 500, -500}, true},  {{1079.9f, 0, -420}, false},
    };
    for (const auto& [camera, fires] : cameras) {
        figure.update(outside);
        calls.clear();
        figure.update(camera);
        figure.update(camera); // staying inside calls no more
        EXPECT_EQ(calls, fires ? Kinds{1} : Kinds{})
            << camera.x << ", " << camera.y << ", " << camera.z;
    }
}

TEST(GameObjectDraw, TheUprightRectangleIsProjectedOnlyInFrontOfTheEye) {
    test::FakeHost host;
    for (const float z : {250.0f, 0.0f, -250.0f}) {
        GameObject figure(host, {6, 1, 139, 221, -1});
        FrameSet frames;
        frames.frames.emplace_back(rendertest::bitmapOf(2, 2, [](int, int) { return 0xFF0000; }), 2,
                                   2);
        frames.currentFrame = 0;
        figure.graphic->setFrames(0, frames);
        figure.billboardWidth = 21; // halved to 10 as a whole number
        // Placed, moved and turned a quarter about the vertical, it stands at (0, 0, z) in view.
        figure.position = {10 - z, 30, 5};
        figure.translate({-10, -30, -5});
        figure.rotate({{{0, 0, 1}, {0, 1, 0}, {-1, 0, 0}}});
        ColorBuffer frame;
        DepthBuffer depth;
        figure.draw(frame, depth);
        // In front, (-10, 70) to (10, 0) at depth 250: columns 480 to 519, rows 60 to 199.
        const std::tuple<int, int, bool> pixels[] = {{480, 60, true},   {519, 199, true},
                                                     {479, 60, false},  {480, 59, false},
                                                     {520, 199, false}, {519, 200, false}};
        for (const auto& [x, y, inside] : pixels) {
            const bool drawn = inside && z > 0;
            EXPECT_EQ(depth.at(x, y), drawn ? 250 : kEmptyDepth) << x << ", " << y << " at " << z;
            EXPECT_EQ(frame.pixel(x, y) == 0xFF0000, drawn) << x << ", " << y << " at " << z;
        }
    }
}

// Every figure of the table stands at its place with its billboard; a zone reports its kind.
TEST(Cast, FiguresStandAtTheirPlacesAndTheirZonesReportTheirKind) {
    test::FakeHost host;
    Kinds reached;
    Cast cast;
    cast.adopt(Cast::createFigures(host, [&](std::int32_t kind) { reached.push_back(kind); }));
    const std::vector<SceneFigure*> figures = cast.sceneFigures();
    ASSERT_EQ(figures.size(), content::figures().size());
    for (std::size_t i = 0; i < figures.size(); ++i) {
        const content::Figure& row = content::figures()[i];
        const auto& figure = *static_cast<GameObject*>(figures[i]);
        EXPECT_EQ(figure.position, row.position) << row.name;
        EXPECT_EQ(figure.billboardWidth, row.look.billboardWidth) << row.name;
        EXPECT_EQ(figure.billboardHeight, row.look.billboardHeight) << row.name;
        reached.clear();
        cast.update(row.position);
        EXPECT_EQ(reached, row.dialogueKind < 0 ? Kinds{} : Kinds{row.dialogueKind}) << row.name;
    }
    // Seven ticks on: only the fire pot's three frames turn, one a tick.
    for (std::size_t i = 0; i < figures.size(); ++i) {
        const auto& graphic =
            static_cast<GraphicsObject2D&>(*static_cast<GameObject*>(figures[i])->graphic);
        EXPECT_EQ(graphic.frameSet().currentFrame, content::figures()[i].name == "fire" ? 1 : 0)
            << i;
    }
    EXPECT_EQ(content::talkerOfKind(content::kCenturionKind), nullptr);
    EXPECT_EQ(content::talkerOfGreeting(19)->name, "plebeian");
}

} // namespace
} // namespace velmora
