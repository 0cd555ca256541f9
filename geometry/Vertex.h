#pragma once

#include <cstdint>

namespace velmora {

// A corner point in world units (y up), with the texture coordinates the world file gave.
struct Vertex {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    std::int32_t u = 0;
    std::int32_t v = 0;

    bool operator==(const Vertex&) const = default;
};

} // namespace velmora
