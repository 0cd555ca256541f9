// The program's own pictures and sounds, as embedded: each must be usable as it is shipped.
#include "platform/EmbeddedResources.h"
#include "FakeHost.h"
#include "render/Bitmap.h"
#include "sound/WaveResource.h"

#include <gtest/gtest.h>

#include <set>

namespace velmora {
namespace {

using platform::EmbeddedResource;
using platform::ResourceType;

platform::ResourceBytes bytesOf(const EmbeddedResource& resource) {
    return {resource.begin, std::size_t(resource.end - resource.begin)};
}

// Thirty different sounds, each passing the program's own header check.
TEST(EmbeddedResources, EveryWavePassesTheProgramsOwnHeaderCheck) {
    test::FakeHost host;
    std::set<std::vector<std::uint8_t>> waves;
    for (const EmbeddedResource& resource : resources::embedded()) {
        if (resource.type == ResourceType::Wave) {
            const auto wave = readWaveHeader(host, bytesOf(resource));
            ASSERT_TRUE(wave.has_value()) << "WAVE " << resource.number;
            EXPECT_EQ(wave->length(), bytesOf(resource).size()) << "WAVE " << resource.number;
            EXPECT_TRUE(waves.emplace(resource.begin, resource.end).second) << resource.number;
        }
    }
    EXPECT_EQ(waves.size(), 30u);
}

// Panels and sprites are copied and stretched at these sizes: a picture of another size would be
// cut short or leave part of its place unpainted. The window's icons are PNG pictures.
TEST(EmbeddedResources, EveryPictureDecodesAtItsSize) {
    const struct {
        int number, width, height;
    } pictures[] = {{3, 1000, 200}, {4, 133, 236},  {5, 125, 211},  {6, 139, 221},   {7, 160, 120},
                    {8, 160, 120},  {9, 160, 120},  {11, 587, 354}, {12, 1000, 400}, {13, 500, 300},
                    {14, 1025, 25}, {15, 834, 265}, {16, 504, 248}, {17, 280, 606},  {18, 184, 377},
                    {19, 194, 422}, {20, 640, 350}};
    for (const auto& picture : pictures) {
        const auto bytes =
            platform::findResource(resources::embedded(), ResourceType::Bitmap, picture.number);
        ASSERT_TRUE(bytes.has_value()) << "BITMAP " << picture.number;
        const Bitmap bitmap = Bitmap::decode(*bytes);
        EXPECT_EQ(bitmap.width(), picture.width) << "BITMAP " << picture.number;
        EXPECT_EQ(bitmap.height(), picture.height) << "BITMAP " << picture.number;
    }
    for (const auto& [number, size] : {std::pair(107, 16), std::pair(108, 48)}) {
        const auto png = platform::findResource(resources::embedded(), ResourceType::Icon, number);
        ASSERT_TRUE(png.has_value() && png->size() > 24) << "ICON " << number;
        // The signature, then the header chunk's width and height, big-endian.
        EXPECT_EQ(std::string(png->begin(), png->begin() + 8), "\x89PNG\r\n\x1a\n");
        EXPECT_EQ(
            std::vector(png->begin() + 16, png->begin() + 24),
            (std::vector<std::uint8_t>{0, 0, 0, std::uint8_t(size), 0, 0, 0, std::uint8_t(size)}))
            << "ICON " << number;
    }
}

} // namespace
} // namespace velmora
