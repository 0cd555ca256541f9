#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace velmora::platform {

// The kinds of resource the program carries: pictures, sounds, the window's icons (PNG) and
// text tables.
enum class ResourceType { Bitmap, Wave, Icon, Text };

// One file embedded into an executable from the resource script.
struct EmbeddedResource {
    ResourceType type;
    int number;
    const unsigned char* begin;
    const unsigned char* end;
};

using ResourceBytes = std::span<const std::uint8_t>;

// The bytes of resource (type, number) in table, or nothing when the table has no such entry.
std::optional<ResourceBytes> findResource(std::span<const EmbeddedResource> table,
                                          ResourceType type, int number);

} // namespace velmora::platform
