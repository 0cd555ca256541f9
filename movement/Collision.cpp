#include "movement/Collision.h"

#include "geometry/Truncate.h"

#include <algorithm>

namespace velmora {

namespace {

bool within(double value, double end1, double end2) {
    return std::min(end1, end2) <= value && value <= std::max(end1, end2);
}

// Whether going from `from` to `to` reaches or passes the line at `at`.
bool crossesLine(int from, int to, int at) {
    return from < at ? to >= at : to <= at;
}

bool crossesSlopedEdge(const CollisionEdge& edge, const StepProbe& step) {
    // The intercepts of the lines of the edge's slope through the old and the new position.
    const int to = truncateToInt(float(step.zo) - float(step.xo) * edge.slope);
    const int tn = truncateToInt(float(step.zn) - float(step.xn) * edge.slope);
    if ((edge.slope > 1.0f || edge.slope < -1.0f) && within(step.zo, edge.z1, edge.z2)) {
        return within(edge.intercept, to, tn);
    }
    if (edge.slope >= -1.0f && edge.slope <= 1.0f && within(step.xo, edge.x1, edge.x2)) {
        const int uo = truncateToInt(-float(to) / edge.slope);
        const int un = truncateToInt(-float(tn) / edge.slope);
        return within(edge.xIntercept, uo, un);
    }
    return false;
}

bool crossesEdge(const CollisionEdge& edge, const StepProbe& step) {
    if (edge.isVertical != 0) {
        return within(step.zo, edge.z1, edge.z2) && crossesLine(step.xo, step.xn, edge.x1);
    }
    if (edge.isHorizontal != 0) {
        return within(step.xo, edge.x1, edge.x2) && crossesLine(step.zo, step.zn, edge.z1);
    }
    return crossesSlopedEdge(edge, step);
}

} // namespace

bool edgeBlocksStep(const CollisionEdge& edge, const StepProbe& step, int& eye) {
    // Computed in 64 bits: heights from a world file may be anywhere in the int range.
    const long long yo = step.yo;
    if (edge.minY >= yo + kEyeAboveFeet || !crossesEdge(edge, step)) {
        return false;
    }
    const long long feet = yo - kEyeAboveFeet;
    if (edge.maxY <= feet) {
        eye = truncateToInt(double(edge.minY) + kEyeAboveFeet);
        return false;
    }
    if (edge.minY == feet) {
        if (edge.height > kLedgeLimit) {
            return true;
        }
        eye = truncateToInt(double(edge.maxY) + kEyeAboveFeet);
        return false;
    }
    return yo >= edge.minY;
}

bool stepBlocked(const std::vector<CollisionEdge>& edges,
                 std::span<const Vertex> figureViewPositions, const StepProbe& step, int& eye) {
    for (const CollisionEdge& edge : edges) {
        if (edgeBlocksStep(edge, step, eye)) {
            return true;
        }
    }
    for (const Vertex& position : figureViewPositions) {
        const int x = truncateToInt(position.x);
        const int z = truncateToInt(position.z);
        if (x >= -kFigureReach && x <= kFigureReach && z >= -kFigureReach && z <= kFigureReach) {
            return true;
        }
    }
    return false;
}

} // namespace velmora
