#include "movement/EdgeCells.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace velmora {

namespace {

// A step moves at most 10 units and the intercepts it is tested by are cut to whole units: a
// step that an edge can refuse starts less than this far from the edge's stretch.
constexpr std::int64_t kStepReach = 48;
// The cells stay this many at the most, however large the area.
constexpr std::int64_t kMostCells = 1 << 20;
// An edge that would fill more cells than this is looked at from everywhere instead.
constexpr std::int64_t kMostCellsOfAnEdge = 4096;

GroundBox boxOf(double x1, double z1, double x2, double z2) {
    return {std::int64_t(std::floor(std::min(x1, x2))), std::int64_t(std::floor(std::min(z1, z2))),
            std::int64_t(std::ceil(std::max(x1, x2))), std::int64_t(std::ceil(std::max(z1, z2)))};
}

} // namespace

void GroundBox::include(const GroundBox& other) {
    minX = std::min(minX, other.minX);
    minZ = std::min(minZ, other.minZ);
    maxX = std::max(maxX, other.maxX);
    maxZ = std::max(maxZ, other.maxZ);
}

GroundBox GroundBox::grown(std::int64_t by) const {
    return {minX - by, minZ - by, maxX + by, maxZ + by};
}

bool GroundBox::holds(std::int64_t x, std::int64_t z) const {
    return x >= minX && x <= maxX && z >= minZ && z <= maxZ;
}

GroundBox reachOf(const CollisionEdge& edge) {
    GroundBox box = boxOf(edge.x1, edge.z1, edge.x2, edge.z2);
    if (edge.isVertical == 0 && edge.isHorizontal == 0) {
        const double m = edge.slope;
        const double b = edge.intercept;
        if (std::fabs(m) > 1.0) {
            // Tested along the edge's z range, where its line lies at x = (z - b) / m.
            box.include(boxOf((edge.z1 - b) / m, edge.z1, (edge.z2 - b) / m, edge.z2));
        } else {
            // Tested along its x range, where its line lies at z = m x + b.
            box.include(boxOf(edge.x1, m * edge.x1 + b, edge.x2, m * edge.x2 + b));
        }
    }
    return box.grown(kStepReach);
}

EdgeCells::EdgeCells(const std::vector<CollisionEdge>& edges, const GroundBox& area)
    : edges_(edges), area_(area) {
    const std::int64_t width = area.maxX - area.minX + 1;
    const std::int64_t depth = area.maxZ - area.minZ + 1;
    while ((width / cellSize_ + 1) * (depth / cellSize_ + 1) > kMostCells) {
        cellSize_ *= 2;
    }
    columns_ = width / cellSize_ + 1;
    rows_ = depth / cellSize_ + 1;
    cells_.resize(std::size_t(columns_ * rows_));
    for (std::size_t i = 0; i < edges.size(); ++i) {
        const GroundBox reach = reachOf(edges[i]);
        if (reach.maxX < area.minX || reach.minX > area.maxX || reach.maxZ < area.minZ ||
            reach.minZ > area.maxZ) {
            continue;
        }
        const std::int64_t c0 = (std::max(reach.minX, area.minX) - area.minX) / cellSize_;
        const std::int64_t c1 = (std::min(reach.maxX, area.maxX) - area.minX) / cellSize_;
        const std::int64_t r0 = (std::max(reach.minZ, area.minZ) - area.minZ) / cellSize_;
        const std::int64_t r1 = (std::min(reach.maxZ, area.maxZ) - area.minZ) / cellSize_;
        if ((c1 - c0 + 1) * (r1 - r0 + 1) > kMostCellsOfAnEdge) {
            everywhere_.push_back(std::uint32_t(i));
            continue;
        }
        for (std::int64_t r = r0; r <= r1; ++r) {
            for (std::int64_t c = c0; c <= c1; ++c) {
                cells_[std::size_t(r * columns_ + c)].push_back(std::uint32_t(i));
            }
        }
    }
}

std::int64_t EdgeCells::cellOf(std::int64_t x, std::int64_t z) const {
    // A place outside the area counts as the nearest place inside: the edges beyond are not
    // held, so its steps are not for keeping.
    x = std::clamp(x, area_.minX, area_.maxX);
    z = std::clamp(z, area_.minZ, area_.maxZ);
    return ((z - area_.minZ) / cellSize_) * columns_ + (x - area_.minX) / cellSize_;
}

void EdgeCells::near(std::int64_t x, std::int64_t z, std::vector<CollisionEdge>& out) {
    const std::vector<std::uint32_t>& cell = cells_[std::size_t(cellOf(x, z))];
    merged_.clear();
    std::merge(cell.begin(), cell.end(), everywhere_.begin(), everywhere_.end(),
               std::back_inserter(merged_));
    out.clear();
    for (const std::uint32_t i : merged_) {
        out.push_back(edges_[i]);
    }
}

} // namespace velmora
