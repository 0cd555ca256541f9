#include "platform/EmbeddedResource.h"

namespace velmora::platform {

std::optional<ResourceBytes> findResource(std::span<const EmbeddedResource> table,
                                          ResourceType type, int number) {
    for (const EmbeddedResource& entry : table) {
        if (entry.type == type && entry.number == number) {
            return ResourceBytes(reinterpret_cast<const std::uint8_t*>(entry.begin),
                                 static_cast<std::size_t>(entry.end - entry.begin));
        }
    }
    return std::nullopt;
}

} // namespace velmora::platform
