#pragma once

#include "geometry/CollisionEdge.h"
#include "geometry/Vertex.h"

#include <span>
#include <vector>

namespace velmora {

// One step on the ground plane, in whole units: from (xo, zo) with the eye at height yo, to
// (xn, zn).
struct StepProbe {
    int xo = 0;
    int yo = 0;
    int zo = 0;
    int xn = 0;
    int zn = 0;
};

// The eye stands this high above the feet, and can step onto ledges up to this height.
inline constexpr int kEyeAboveFeet = 55;
inline constexpr int kLedgeLimit = 20;
// A figure closer than this on both view axes is in the way.
inline constexpr int kFigureReach = 19;

// Whether one edge refuses the step. An edge the step crosses may instead lift the eye onto a
// ledge of at most 20, lower it off something it stood on, or let it pass underneath. `eye` is
// the eye height the step ends at: the caller passes yo, and it may change even when the step
// is refused.
bool edgeBlocksStep(const CollisionEdge& edge, const StepProbe& step, int& eye);

// Whether any edge (in order) or any figure refuses the step. Every edge sees the old height;
// of the edges that set the eye height without refusing, the last wins. A figure whose view
// position (relative to the eye before the step) lies within 19 units on both axes refuses
// every step.
bool stepBlocked(const std::vector<CollisionEdge>& edges,
                 std::span<const Vertex> figureViewPositions, const StepProbe& step, int& eye);

} // namespace velmora
