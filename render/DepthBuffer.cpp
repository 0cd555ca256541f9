#include "render/DepthBuffer.h"

#include <cstring>

namespace velmora {

void DepthBuffer::clear() {
    // All bytes 0xFF make every entry kEmptyDepth.
    std::memset(entries_.data(), 0xFF, entries_.size() * sizeof(std::uint16_t));
}

} // namespace velmora
