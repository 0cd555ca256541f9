#pragma once

#include "world/Object3D.h"

#include <cstddef>
#include <vector>

namespace velmora {

// A placed surface, by its instance and its place in that instance.
struct PlacedSurface {
    std::size_t instance = 0;
    std::size_t surface = 0;
};

// Two placed surfaces with the same corners (in any order, to 1/100 of a unit): the later one
// fights the earlier for the same pixels.
struct CoincidentPair {
    PlacedSurface earlier;
    PlacedSurface later;
};

// Every placed surface of at least three corners that lies on an earlier one, paired with the
// first surface it lies on, in the order of the later surfaces.
std::vector<CoincidentPair> coincidentFaces(const std::vector<Object3D>& instances);

} // namespace velmora
