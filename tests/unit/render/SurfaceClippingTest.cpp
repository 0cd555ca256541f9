#include "render/SurfaceClipping.h"
#include "RenderTestSupport.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace velmora {
namespace {

std::vector<Vertex> cornersOf(const rendertest::TextCase& c, const std::string& keyword) {
    const std::vector<float> n = c.numbers(keyword);
    std::vector<Vertex> corners;
    for (std::size_t i = 0; i + 5 <= n.size(); i += 5) {
        corners.push_back({n[i], n[i + 1], n[i + 2], std::int32_t(n[i + 3]), std::int32_t(n[i + 4])});
    }
    return corners;
}

TEST(ClipSurfaceAtEye, CutsTheCasesAsTheirTextSays) {
    const auto cases = rendertest::readCases("clip-cases.txt");
    ASSERT_FALSE(cases.empty()) << "run from the repository root";
    for (const rendertest::TextCase& c : cases) {
        Surface surface;
        surface.name = "wall";
        surface.viewVertices = cornersOf(c, "corners");
        surface.vertices = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
        Surface second = surface;
        const Surface original = surface;
        std::ostringstream messages;
        EXPECT_EQ(clipSurfaceAtEye(surface, second, messages), c.numbers("draws") == std::vector<float>{1})
            << c.name;
        const auto clipped = cornersOf(c, "clipped"), secondCorners = cornersOf(c, "second");
        EXPECT_EQ(surface.viewVertices, clipped.empty() ? original.viewVertices : clipped) << c.name;
        EXPECT_EQ(second.viewVertices, secondCorners.empty() ? original.viewVertices : secondCorners)
            << c.name;
        EXPECT_EQ(surface.vertices, original.vertices) << c.name;
        EXPECT_EQ(second.name, "wall");
        EXPECT_EQ(messages.str(), c.message()) << c.name;
    }
}

} // namespace
} // namespace velmora
