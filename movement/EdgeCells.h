#pragma once

#include "geometry/CollisionEdge.h"

#include <cstdint>
#include <vector>

namespace velmora {

// A rectangle of the ground plane, ends included.
struct GroundBox {
    std::int64_t minX = 0;
    std::int64_t minZ = 0;
    std::int64_t maxX = 0;
    std::int64_t maxZ = 0;

    void include(const GroundBox& other);
    GroundBox grown(std::int64_t by) const;
    bool holds(std::int64_t x, std::int64_t z) const;
};

// Where on the ground an edge can refuse a step that starts there: the stretch of its line that
// the step test reads (a sloped edge's line, of whole slope, can leave the edge's own ends behind),
// grown by a step's reach.
GroundBox reachOf(const CollisionEdge& edge);

// The collision edges sorted into square cells over an area, so that a step looks only at the
// edges near it. Every step from a cell meets only the edges of that cell, in their own order,
// so the step test gives the answer it gives with all of them.
class EdgeCells {
  public:
    EdgeCells(const std::vector<CollisionEdge>& edges, const GroundBox& area);

    // The edges, in their order, that a step from (x, z) inside the area may meet.
    void near(std::int64_t x, std::int64_t z, std::vector<CollisionEdge>& out);

  private:
    std::int64_t cellOf(std::int64_t x, std::int64_t z) const;

    const std::vector<CollisionEdge>& edges_;
    GroundBox area_;
    std::int64_t cellSize_ = 64;
    std::int64_t columns_ = 1;
    std::int64_t rows_ = 1;
    std::vector<std::vector<std::uint32_t>> cells_;
    std::vector<std::uint32_t> everywhere_; // edges too long for cells of their own
    std::vector<std::uint32_t> merged_; // scratch of near()
};

} // namespace velmora
