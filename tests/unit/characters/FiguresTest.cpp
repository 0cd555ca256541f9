#include "FakeHost.h"
#include "RenderTestSupport.h"
#include "characters/Conversations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

namespace velmora {
namespace {

using rendertest::bitmapOf;
using rendertest::bmpOf;

constexpr std::uint32_t kRed = 0xFF0000;

TEST(GameObjectZone, SquareZoneOnTheGroundFiresOncePerEntry) {
    Senator figure;
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
    for (const float z : {250.0f, 0.0f, -250.0f}) {
        Senator figure;
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

template <typename Figure> bool is(const GameObject& object) {
    return dynamic_cast<const Figure*>(&object) != nullptr;
}

TEST(CreateCharacters, SevenFiguresInOrderWithTheirPicturesZonesAndConversations) {
    test::FakeHost host;
    // Bitmap n is one pixel of blue n, so each figure shows which bitmap it was made from.
    for (const int n : {4, 5, 6, 7, 8, 9, 17, 18, 19}) {
        host.putResource(platform::ResourceType::Bitmap, n,
                         bmpOf(1, 1, [n](int, int) { return std::uint32_t(n); }));
    }
    InteractionFlags flags;
    SoundManager silent(nullptr, nullptr);
    Conversations conversations(flags, silent);
    Characters characters = conversations.createCharacters();
    const struct {
        bool (*type)(const GameObject&);
        Vertex position;
        std::int32_t kind, radius;
        int bitmap, width, height, billboardHeight, billboardWidth;
    } expected[] = {
        {is<Centurion>, {560, 0, -500}, 0, 80, 4, 133, 236, 70, 20},
        {is<GenericPerson>, {2600, 0, -650}, 3, 80, 19, 194, 422, 70, 20},
        {is<Senator>, {-325, 0, 389}, 1, 80, 6, 139, 221, 70, 20},
        {is<Plebian>, {100, 0, -100}, 4, 80, 17, 280, 606, 70, 20},
        {is<WomanWithFan>, {1400, 0, -900}, 2, 80, 5, 125, 211, 70, 20},
        {is<FireInPot>, {1125, 0, -800}, -1, 50, 7, 160, 120, 60, 80},
        {is<WomanWithScarf>, {2200, 60, -280}, 6, 80, 18, 184, 377, 70, 20},
    };
    ASSERT_EQ(characters.objects.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const GameObject& object = *characters.objects[i];
        const auto& e = expected[i];
        EXPECT_TRUE(e.type(object)) << i;
        EXPECT_EQ(object.position, e.position) << i;
        EXPECT_EQ(object.dialogueKind, e.kind) << i;
        EXPECT_EQ(object.triggerRadius, e.radius) << i;
        EXPECT_EQ(bool(object.interactionCallback), e.kind >= 0) << i;
        EXPECT_EQ(object.billboardHeight, e.billboardHeight) << i;
        EXPECT_EQ(object.billboardWidth, e.billboardWidth) << i;
        const Sprite* sprite = object.graphic->currentSprite();
        ASSERT_NE(sprite, nullptr) << i;
        EXPECT_EQ(sprite->width(), e.width) << i;
        EXPECT_EQ(sprite->height(), e.height) << i;
        EXPECT_EQ(sprite->pixelAt(0, 0), std::uint32_t(e.bitmap) << 16) << i;
    }
    const std::map<std::int32_t, std::int32_t> nobodyYet{{1, 0}, {2, 0}, {3, 0}, {4, 0}, {6, 0}};
    EXPECT_EQ(characters.talkedTo, nobodyYet);

    // The fire burns through bitmaps 7, 8 and 9, one per tick, seen or not.
    conversations.adopt(std::move(characters));
    for (const int bitmap : {8, 9, 7, 8}) {
        conversations.update({-5000, 55, -5000});
        const auto* fire = static_cast<const GameObject*>(conversations.figures()[5]);
        EXPECT_EQ(fire->graphic->currentSprite()->pixelAt(0, 0), std::uint32_t(bitmap) << 16);
    }
}

} // namespace
} // namespace velmora
