#include "PlanLayout.h"

#include "content/Figures.h"
#include "ground/GroundGrid.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace velmora::snap {

namespace {

// The smallest of 1, 2, 2.5 and 5 times a power of ten that is at least `value`.
double roundUp(double value) {
    const double power = std::pow(10.0, std::floor(std::log10(value)));
    for (const double step : {1.0, 2.0, 2.5, 5.0}) {
        if (step * power >= value * (1.0 - 1e-9)) {
            return step * power;
        }
    }
    return 10.0 * power;
}

// Grid lines come at a round distance that leaves this many pixels or more between them.
constexpr double kLeastGridPixels = 80.0;

} // namespace

void GroundBox::include(double x, double z) {
    minX = std::min(minX, x);
    maxX = std::max(maxX, x);
    minZ = std::min(minZ, z);
    maxZ = std::max(maxZ, z);
}

GroundBox groundAtStart(const Vertex& start) {
    const double half = GroundGrid::kTilesPerSide * GroundGrid::kTileSize / 2.0;
    return {start.x - half, start.z - half, start.x + half, start.z + half};
}

GroundBox planContents(const World& world) {
    GroundBox box = groundAtStart(world.defaultLocation);
    for (const CollisionEdge& edge : world.edges) {
        box.include(edge.x1, edge.z1);
        box.include(edge.x2, edge.z2);
    }
    for (const content::Figure& figure : content::figures()) {
        box.include(figure.position.x - figure.triggerRadius,
                    figure.position.z - figure.triggerRadius);
        box.include(figure.position.x + figure.triggerRadius,
                    figure.position.z + figure.triggerRadius);
    }
    return box;
}

PlanLayoutResult layOutPlan(const GroundBox& contents, std::optional<double> scale) {
    const double spanX = contents.maxX - contents.minX;
    const double spanZ = contents.maxZ - contents.minZ;
    const double marginsX = kPlanMarginLeft + kPlanMarginRight;
    const double marginsZ = kPlanMarginTop + kPlanMarginBottom;
    PlanLayoutResult result;
    PlanLayout& layout = result.layout;
    layout.scale = scale ? *scale
                         : roundUp(std::max(spanX / (kPlanLongSide - marginsX),
                                            spanZ / (kPlanLongSide - marginsZ)));
    // Pixel centres fall on whole multiples of the scale, so round scales give round origins.
    const double left = std::floor(contents.minX / layout.scale) - kPlanMarginLeft;
    const double top = std::ceil(contents.maxZ / layout.scale) + kPlanMarginTop;
    const double width =
        std::max<double>(std::ceil(contents.maxX / layout.scale) + kPlanMarginRight - left + 1,
                         kPlanLeastWidth);
    const double height = top - std::floor(contents.minZ / layout.scale) + kPlanMarginBottom + 1;
    if (!(width <= kPlanMostPixels && height <= kPlanMostPixels)) {
        std::ostringstream why;
        why << "--plan-scale " << layout.scale << " makes the plan more than " << kPlanMostPixels
            << " pixels on a side";
        result.error = why.str();
        return result;
    }
    layout.originX = left * layout.scale;
    layout.originZ = top * layout.scale;
    layout.width = static_cast<int>(width);
    layout.height = static_cast<int>(height);
    layout.gridStep = roundUp(kLeastGridPixels * layout.scale);
    return result;
}

} // namespace velmora::snap
