#include "FakeHost.h"
#include "RenderTestSupport.h"
#include "characters/Cast.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

namespace velmora {
namespace {

using rendertest::bitmapOf;
using rendertest::bmpOf;

constexpr std::uint32_t kRed = 0xFF0000;
const content::FigureLook kLook{6, 1, 139, 221, -1};

TEST(GameObjectZone, SquareZoneOnTheGroundFiresOncePerEntry) {
    test::FakeHost host;
    GameObject figure(host, kLook);
    figure.position = {1000, 0, -500};
    figure.triggerRadius = 80;
    figure.dialogueKind = 1;
    std::vector<std::int32_t> calls;
    figure.interactionCallback = [&calls](std::int32_t kind) { calls.push_back(kind); };
    const struct {
        Vertex camera;
        bool fires;
    } cases[] = {
        {{1080, 0, -500}, false},   {{920, 0, -500}, false},     {{1000, 0, -580}, false},
        {{1079.9f, 0, -500}, true}, {{920.1f, 0, -500}, true},   {{1079.9f, 0, -420.1f}, true},
        {{1000, 500, -500}, true},  {{1079.9f, 0, -420}, false},
    };
    const Vertex inside{1000, 55, -500}, outside{1100, 55, -500};
    for (const auto& c : cases) {
        figure.update(outside);
        calls.clear();
        figure.update(c.camera);
        EXPECT_EQ(calls, c.fires ? std::vector<std::int32_t>{1} : std::vector<std::int32_t>{})
            << c.camera.x << ", " << c.camera.y << ", " << c.camera.z;
    }
    // Camera per tick, and the calls so far.
    const std::pair<Vertex, std::size_t> walk[] = {{inside, 1},  {inside, 1}, {inside, 1},
                                                   {outside, 1}, {inside, 2}, {inside, 2}};
    figure.update(outside);
    calls.clear();
    for (const auto& [camera, expected] : walk) {
        figure.update(camera);
        EXPECT_EQ(calls.size(), expected);
    }
}

TEST(GameObjectDraw, TheUprightRectangleIsProjectedOnlyInFrontOfTheEye) {
    test::FakeHost host;
    for (const float z : {250.0f, 0.0f, -250.0f}) {
        GameObject figure(host, kLook);
        FrameSet frames;
        frames.frames.emplace_back(bitmapOf(2, 2, [](int, int) { return kRed; }), 2, 2);
        frames.currentFrame = 0;
        figure.graphic->setFrames(0, frames);
        figure.billboardWidth = 21; // halved to 10 as a whole number
        figure.viewPosition = {0, 0, z};
        ColorBuffer frame;
        DepthBuffer depth;
        figure.draw(frame, depth);
        if (z > 0) {
            // (-10, 70) to (10, 0) at depth 250: columns 480 to 519, rows 60 to 199.
            const struct {
                int x, y;
                bool drawn;
            } pixels[] = {{480, 60, true},  {519, 199, true},  {479, 60, false},
                          {480, 59, false}, {520, 199, false}, {519, 200, false}};
            for (const auto& [x, y, drawn] : pixels) {
                EXPECT_EQ(depth.at(x, y), drawn ? 250 : kEmptyDepth) << x << ", " << y;
                EXPECT_EQ(frame.pixel(x, y) == kRed, drawn) << x << ", " << y;
            }
        } else {
            EXPECT_TRUE(std::all_of(depth.data(), depth.data() + DepthBuffer::kEntries,
                                    [](std::uint16_t entry) { return entry == kEmptyDepth; }))
                << z;
        }
    }
}

// Every figure of the table stands at its place with its billboard; a zone reports its kind.
TEST(Cast, FiguresStandAtTheirPlacesAndTheirZonesReportTheirKind) {
    test::FakeHost host;
    std::vector<std::int32_t> reached;
    const Figures figures = Cast::createFigures(host, [&](std::int32_t kind) { reached.push_back(kind); });
    ASSERT_EQ(figures.size(), content::figures().size());
    for (std::size_t i = 0; i < figures.size(); ++i) {
        const content::Figure& row = content::figures()[i];
        GameObject& figure = *figures[i];
        EXPECT_EQ(figure.position, row.position) << row.name;
        EXPECT_EQ(figure.billboardWidth, row.look.billboardWidth) << row.name;
        EXPECT_EQ(figure.billboardHeight, row.look.billboardHeight) << row.name;
        reached.clear();
        figure.update(row.position);
        EXPECT_EQ(reached, row.dialogueKind < 0 ? std::vector<std::int32_t>{}
                                                : std::vector<std::int32_t>{row.dialogueKind})
            << row.name;
        figure.update({row.position.x + float(row.triggerRadius), 0, row.position.z});
        figure.update(row.position);
        EXPECT_EQ(reached.size(), row.dialogueKind < 0 ? 0u : 2u) << row.name;
    }
    EXPECT_EQ(content::talkerOfKind(content::kCenturionKind), nullptr);
    EXPECT_EQ(content::talkerOfGreeting(19)->name, "plebeian");
}

} // namespace
} // namespace velmora
