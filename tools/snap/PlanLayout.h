#pragma once

#include "world/World.h"

#include <optional>
#include <string>

namespace velmora::snap {

// A box on the ground plane, in world units.
struct GroundBox {
    double minX = 0.0;
    double minZ = 0.0;
    double maxX = 0.0;
    double maxZ = 0.0;

    void include(double x, double z);
};

// Where a plan's pixels lie in the world: the centre of the top-left pixel is at world
// (originX, originZ) and each pixel is `scale` units wide; x grows to the right, z upward.
struct PlanLayout {
    double originX = 0.0;
    double originZ = 0.0;
    double scale = 1.0;
    int width = 0;
    int height = 0;
    double gridStep = 100.0; // world units between grid lines, also the scale bar's length

    // Drawing coordinates of a world point, where pixel (i, j) covers i..i+1 and j..j+1.
    double column(double x) const { return (x - originX) / scale + 0.5; }
    double row(double z) const { return (originZ - z) / scale + 0.5; }
};

// Without a scale, the plan picks the coarsest round one that keeps it within this many pixels
// on its long side; an asked scale may make it at most kPlanMostPixels on a side.
inline constexpr int kPlanLongSide = 2048;
inline constexpr int kPlanMostPixels = 8192;

// Pixels around the drawn world: labels of the grid at the top and left, the scale bar and
// the key at the bottom.
inline constexpr int kPlanMarginLeft = 64;
inline constexpr int kPlanMarginTop = 32;
inline constexpr int kPlanMarginRight = 40;
inline constexpr int kPlanMarginBottom = 96;
inline constexpr int kPlanLeastWidth = 1120; // the key fits below the world

// Everything the plan shows: the collision edges, the figures with their zones, the start and
// the ground grid as it lies at the start.
GroundBox planContents(const World& world);

// The layout of a plan of those contents at that scale (world units per pixel), or at the
// default one; the reason when the asked scale makes the picture too large.
struct PlanLayoutResult {
    PlanLayout layout;
    std::string error; // empty when the layout is good
};
PlanLayoutResult layOutPlan(const GroundBox& contents, std::optional<double> scale);

// The ground grid's square at the start: it is centred on the first eye and moves with it.
GroundBox groundAtStart(const Vertex& start);

} // namespace velmora::snap
